#include "settings/KeyFunctionCode.h"

#include <cstdio>

namespace vexmo {

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

} // namespace

uint8_t ReadHexPair(std::string_view text, size_t offset) {
    if (offset >= text.size()) {
        return 0;
    }
    const std::string_view pair = text.substr(offset, 2);
    unsigned value = 0;
    for (char c : pair) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            break;
        }
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return static_cast<uint8_t>(value);
}

std::string FormatKeyFunctionCode(KeyFunctionCode code) {
    char digits[7];
    std::snprintf(digits, sizeof digits, "%.2X%.2X%.2X", code.category, code.parameter1, code.parameter2);
    return std::string(digits, 6);
}

KeyFunctionCode ParseKeyFunctionCode(std::string_view text) {
    return {ReadHexPair(text, 0), ReadHexPair(text, 2), ReadHexPair(text, 4)};
}

} // namespace vexmo
