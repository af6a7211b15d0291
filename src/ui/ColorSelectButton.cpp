#include "ui/ColorSelectButton.h"

namespace vexmo {

CColorSelectButton::CColorSelectButton(HWND parent, uint32_t id, const Rect& rect, const Rect& swatch,
                                       const std::string& caption, bool visible, bool shown, bool disabled,
                                       int /*unused*/)
    : CControlBase(parent, id, rect, caption, visible, shown, disabled, true), swatchRect(swatch) {}

bool CColorSelectButton::OnLButtonUp(WPARAM, int x, int y) {
    bool inside = false;
    const bool changed = ReferenceRelease(state, x, y, inside);
    if (inside)
        Notify(0, CN_CLICKED);
    return changed;
}

void CColorSelectButton::Draw(CCanvas& dc, Rect) {
    dc.FillSolidRect(swatchRect, colour);
}

} // namespace vexmo
