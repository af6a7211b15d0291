#pragma once
// The keyboard shortcut a user puts together in the shortcut dialog, turned into a name and a
// category 0x70 code.
#include "settings/KeyFunctionChoice.h"

#include <cstdint>
#include <optional>

namespace vexmo {

struct ShortcutState {
    bool modifiersOff = false; // the switch-off box: ignore the four modifier boxes
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    bool win = false;
    std::optional<uint8_t> capturedKey; // virtual key of the last key event taken
};

// Whether a key event from the hook becomes the captured key: the Windows keys, the left and
// right Shift/Ctrl/Alt keys and codes above 255 are ignored.
bool ShortcutTakesKey(uint32_t virtualKey);
// "Ctrl+Alt+A" with 70 05 04; nothing when the name would be empty.
std::optional<KeyFunctionChoice> BuildShortcut(const ShortcutState& state);

} // namespace vexmo
