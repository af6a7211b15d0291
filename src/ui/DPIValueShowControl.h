#pragma once
// CDPIValueShowControl: a vertical level bar that only shows a value (set by the owner) and
// reports press (CN_PRESSED) and a release inside (CN_CLICKED); it never drags.
#include "ui/VerticalSliderControl.h"

namespace vexmo {

class CDPIValueShowControl : public CVerticalSliderControl {
public:
    using CVerticalSliderControl::CVerticalSliderControl;

    bool OnMouseMove(WPARAM, int x, int y) override { return ReferenceMove(state, x, y); }
    bool OnLButtonDown(WPARAM, int x, int y) override { return ReferencePress(state, x, y); }
    bool OnLButtonUp(WPARAM flags, int x, int y) override;
};

} // namespace vexmo
