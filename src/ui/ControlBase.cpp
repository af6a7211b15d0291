#include "ui/ControlBase.h"

#include "platform/core/WindowSystem.h"
#include "platform/core/Wnd.h"
#include "settings/Globals.h"

namespace vexmo {

FontSpec ControlFontSpec(int height, const std::string& face) {
    FontSpec fontSpec;
    fontSpec.height = height;
    fontSpec.width = 0;
    fontSpec.weight = 0;
    fontSpec.italic = false;
    fontSpec.charset = static_cast<uint8_t>(UiFontCharset);
    fontSpec.face = face;
    return fontSpec;
}

CControlBase::CControlBase(HWND parentWindow, uint32_t controlId, const Rect& controlRect,
                           const std::string& caption, bool isVisible, bool isShown, bool isDisabled,
                           bool takesInput)
    : id(controlId), rect(controlRect), visible(isVisible), shown(isShown), disabled(isDisabled),
      acceptsInput(takesInput), text(caption), parent(parentWindow) {
    font.Create(ControlFontSpec(UiFontHeight, UiFontFace));
}

void CControlBase::SetText(const std::string& newText) {
    if (newText == text)
        return;
    text = newText;
    InvalidateOwner(rect);
}

void CControlBase::SetFont(int height, const std::string& face) {
    font.Create(ControlFontSpec(height, face));
}

bool CControlBase::ReferenceMove(int& state, int x, int y) const {
    if (disabled || state == StatePressed)
        return false;
    return ChangeState(state, Contains(x, y) ? StateHover : StateNormal);
}

bool CControlBase::ReferencePress(int& state, int x, int y) const {
    if (disabled || !Contains(x, y))
        return false;
    const bool changed = ChangeState(state, StatePressed);
    Notify(0, CN_PRESSED);
    return changed;
}

bool CControlBase::ReferenceRelease(int& state, int x, int y, bool& inside) const {
    inside = false;
    if (disabled)
        return false;
    inside = Contains(x, y);
    return ChangeState(state, inside ? StateHover : StateNormal);
}

LRESULT CControlBase::Notify(uint32_t message, WPARAM wParam, LPARAM lParam) const {
    return vexmo::SendMessage(parent, message, wParam, lParam);
}

void CControlBase::InvalidateOwner(const Rect& area) const {
    if (CWnd* owner = FromHandle(parent))
        owner->InvalidateRect(area, true);
}

} // namespace vexmo
