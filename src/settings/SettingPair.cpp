#include "settings/SettingPair.h"


namespace vexmo {

bool SplitSettingLine(std::string_view line, SettingPair& pair) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return false;
    }
    pair.name.assign(line.substr(0, equals));
    pair.value.assign(line.substr(equals + 1));
    return true;
}

namespace {
int HexDigit(char c) {
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

uint32_t LeadingHexValue(std::string_view text) {
    uint32_t value = 0;
    for (char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) {
            break;
        }
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    return value;
}

std::string ReadFailure::Message() const {
    if (line <= 0) {
        return reason;
    }
    return "line " + std::to_string(line) + ": " + reason;
}

} // namespace vexmo
