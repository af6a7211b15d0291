#pragma once
// CColorSelectButton: a plain colour swatch. Clicks like an image button (wParam 0); draws only
// its swatch rectangle filled with `colour`.
#include "ui/ControlBase.h"

namespace vexmo {

class CColorSelectButton : public CControlBase {
public:
    CColorSelectButton(HWND parent, uint32_t id, const Rect& rect, const Rect& swatchRect,
                       const std::string& caption, bool visible = true, bool shown = true,
                       bool disabled = false, int unused = 0);

    void Draw(CCanvas& dc, Rect clip) override;
    bool OnMouseMove(WPARAM, int x, int y) override { return ReferenceMove(state, x, y); }
    bool OnLButtonDown(WPARAM, int x, int y) override { return ReferencePress(state, x, y); }
    bool OnLButtonUp(WPARAM flags, int x, int y) override;

    void SetColour(COLORREF value) { colour = value; }

    Rect swatchRect;
    COLORREF colour = 0x00FF00;
    int state = StateNormal;
};

} // namespace vexmo
