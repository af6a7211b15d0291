#include "settings/ShortcutBuilder.h"

#include "settings/KeyNameTable.h"
#include "settings/VirtualKeyUsage.h"

namespace vexmo {

namespace {

constexpr uint32_t kLeftWinKey = 0x5B;
constexpr uint32_t kRightWinKey = 0x5C;
constexpr uint32_t kFirstSidedModifierKey = 0xA0; // left Shift
constexpr uint32_t kLastSidedModifierKey = 0xA5;  // right Alt
constexpr uint32_t kLastKeyCode = 0xFF;

struct ModifierBox {
    bool ShortcutState::*checked;
    const char* text;
    uint8_t bit;
};

// In the order the name lists them.
constexpr ModifierBox kModifierBoxes[] = {
    {&ShortcutState::ctrl, "Ctrl+", kCtrlModifier},
    {&ShortcutState::shift, "Shift+", kShiftModifier},
    {&ShortcutState::alt, "Alt+", kAltModifier},
    {&ShortcutState::win, "Win+", kWinModifier},
};

} // namespace

bool ShortcutTakesKey(uint32_t virtualKey) {
    if (virtualKey > kLastKeyCode || virtualKey == kLeftWinKey || virtualKey == kRightWinKey) {
        return false;
    }
    return virtualKey < kFirstSidedModifierKey || virtualKey > kLastSidedModifierKey;
}

std::optional<KeyFunctionChoice> BuildShortcut(const ShortcutState& state) {
    KeyFunctionChoice choice{{}, {kKeyboardCategory, 0x00, 0x00}, nullptr};
    if (!state.modifiersOff) {
        for (const ModifierBox& box : kModifierBoxes) {
            if (state.*box.checked) {
                choice.name += box.text;
                choice.code.parameter1 |= box.bit;
            }
        }
    }
    if (state.capturedKey) {
        choice.name += KeyName(*state.capturedKey);
        choice.code.parameter2 = VirtualKeyUsage(*state.capturedKey);
    }
    choice.name = WithoutTrailingPlus(std::move(choice.name));
    if (choice.name.empty()) {
        return std::nullopt;
    }
    return choice;
}

} // namespace vexmo
