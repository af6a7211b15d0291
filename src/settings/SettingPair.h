#pragma once
// A named text setting, and the small text rules every settings file shares: a line is split
// at its first "=", numbers are read from the front of a value the way the files were always
// read (digits up to the first other character; no digits reads as 0).
#include "settings/DecimalText.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vexmo {

struct SettingPair {
    std::string name;
    std::string value;

    friend bool operator==(const SettingPair&, const SettingPair&) = default;
};

// Splits at the first "=": name before it, value after it (possibly empty). False when the
// line has no "=".
bool SplitSettingLine(std::string_view line, SettingPair& pair);

// Hexadecimal digits at the start of the text; no digits reads as 0. Wider values wrap to 32 bits.
uint32_t LeadingHexValue(std::string_view text);

// Where and why reading a settings file stopped.
struct ReadFailure {
    int line = 0; // 1-based; 0 when the file could not be opened at all
    std::string reason;

    // "line 58: action text is 2687 characters, expected 2688", or the reason alone for line 0.
    std::string Message() const;
};

} // namespace vexmo
