#include "ui/DPIRadioButton.h"

#include "ui/UiGlobals.h"

namespace vexmo {

namespace {
constexpr int kDpiStep = 50;
constexpr int kLabelBandHeight = 11;
} // namespace

int CDPIRadioButton::Level() const {
    if (id < kFirstDpiLevelButtonId || id >= kFirstDpiLevelButtonId + kDpiLevelButtonCount)
        return -1;
    return static_cast<int>(id - kFirstDpiLevelButtonId);
}

bool CDPIRadioButton::IsSelected() const {
    const int level = Level();
    return level >= 0 && (DpiLevelMask & (1u << level)) != 0;
}

void CDPIRadioButton::Select() {
    const int level = Level();
    if (level < 0)
        return;
    const uint32_t levels = (1u << (level + 1)) - 1;
    DpiLevelMask = (DpiLevelMask & ~0xFFu) | levels;
}

void CDPIRadioButton::Draw(CCanvas& dc, Rect) {
    DrawLook(dc);
    const Rect band{rect.left, rect.top, rect.right, rect.top + ScaleI(kLabelBandHeight)};
    DrawCaption(dc, font, std::to_string(dpiValue * kDpiStep), band,
                DT_WORD_ELLIPSIS | DT_SINGLELINE | DT_CENTER, labelColour);
}

} // namespace vexmo
