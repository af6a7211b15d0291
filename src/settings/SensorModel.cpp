#include "settings/SensorModel.h"

#include "settings/SettingPair.h"

#include <cstdio>

namespace vexmo {

std::string FormatSensorText(uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(value));
    return text;
}

uint16_t ParseSensorText(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    if (text.size() - i >= 2 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        i += 2;
        while (i < text.size() && text[i] == ' ') {
            ++i; // files written with "0x%4X" pad small values with spaces
        }
    }
    return static_cast<uint16_t>(LeadingHexValue(text.substr(i)));
}

} // namespace vexmo
