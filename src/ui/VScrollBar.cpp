#include "ui/VScrollBar.h"

#include <algorithm>

#include "settings/Globals.h"

namespace vexmo {

namespace {
// The embedded arrows are 18 x 20 per frame; used for the layout when they are missing.
constexpr int kStandardArrowWidth = 18;
constexpr int kStandardArrowHeight = 20;
constexpr int kArrowFrames = 3;
constexpr COLORREF kTrackColour = 0x101010;
constexpr COLORREF kThumbEdge = 0x1F1F1F;
constexpr COLORREF kThumbEdgeHot = 0xDEA035;
constexpr COLORREF kThumbFill = 0x323232;
constexpr COLORREF kThumbFillHot = 0x1F1F1F;
} // namespace

CVScrollBar::CVScrollBar(HWND parent, uint32_t id, const Rect& rect, const std::string& caption, bool visible,
                         bool shown, bool disabled, int /*unused*/)
    : CControlBase(parent, id, rect, caption, visible, shown, disabled, true), thumbRect(rect),
      trackRect(rect) {}

bool CVScrollBar::SetArrowsFromResources() {
    const bool up = LoadPngResource(kScrollUpResource, upImage);
    const bool down = LoadPngResource(kScrollDownResource, downImage);
    const SkinImage& sizeFrom = up ? upImage : downImage;
    if (up || down) {
        arrowWidth = sizeFrom->Width() / kArrowFrames;
        arrowHeight = sizeFrom->Height();
    } else {
        arrowWidth = kStandardArrowWidth;
        arrowHeight = kStandardArrowHeight;
    }
    LayOut();
    return up && down;
}

void CVScrollBar::LayOut() {
    // The arrow areas are scaled like the arrows drawn over them, so a press on any visible
    // part of an arrow counts as the arrow at every UiScale.
    const int arrow = ScaleI(arrowHeight);
    upRect = {rect.left, rect.top, rect.right, rect.top + arrow - 1};
    downRect = {rect.left, rect.bottom - arrow + 1, rect.right, rect.bottom};
    trackRect = {rect.left, rect.top + arrow, rect.right, rect.bottom - arrow};
    thumbRect = trackRect;
    SetScrollInfo(position, page, maximum);
}

void CVScrollBar::SetScrollInfo(int newPosition, int newPage, int newMaximum) {
    position = newPosition;
    page = newPage;
    maximum = newMaximum;
    if (maximum == 0) {
        thumbRect = trackRect;
    } else {
        const double length = trackRect.bottom - trackRect.top + 1;
        const int top =
            trackRect.top + static_cast<int>(static_cast<double>(position) / maximum * length + 0.5);
        const int size = std::min(static_cast<int>(length),
                                  static_cast<int>(static_cast<double>(page) / maximum * length + 0.5));
        thumbRect = {trackRect.left, top, trackRect.right, std::min(top + size - 1, trackRect.bottom)};
    }
    InvalidateOwner(rect);
}

bool CVScrollBar::SetHoverFlags(bool up, bool down, bool thumb) {
    const bool changed = overUp != up || overDown != down || overThumb != thumb;
    overUp = up;
    overDown = down;
    overThumb = thumb;
    return changed;
}

void CVScrollBar::FollowDrag(int y) {
    const int height = dragRect.Height();
    int top = y - grabOffset;
    top = std::min(top, trackRect.bottom - height);
    top = std::max(top, trackRect.top);
    if (top == dragRect.top)
        return;
    dragRect = {dragRect.left, top, dragRect.right, top + height};
    InvalidateOwner(rect);
    const int length = trackRect.bottom - trackRect.top + 1;
    if (length <= 0)
        return; // a bar too short for its arrows has no track to drag along
    const int newPosition =
        static_cast<int>(static_cast<int64_t>(dragRect.top - trackRect.top) * maximum / length);
    if (newPosition == position)
        return;
    position = newPosition;
    Notify(0, CN_VALUE_CHANGED);
}

bool CVScrollBar::OnMouseMove(WPARAM, int x, int y) {
    if (disabled)
        return false;
    lastX = x;
    bool changed = false;
    if (state != StatePressed) {
        if (Contains(x, y)) {
            state = StateHover;
            changed =
                SetHoverFlags(upRect.Contains({x, y}), downRect.Contains({x, y}), thumbRect.Contains({x, y}));
        } else {
            changed = SetHoverFlags(false, false, false) || state != StateNormal;
            state = StateNormal;
            dragging = false;
        }
    }
    if (dragging)
        FollowDrag(y);
    return changed;
}

bool CVScrollBar::OnLButtonDown(WPARAM, int x, int y) {
    if (disabled || !Contains(x, y))
        return false;
    state = StatePressed;
    WPARAM where = kScrollPageDown;
    if (upRect.Contains({x, y})) {
        where = kScrollUpArrow;
    } else if (downRect.Contains({x, y})) {
        where = kScrollDownArrow;
    } else if (thumbRect.Contains({x, y})) {
        where = kScrollOnThumb;
        dragging = true;
        grabOffset = y - thumbRect.top;
        dragRect = thumbRect;
    } else if (y < thumbRect.top) {
        where = kScrollPageUp;
    }
    Notify(where, CN_PRESSED);
    return true;
}

bool CVScrollBar::OnLButtonUp(WPARAM, int x, int y) {
    if (disabled)
        return false;
    const bool inside = Contains(x, y);
    state = inside ? StateHover : StateNormal;
    if (!inside && !dragging) {
        SetScrollInfo(position, page, maximum);
        return true;
    }
    dragging = false;
    Notify(0, CN_CLICKED);
    SetScrollInfo(position, page, maximum);
    return true;
}

void CVScrollBar::Draw(CCanvas& dc, Rect) {
    dc.FillSolidRect(rect, kTrackColour);
    const float width = ScaleF(arrowWidth);
    const float height = ScaleF(arrowHeight);
    const auto frame = [&](bool over) {
        return RectF{static_cast<float>((over ? 1 : 0) * arrowWidth), 0, static_cast<float>(arrowWidth),
                     static_cast<float>(arrowHeight)};
    };
    DrawPicture(dc, upImage,
                RectF{static_cast<float>(rect.left), static_cast<float>(rect.top), width, height},
                frame(overUp));
    const float downTop = static_cast<float>(rect.bottom - height + UiScale);
    DrawPicture(dc, downImage, RectF{static_cast<float>(rect.left), downTop, width, height}, frame(overDown));
    const Rect thumb = dragging ? dragRect : thumbRect;
    const int s = ScaleI(1);
    dc.FillSolidRect(thumb, overThumb ? kThumbEdgeHot : kThumbEdge);
    dc.FillSolidRect({thumb.left + s, thumb.top + s, thumb.right - s, thumb.bottom},
                     overThumb ? kThumbFillHot : kThumbFill);
}

void CVScrollBar::ReleaseImages() {
    upImage.reset();
    downImage.reset();
}

} // namespace vexmo
