#pragma once
// Virtual-key codes: the only key numbers the rest of the program sees. Each backend maps
// its own key identities onto these (the X11 table is in x11/X11Keys.cpp).
#include <cstdint>

namespace vexmo {

constexpr uint32_t VK_LBUTTON = 0x01;
constexpr uint32_t VK_RBUTTON = 0x02;
constexpr uint32_t VK_MBUTTON = 0x04;
constexpr uint32_t VK_BACK = 0x08;
constexpr uint32_t VK_TAB = 0x09;
constexpr uint32_t VK_RETURN = 0x0D;
constexpr uint32_t VK_SHIFT = 0x10;
constexpr uint32_t VK_CONTROL = 0x11;
constexpr uint32_t VK_MENU = 0x12;
constexpr uint32_t VK_PAUSE = 0x13;
constexpr uint32_t VK_CAPITAL = 0x14;
constexpr uint32_t VK_ESCAPE = 0x1B;
constexpr uint32_t VK_SPACE = 0x20;
constexpr uint32_t VK_PRIOR = 0x21;
constexpr uint32_t VK_NEXT = 0x22;
constexpr uint32_t VK_END = 0x23;
constexpr uint32_t VK_HOME = 0x24;
constexpr uint32_t VK_LEFT = 0x25;
constexpr uint32_t VK_UP = 0x26;
constexpr uint32_t VK_RIGHT = 0x27;
constexpr uint32_t VK_DOWN = 0x28;
constexpr uint32_t VK_SNAPSHOT = 0x2C;
constexpr uint32_t VK_INSERT = 0x2D;
constexpr uint32_t VK_DELETE = 0x2E;
// '0'..'9' are 0x30..0x39 and 'A'..'Z' are 0x41..0x5A.
constexpr uint32_t VK_LWIN = 0x5B;
constexpr uint32_t VK_RWIN = 0x5C;
constexpr uint32_t VK_APPS = 0x5D;
constexpr uint32_t VK_NUMPAD0 = 0x60;
constexpr uint32_t VK_MULTIPLY = 0x6A;
constexpr uint32_t VK_ADD = 0x6B;
constexpr uint32_t VK_SUBTRACT = 0x6D;
constexpr uint32_t VK_DECIMAL = 0x6E;
constexpr uint32_t VK_DIVIDE = 0x6F;
constexpr uint32_t VK_F1 = 0x70;
constexpr uint32_t VK_F24 = 0x87;
constexpr uint32_t VK_NUMLOCK = 0x90;
constexpr uint32_t VK_SCROLL = 0x91;
constexpr uint32_t VK_LSHIFT = 0xA0;
constexpr uint32_t VK_RSHIFT = 0xA1;
constexpr uint32_t VK_LCONTROL = 0xA2;
constexpr uint32_t VK_RCONTROL = 0xA3;
constexpr uint32_t VK_LMENU = 0xA4;
constexpr uint32_t VK_RMENU = 0xA5;
constexpr uint32_t VK_VOLUME_MUTE = 0xAD;
constexpr uint32_t VK_VOLUME_DOWN = 0xAE;
constexpr uint32_t VK_VOLUME_UP = 0xAF;
constexpr uint32_t VK_MEDIA_NEXT_TRACK = 0xB0;
constexpr uint32_t VK_MEDIA_PREV_TRACK = 0xB1;
constexpr uint32_t VK_MEDIA_STOP = 0xB2;
constexpr uint32_t VK_MEDIA_PLAY_PAUSE = 0xB3;
constexpr uint32_t VK_OEM_1 = 0xBA;      // ;:
constexpr uint32_t VK_OEM_PLUS = 0xBB;   // =+
constexpr uint32_t VK_OEM_COMMA = 0xBC;  // ,<
constexpr uint32_t VK_OEM_MINUS = 0xBD;  // -_
constexpr uint32_t VK_OEM_PERIOD = 0xBE; // .>
constexpr uint32_t VK_OEM_2 = 0xBF;      // /?
constexpr uint32_t VK_OEM_3 = 0xC0;      // `~
constexpr uint32_t VK_OEM_4 = 0xDB;      // [{
constexpr uint32_t VK_OEM_5 = 0xDC;      // \|
constexpr uint32_t VK_OEM_6 = 0xDD;      // ]}
constexpr uint32_t VK_OEM_7 = 0xDE;      // '"
constexpr uint32_t VK_OEM_102 = 0xE2;    // <> on ISO keyboards

} // namespace vexmo
