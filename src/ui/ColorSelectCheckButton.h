#pragma once
// CColorSelectCheckButton: a colour swatch inside a frame picture that shows whether the colour
// is checked (`checked` == 1). Clicks like an image button (wParam 0) and reports double clicks.
#include "ui/ControlBase.h"
#include "ui/SkinImage.h"

namespace vexmo {

class CColorSelectCheckButton : public CControlBase {
public:
    CColorSelectCheckButton(HWND parent, uint32_t id, const Rect& rect, const std::string& caption,
                            bool visible = true, bool shown = true, bool disabled = false, int unused = 0);

    void Draw(CCanvas& dc, Rect clip) override;
    bool OnMouseMove(WPARAM, int x, int y) override { return ReferenceMove(state, x, y); }
    bool OnLButtonDown(WPARAM, int x, int y) override { return ReferencePress(state, x, y); }
    bool OnLButtonUp(WPARAM flags, int x, int y) override;
    bool OnLButtonDblClk(WPARAM flags, int x, int y) override;
    void ReleaseImages() override;

    // Two frames: unchecked, checked.
    bool SetStripImage(std::string_view path) {
        return LoadStripFile(path, stripImage, 2, frameWidth, frameHeight);
    }
    bool SetNormalImage(std::string_view path) {
        return LoadImageFile(path, normalImage, frameWidth, frameHeight);
    }
    bool SetCheckedImage(std::string_view path) {
        return LoadImageFile(path, checkedImage, frameWidth, frameHeight);
    }
    void SetColour(COLORREF value) { colour = value; }

    SkinImage stripImage;
    SkinImage normalImage;
    SkinImage checkedImage;
    // Recomputed at every draw: rect inset by 3 design pixels.
    Rect swatchRect;
    COLORREF colour = 0x00FF00;
    int checked = 0;
    int frameWidth = 0;
    int frameHeight = 0;
    int state = StateNormal;
};

} // namespace vexmo
