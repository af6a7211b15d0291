#pragma once
// CVerticalSliderControl: a vertical level bar that can be dragged. `value` runs from 0 at the
// bottom edge to maxValue - 1 at the top; the bar is drawn as the empty picture with the lower
// part of the full picture over it. A press anywhere inside starts a drag (CN_PRESSED), moves
// report CN_VALUE_CHANGED with the value, a release inside CN_CLICKED.
#include "ui/ControlBase.h"
#include "ui/SkinImage.h"

namespace vexmo {

class CVerticalSliderControl : public CControlBase {
public:
    CVerticalSliderControl(HWND parent, uint32_t id, const Rect& rect, int maxValue, int startInset,
                           int endInset, const std::string& caption, bool visible = true, bool shown = true,
                           bool disabled = false);

    void Draw(CCanvas& dc, Rect clip) override;
    bool OnMouseMove(WPARAM flags, int x, int y) override;
    bool OnLButtonDown(WPARAM flags, int x, int y) override;
    bool OnLButtonUp(WPARAM flags, int x, int y) override;
    void ReleaseImages() override;

    bool SetFullImage(std::string_view path) {
        return LoadImageFile(path, fullImage, imageWidth, imageHeight);
    }
    bool SetEmptyImage(std::string_view path) {
        return LoadImageFile(path, emptyImage, imageWidth, imageHeight);
    }
    void SetValue(int newValue) { value = newValue; }
    // The value a pointer at y means.
    int ValueAt(int y) const;
    // Top of the filled part for the current value.
    int FillTop() const;

    SkinImage fullImage;
    SkinImage emptyImage;
    int imageWidth = 0;
    int imageHeight = 0;
    int state = StateNormal;
    int grabY = 0;
    int value = 0;
    int maxValue = 0;
    bool dragging = false;
    int startInset = 0;
    int endInset = 0;
};

} // namespace vexmo
