#include "ui/CheckButton.h"

namespace vexmo {

CCheckButton::CCheckButton(HWND parent, uint32_t id, const Rect& rect, const std::string& caption,
                           uint32_t flags, bool visible, bool shown, bool disabled, int /*unused*/)
    : CControlBase(parent, id, rect, caption, visible, shown, disabled, true), textFlags(flags) {}

bool CCheckButton::OnMouseMove(WPARAM, int x, int y) {
    if (disabled || state == StatePressed)
        return false;
    return ChangeState(state, Contains(x, y) ? StateHover : StateNormal);
}

bool CCheckButton::OnLButtonDown(WPARAM, int x, int y) {
    if (disabled || !Contains(x, y))
        return false;
    const bool changed = ChangeState(state, StatePressed);
    Notify(0, CN_PRESSED);
    return changed;
}

bool CCheckButton::OnLButtonUp(WPARAM, int x, int y) {
    if (disabled)
        return false;
    if (!Contains(x, y))
        return ChangeState(state, StateNormal);
    const bool changed = ChangeState(state, StateHover);
    checked = !checked;
    Notify(0, CN_CLICKED);
    return changed;
}

int CCheckButton::Frame() const {
    if (state == StatePressed || checked)
        return 2;
    return state == StateHover ? 1 : 0;
}

void CCheckButton::Draw(CCanvas& dc, Rect) {
    const int frame = Frame();
    if (HasPicture(stripImage)) {
        DrawStripFrame(dc, stripImage, frame, frameWidth, frameHeight, rect);
        return;
    }
    if (!normalImage && !hoverImage && !checkedImage)
        return;
    const RectF source{0, 0, static_cast<float>(frameWidth), static_cast<float>(frameHeight)};
    COLORREF colour = normalColour;
    if (frame == 2) {
        DrawPicture(dc, checkedImage, rect, source);
        colour = checkedColour;
        if (!checkedCaption.empty())
            text = checkedCaption;
    } else {
        DrawPicture(dc, frame == 1 ? hoverImage : normalImage, rect, source);
        colour = frame == 1 ? hoverColour : normalColour;
        if (!uncheckedCaption.empty())
            text = uncheckedCaption;
    }
    const Rect captionRect{rect.left + textLeftInset, rect.top, rect.right - textRightInset, rect.bottom};
    DrawCaption(dc, font, text, captionRect, textFlags | kCaptionFlags, colour);
}

void CCheckButton::ReleaseImages() {
    stripImage.reset();
    normalImage.reset();
    hoverImage.reset();
    checkedImage.reset();
}

bool CCheckButton::SetStripImage(std::string_view path) {
    return LoadStripFile(path, stripImage, 3, frameWidth, frameHeight);
}
bool CCheckButton::SetNormalImage(std::string_view path) {
    return LoadImageFile(path, normalImage, frameWidth, frameHeight);
}
bool CCheckButton::SetHoverImage(std::string_view path) {
    return LoadImageFile(path, hoverImage, frameWidth, frameHeight);
}
bool CCheckButton::SetCheckedImage(std::string_view path) {
    return LoadImageFile(path, checkedImage, frameWidth, frameHeight);
}

} // namespace vexmo
