#pragma once
// CDPIRadioButton: a DPI level button (ids 3290..3297 for levels 1..8). A click on level k + 1
// selects levels 1 to k + 1 in the low byte of DpiLevelMask; drawn selected while its level's
// bit is set, with the DPI value as a label along the top.
#include "ui/RadioButton.h"

namespace vexmo {

inline constexpr uint32_t kFirstDpiLevelButtonId = 3290;
inline constexpr int kDpiLevelButtonCount = 8;

class CDPIRadioButton : public CRadioButton {
public:
    using CRadioButton::CRadioButton;

    void Draw(CCanvas& dc, Rect clip) override;

    // DPI divided by 50.
    int dpiValue = 0;
    COLORREF labelColour = kCaptionNormal;

protected:
    bool IsSelected() const override;
    void Select() override;

private:
    // 0..7, or -1 for an id outside the DPI buttons.
    int Level() const;
};

} // namespace vexmo
