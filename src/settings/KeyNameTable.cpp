#include "settings/KeyNameTable.h"

#include <initializer_list>

namespace vexmo {

namespace {

struct NameRun {
    uint8_t first;
    std::initializer_list<std::string_view> names; // for codes first, first + 1, ...
};

constexpr std::array<std::string_view, 256> BuildKeyNames() {
    std::array<std::string_view, 256> names{};
    names.fill(kUndefinedKeyName);
    const NameRun runs[] = {
        {0x01, {"LBUTTON", "RBUTTON", "CANCEL", "MBUTTON", "XBUTTON1", "XBUTTON2"}},
        {0x08, {"Backspace", "Tab"}},
        {0x0C, {"Clear", "Enter"}},
        {0x10, {"Shift", "Ctrl", "Alt", "Pause", "CapsLock", "Kana"}},
        {0x17, {"junja", "Final", "Hanja"}},
        {0x1B, {"Esc", "Convert", "Nonconvert", "Accept", "ModeChange"}},
        {0x20,
         {"Space", "Page Up", "Page Down", "End", "Home", "Left Arrow", "Up Arrow", "Right Arrow",
          "Down Arrow"}},
        {0x29, {"Select", "Print", "Execute", "Print Screen", "Ins", "Del", "Help"}},
        {0x30, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {0x41, {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"}},
        {0x5B, {"Win_L", "Win_R", "App"}},
        {0x5F, {"Sleep"}},
        {0x60, {"Num0", "Num1", "Num2", "Num3", "Num4", "Num5", "Num6", "Num7", "Num8", "Num9"}},
        {0x6A, {"Multiply", "Add", "Separator", "Subtract", "Decimal", "Divide"}},
        {0x70, {"F1",  "F2",  "F3",  "F4",  "F5",  "F6",  "F7",  "F8",  "F9",  "F10", "F11", "F12",
                "F13", "F14", "F15", "F16", "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"}},
        {0x90, {"Num Lock", "Scroll Lock"}},
        {0xA0, {"Shift_L", "Shift_R", "Ctrl_L", "Ctrl_R", "Alt_L", "Alt_R"}},
        {0xBA, {";", "=", ",", "-", ".", "/", "~"}},
        {0xDB, {"[", "\\", "]", "'"}},
        {0xE0, {"L Key", "R Key", "M Key", "K4", "K5", "Mouse X", "Mouse Y", "Mouse Wheel"}},
    };
    for (const NameRun& run : runs) {
        size_t code = run.first;
        for (std::string_view name : run.names) {
            names[code++] = name;
        }
    }
    return names;
}

constexpr std::array<std::string_view, 256> kKeyNames = BuildKeyNames();

} // namespace

const std::array<std::string_view, 256>& KeyNameTable() {
    return kKeyNames;
}

std::string_view KeyName(uint32_t virtualKey) {
    return virtualKey < kKeyNames.size() ? kKeyNames[virtualKey] : kUndefinedKeyName;
}

} // namespace vexmo
