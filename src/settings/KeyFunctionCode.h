#pragma once
// The three bytes a mouse button carries out: category, parameter 1, parameter 2.
// The program produces and stores them; only the mouse interprets them.
#include <cstdint>
#include <string>
#include <string_view>

namespace vexmo {

struct KeyFunctionCode {
    uint8_t category = 0;
    uint8_t parameter1 = 0;
    uint8_t parameter2 = 0;

    friend bool operator==(const KeyFunctionCode&, const KeyFunctionCode&) = default;
};

// Categories (byte 0).
inline constexpr uint8_t kNoFunctionCategory = 0x00;
inline constexpr uint8_t kMouseButtonCategory = 0x10; // parameter 1: button mask
inline constexpr uint8_t kFireKeyCategory = 0x30;     // parameters: first and second fire value
inline constexpr uint8_t kDpiFunctionCategory = 0x40; // parameter 1: 1, 2 or 3
inline constexpr uint8_t kDpiLockCategory = 0x50;     // parameter 1: n locks at (n + 1) x 100 DPI
inline constexpr uint8_t kSpecialCategory = 0x60;     // the single function of language entry 33
inline constexpr uint8_t kKeyboardCategory = 0x70;    // parameter 1: modifier mask, 2: keyboard usage
inline constexpr uint8_t kConsumerCategory = 0x80;    // consumer usage, low byte first
inline constexpr uint8_t kMacroCategory = 0x90;       // rewritten by the upload

// Mouse button masks (parameter 1 of category 0x10).
inline constexpr uint8_t kLeftButtonMask = 0x01;
inline constexpr uint8_t kRightButtonMask = 0x02;
inline constexpr uint8_t kMiddleButtonMask = 0x04;
inline constexpr uint8_t kBackButtonMask = 0x08;
inline constexpr uint8_t kForwardButtonMask = 0x10;

// Modifier bits (parameter 1 of category 0x70): the left-hand modifiers of a keyboard report.
inline constexpr uint8_t kCtrlModifier = 0x01;
inline constexpr uint8_t kShiftModifier = 0x02;
inline constexpr uint8_t kAltModifier = 0x04;
inline constexpr uint8_t kWinModifier = 0x08;

inline constexpr KeyFunctionCode kNoFunctionCode{kNoFunctionCategory, 0x00, 0x00};
inline constexpr KeyFunctionCode kLeftButtonCode{kMouseButtonCategory, kLeftButtonMask, 0x00};
inline constexpr KeyFunctionCode kRightButtonCode{kMouseButtonCategory, kRightButtonMask, 0x00};
inline constexpr KeyFunctionCode kMiddleButtonCode{kMouseButtonCategory, kMiddleButtonMask, 0x00};
inline constexpr KeyFunctionCode kForwardButtonCode{kMouseButtonCategory, kForwardButtonMask, 0x00};
inline constexpr KeyFunctionCode kBackButtonCode{kMouseButtonCategory, kBackButtonMask, 0x00};
// The DPI functions 1, 2 and 3, in the order of the DPI list.
inline constexpr KeyFunctionCode kDpiFunction1Code{kDpiFunctionCategory, 0x02, 0x00};
inline constexpr KeyFunctionCode kDpiFunction2Code{kDpiFunctionCategory, 0x03, 0x00};
inline constexpr KeyFunctionCode kDpiFunction3Code{kDpiFunctionCategory, 0x01, 0x00};
inline constexpr KeyFunctionCode kSpecialFunctionCode{kSpecialCategory, 0x04, 0x00};
inline constexpr KeyFunctionCode kMacroCode{kMacroCategory, 0x00, 0x00};

// A consumer-page usage as a code: low byte in parameter 1, high byte in parameter 2.
constexpr KeyFunctionCode ConsumerCode(uint16_t usage) {
    return {kConsumerCategory, static_cast<uint8_t>(usage & 0xFF), static_cast<uint8_t>(usage >> 8)};
}

// "%.2X%.2X%.2X", category first: the left button is "100100".
std::string FormatKeyFunctionCode(KeyFunctionCode code);
// Reads the three pairs at the start of `text`; a pair that is not hexadecimal (or is
// missing) reads as 0.
KeyFunctionCode ParseKeyFunctionCode(std::string_view text);

// The byte written as the two characters at `offset` of `text`, read as base 16: the hex
// digits at the front of the pair count and the first other character ends the number, so
// "1G" is 1 and "XY" or a pair past the end is 0. Shared by every hexadecimal file field.
uint8_t ReadHexPair(std::string_view text, size_t offset);

} // namespace vexmo
