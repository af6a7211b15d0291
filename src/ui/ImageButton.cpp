#include "ui/ImageButton.h"

namespace vexmo {

CImageButton::CImageButton(HWND parent, uint32_t id, const Rect& rect, const std::string& caption,
                           uint32_t flags, bool visible, bool shown, bool disabled, int /*unused*/)
    : CControlBase(parent, id, rect, caption, visible, shown, disabled, true), textFlags(flags) {}

bool CImageButton::OnMouseMove(WPARAM, int x, int y) {
    if (disabled || state == StatePressed)
        return false;
    if (Contains(x, y)) {
        if (id == kHoverMoveButtonId)
            Notify(0, CN_HOVER_MOVE);
        return ChangeState(state, StateHover);
    }
    return ChangeState(state, StateNormal);
}

bool CImageButton::OnLButtonDown(WPARAM, int x, int y) {
    if (disabled || !Contains(x, y))
        return false;
    const bool changed = ChangeState(state, StatePressed);
    Notify(0, CN_PRESSED);
    return changed;
}

bool CImageButton::OnLButtonUp(WPARAM, int x, int y) {
    if (disabled)
        return false;
    if (!Contains(x, y))
        return ChangeState(state, StateNormal);
    const bool changed = ChangeState(state, StateHover);
    Notify(id, CN_CLICKED);
    return changed;
}

void CImageButton::Draw(CCanvas& dc, Rect) {
    if (HasPicture(stripImage)) {
        DrawStripFrame(dc, stripImage, state, frameWidth, frameHeight, rect);
        return;
    }
    // A picture that failed to load still leaves the caption to click on.
    if (!normalImage)
        return;
    const RectF source{0, 0, static_cast<float>(frameWidth), static_cast<float>(frameHeight)};
    const bool normal = state == StateNormal;
    DrawPicture(dc, normal ? normalImage : hoverImage, rect, source);
    const COLORREF colour = normal ? kCaptionNormal : state == StateHover ? kCaptionHover : kCaptionSelected;
    const Rect captionRect{rect.left + textLeftInset, rect.top, rect.right - textRightInset, rect.bottom};
    DrawCaption(dc, font, text, captionRect, textFlags | kCaptionFlags, colour);
}

void CImageButton::ReleaseImages() {
    stripImage.reset();
    normalImage.reset();
    hoverImage.reset();
}

bool CImageButton::SetStripImage(std::string_view path) {
    return LoadStripFile(path, stripImage, 3, frameWidth, frameHeight);
}
bool CImageButton::SetNormalImage(std::string_view path) {
    return LoadImageFile(path, normalImage, frameWidth, frameHeight);
}
bool CImageButton::SetHoverImage(std::string_view path) {
    return LoadImageFile(path, hoverImage, frameWidth, frameHeight);
}

bool CImageButton::SetStripFromResource(uint32_t resourceId) {
    if (!LoadPngResource(resourceId, stripImage))
        return false;
    frameWidth = stripImage->Width() / 3;
    frameHeight = stripImage->Height();
    return true;
}

} // namespace vexmo
