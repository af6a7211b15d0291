#pragma once
// CStaticText: a line of text (`displayText`, not the caption) in its own colour. Disabled from
// the start; an owner that enables it gets CN_PRESSED and CN_CLICKED (wParam 0).
#include "ui/ControlBase.h"

namespace vexmo {

class CStaticText : public CControlBase {
public:
    CStaticText(HWND parent, uint32_t id, const Rect& rect, COLORREF textColour, uint32_t textFlags,
                const std::string& caption, bool visible = true, bool shown = true, bool disabled = true,
                int unused = 0);

    void Draw(CCanvas& dc, Rect clip) override;
    bool OnMouseMove(WPARAM, int x, int y) override { return ReferenceMove(state, x, y); }
    bool OnLButtonDown(WPARAM, int x, int y) override { return ReferencePress(state, x, y); }
    bool OnLButtonUp(WPARAM flags, int x, int y) override;

    // The owner repaints.
    void SetDisplayText(const std::string& value) { displayText = value; }

    uint32_t textFlags = 0;
    std::string displayText;
    int state = StateNormal;
    COLORREF textColour = 0;
};

} // namespace vexmo
