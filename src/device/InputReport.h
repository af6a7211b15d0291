#pragma once
// The input report the mouse sends when its own buttons change the DPI level or the report
// rate: ID 0x05, message 0x06, the report interval code at byte 3 and the active level (its
// position among the enabled levels, from 1) at byte 4.
#include <cstdint>
#include <optional>
#include <span>

namespace vexmo {

inline constexpr uint8_t kInputReportId = 0x05;
inline constexpr uint8_t kSettingChangeMessage = 0x06;
// Bytes a setting-change report must have to reach the level byte.
inline constexpr size_t kInputReportMinLength = 5;

struct SettingChange {
    uint8_t intervalCode = 0;
    uint8_t levelByte = 0; // 1 = first enabled level; 0 is not a level
};

// True for a setting-change report (the only input reports the program reads); other
// reports, and reports too short to carry both values, are ignored.
bool IsSettingChangeReport(std::span<const uint8_t> report);
std::optional<SettingChange> DecodeSettingChange(std::span<const uint8_t> report);

// Report-rate index (0 = 125 Hz ... 3 = 1000 Hz) of a report interval code.
uint8_t RateIndexForInterval(uint8_t intervalCode);
// Report interval code the mouse is sent for a report-rate index.
uint8_t IntervalForRateIndex(uint8_t rateIndex);

// The DPI level (bit position in the enable mask) of the enabled level at `position`
// (counting enabled levels from 0), or none when fewer levels are enabled.
std::optional<uint8_t> EnabledLevelAt(uint8_t enableMask, uint8_t position);
uint8_t EnabledLevelCount(uint8_t enableMask);

} // namespace vexmo
