#pragma once
// CSliderControl: a horizontal slider that rests on `stopCount` stops. Only the thumb is drawn
// (the track belongs to the window background). Pressing on the thumb drags it: every move
// reports CN_VALUE_CHANGED with the nearest stop; a release inside jumps to the nearest stop and
// reports CN_CLICKED, so a click anywhere on the track moves the thumb there.
#include <vector>

#include "ui/ControlBase.h"
#include "ui/SkinImage.h"

namespace vexmo {

class CSliderControl : public CControlBase {
public:
    CSliderControl(HWND parent, uint32_t id, const Rect& rect, int stopCount, int startInset, int endInset,
                   const std::string& caption, bool visible = true, bool shown = true, bool disabled = false);

    void Draw(CCanvas& dc, Rect clip) override;
    void SetRect(int left, int top, int right, int bottom) override;
    bool OnMouseMove(WPARAM flags, int x, int y) override;
    bool OnLButtonDown(WPARAM flags, int x, int y) override;
    bool OnLButtonUp(WPARAM flags, int x, int y) override;
    void ReleaseImages() override { thumbImage.reset(); }

    // The thumb picture; its size in design pixels is the thumb's size.
    bool SetThumbImage(std::string_view path) {
        return LoadImageFile(path, thumbImage, thumbWidth, thumbHeight);
    }
    // Puts the thumb on stop `stop` (clamped to the stops there are).
    void SetStop(int stop);
    // Index of the stop nearest to x.
    int NearestStop(int x) const;

    SkinImage thumbImage;
    int thumbWidth = 0;
    int thumbHeight = 0;
    int state = StateNormal;
    int dragX = 0;
    int stopCount = 0;
    int startInset = 0;
    int endInset = 0;
    Rect thumbRect;
    int index = 0;
    int reportedIndex = 0;
    int usableWidth = 0;
    std::vector<int> stops;
    bool dragging = false;

private:
    void ComputeStops();
    Rect ThumbRectAt(int stop) const;
};

} // namespace vexmo
