#pragma once
// One row of a popup list, and the record a popup hands its parent when a row is chosen.
#include <cstdint>
#include <string>

#include "platform/core/Types.h"
#include "ui/SkinImage.h"

namespace vexmo {

struct PopupItem {
    int separator = 0; // non-zero: a separator line, never hot or chosen
    int value = 0;     // 1-based in the combo lists
    SkinImage icon;    // optional picture at the row's left
    int iconWidth = 0;
    int iconHeight = 0;
    std::string caption;
    Rect rect;          // client coordinates, set by the layout
    int hasSubmenu = 0; // the row opens another popup
};

// Passed by address as lParam of a choice report; valid for the duration of that report only.
struct PopupResult {
    std::string caption;
    uint8_t code0 = 0;
    uint8_t code1 = 0;
    uint8_t code2 = 0;
};

} // namespace vexmo
