#include "ui/DPIValueShowControl.h"

namespace vexmo {

bool CDPIValueShowControl::OnLButtonUp(WPARAM, int x, int y) {
    bool inside = false;
    const bool changed = ReferenceRelease(state, x, y, inside);
    if (inside)
        Notify(0, CN_CLICKED);
    return changed;
}

} // namespace vexmo
