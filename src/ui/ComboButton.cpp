#include "ui/ComboButton.h"

namespace vexmo {

namespace {
constexpr int kStripFrames = 5;
constexpr int kLockedFrame = 3;
constexpr int kLockedHoverFrame = 4;
// Enter notifications after the first before they stop (five in all).
constexpr int kExtraHoverNotifications = 3;
constexpr const char* kDisabledText = "Disable";
} // namespace

CComboButton::CComboButton(HWND parent, uint32_t message, uint32_t id, const Rect& rect,
                           const std::string& caption, uint32_t flags, bool visible, bool shown,
                           bool disabled, int /*unused*/, const std::string& value)
    : CControlBase(parent, id, rect, caption, visible, shown, disabled, true), valueText(value),
      notifyMessage(message), textFlags(flags) {}

bool CComboButton::OnMouseMove(WPARAM, int x, int y) {
    if (disabled || state == StatePressed)
        return false;
    if (Contains(x, y)) {
        const bool changed = ChangeState(state, StateHover);
        if (!hoverNotifyDone) {
            if (hoverCount <= kExtraHoverNotifications)
                ++hoverCount;
            else
                hoverNotifyDone = true;
            pointerOutside = false;
            Notify(notifyMessage, id, CN_HOVER_ENTER);
        }
        return changed;
    }
    const bool changed = ChangeState(state, StateNormal);
    if (!pointerOutside && !keepHover) {
        hoverNotifyDone = false;
        hoverCount = 0;
        pointerOutside = true;
        Notify(notifyMessage, id, CN_HOVER_LEAVE);
    }
    return changed;
}

bool CComboButton::OnLButtonDown(WPARAM, int x, int y) {
    if (disabled || !Contains(x, y))
        return false;
    const bool changed = ChangeState(state, StatePressed);
    if (!locked)
        Notify(0, CN_PRESSED);
    return changed;
}

bool CComboButton::OnLButtonUp(WPARAM, int x, int y) {
    if (disabled)
        return false;
    if (!Contains(x, y))
        return ChangeState(state, StateNormal);
    const bool changed = ChangeState(state, StateHover);
    if (!locked)
        Notify(notifyMessage, id, CN_CLICKED);
    return changed;
}

void CComboButton::Draw(CCanvas& dc, Rect) {
    COLORREF colour = kCaptionNormal;
    if (HasPicture(stripImage)) {
        int frame = keepHover ? StateHover : state;
        if (locked)
            frame = state != StateNormal ? kLockedHoverFrame : kLockedFrame;
        colour = (locked || frame != StateNormal) ? kCaptionHover : kCaptionNormal;
        DrawStripFrame(dc, stripImage, frame, frameWidth, frameHeight, rect);
    } else {
        const bool lit = keepHover || state != StateNormal;
        const RectF source{0, 0, static_cast<float>(frameWidth), static_cast<float>(frameHeight)};
        DrawPicture(dc, lit ? hoverImage : normalImage, rect, source);
        colour = lit ? kCaptionHover : kCaptionNormal;
    }
    const Rect captionRect{rect.left + textLeftInset, rect.top, rect.right - textRightInset, rect.bottom};
    DrawCaption(dc, font, showDisabledText ? kDisabledText : valueText, captionRect,
                textFlags | kCaptionFlags, colour);
}

void CComboButton::SetValueText(const std::string& value) {
    valueText = value;
    InvalidateOwner(rect);
}

void CComboButton::ReleaseImages() {
    stripImage.reset();
    normalImage.reset();
    hoverImage.reset();
}

bool CComboButton::SetStripImage(std::string_view path) {
    return LoadStripFile(path, stripImage, kStripFrames, frameWidth, frameHeight);
}
bool CComboButton::SetNormalImage(std::string_view path) {
    return LoadImageFile(path, normalImage, frameWidth, frameHeight);
}
bool CComboButton::SetHoverImage(std::string_view path) {
    return LoadImageFile(path, hoverImage, frameWidth, frameHeight);
}

} // namespace vexmo
