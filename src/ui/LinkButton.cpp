#include "ui/LinkButton.h"

namespace vexmo {

CLinkButton::CLinkButton(HWND parent, uint32_t /*unusedId*/, const Rect& rect, const std::string& caption,
                         uint32_t flags, bool visible, bool shown, bool disabled, int /*unused*/)
    : CControlBase(parent, kLinkButtonId, rect, caption, visible, shown, disabled, true), textFlags(flags) {}

bool CLinkButton::OnMouseMove(WPARAM, int x, int y) {
    if (disabled || state == StatePressed)
        return false;
    if (Contains(x, y)) {
        const bool changed = ChangeState(state, StateHover);
        if (!hoverNotified) {
            hoverNotified = true;
            Notify(0, CN_HOVER_ENTER);
        }
        return changed;
    }
    const bool changed = ChangeState(state, StateNormal);
    if (hoverNotified) {
        hoverNotified = false;
        Notify(0, CN_HOVER_LEAVE);
    }
    return changed;
}

bool CLinkButton::OnLButtonDown(WPARAM, int x, int y) {
    if (disabled || !Contains(x, y))
        return false;
    const bool changed = ChangeState(state, StatePressed);
    Notify(0, CN_PRESSED);
    return changed;
}

bool CLinkButton::OnLButtonUp(WPARAM, int x, int y) {
    if (disabled)
        return false;
    if (!Contains(x, y))
        return ChangeState(state, StateNormal);
    const bool changed = ChangeState(state, StateHover);
    Notify(0, CN_CLICKED);
    return changed;
}

void CLinkButton::Draw(CCanvas& dc, Rect) {
    if (HasPicture(stripImage)) {
        DrawStripFrame(dc, stripImage, state, frameWidth, frameHeight, rect);
        return;
    }
    const COLORREF colour = state == StateNormal  ? kCaptionNormal
                            : state == StateHover ? kCaptionHover
                                                  : kCaptionSelected;
    DrawCaption(dc, font, text, rect, textFlags | kCaptionFlags, colour);
}

} // namespace vexmo
