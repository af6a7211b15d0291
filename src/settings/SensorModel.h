#pragma once
// The model number of the mouse's sensor. It picks the DPI step table and the profiles'
// DPI defaults, and is stored in the application settings as hexadecimal text.
#include <cstdint>
#include <string>
#include <string_view>

namespace vexmo {

using SensorModel = uint16_t;

inline constexpr SensorModel kDefaultSensorModel = 0x3104;

// "0x" and four upper-case digits. Zero-padded: a space-padded form would not read back.
std::string FormatSensorText(uint16_t value);
// Reads "0x3104", "3104" or the older space-padded "0x 123"; text that is not hexadecimal
// reads as 0. Values wider than 16 bits keep their low 16 bits.
uint16_t ParseSensorText(std::string_view text);

} // namespace vexmo
