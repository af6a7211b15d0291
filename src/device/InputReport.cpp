#include "device/InputReport.h"

#include <bit>

namespace vexmo {

namespace {
constexpr size_t kIntervalOffset = 3;
constexpr size_t kLevelOffset = 4;
constexpr uint8_t kLevelBits = 8;
} // namespace

bool IsSettingChangeReport(std::span<const uint8_t> report) {
    return report.size() >= kInputReportMinLength && report[0] == kInputReportId &&
           report[1] == kSettingChangeMessage;
}

std::optional<SettingChange> DecodeSettingChange(std::span<const uint8_t> report) {
    if (!IsSettingChangeReport(report)) {
        return std::nullopt;
    }
    return SettingChange{report[kIntervalOffset], report[kLevelOffset]};
}

uint8_t RateIndexForInterval(uint8_t intervalCode) {
    switch (intervalCode) {
    case 8:
        return 0;
    case 4:
        return 1;
    case 2:
        return 2;
    default:
        return 3;
    }
}

uint8_t IntervalForRateIndex(uint8_t rateIndex) {
    switch (rateIndex) {
    case 0:
        return 8;
    case 1:
        return 4;
    case 2:
        return 2;
    default:
        return 1;
    }
}

std::optional<uint8_t> EnabledLevelAt(uint8_t enableMask, uint8_t position) {
    uint8_t seen = 0;
    for (uint8_t level = 0; level < kLevelBits; ++level) {
        if ((enableMask & (1u << level)) == 0) {
            continue;
        }
        if (seen == position) {
            return level;
        }
        ++seen;
    }
    return std::nullopt;
}

uint8_t EnabledLevelCount(uint8_t enableMask) {
    return static_cast<uint8_t>(std::popcount(enableMask));
}

} // namespace vexmo
