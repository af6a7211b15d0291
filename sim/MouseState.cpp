#include "sim/MouseState.h"

#include <bit>

namespace vexmo::sim {

namespace {
constexpr int kDpiUnit = 50;
constexpr int kDpiLevels = 6;
constexpr std::array<int, kDpiLevels> kFactoryDpi = {400, 800, 1600, 3200, 6400, 12000};
constexpr uint8_t kFactoryLevelMask = 0x3F;
constexpr int kFactoryActivePosition = 2;
} // namespace

MouseConfig FactoryConfig() {
    MouseConfig config;
    config.dpi[0] = static_cast<uint8_t>(kFactoryActivePosition << 4 | std::popcount(kFactoryLevelMask));
    config.dpi[1] = kFactoryLevelMask;
    for (int i = 0; i < kDpiLevels; ++i) {
        const int units = kFactoryDpi[static_cast<size_t>(i)] / kDpiUnit;
        config.dpi[static_cast<size_t>(2 + 2 * i)] = static_cast<uint8_t>(units & 0xFF);
        config.dpi[static_cast<size_t>(3 + 2 * i)] = static_cast<uint8_t>(units >> 8);
    }
    config.rateCode = 2;
    config.lighting = {0x00, 0x33}; // mode 0 (off), middle speed and brightness
    config.liftOff = {2, 0};
    config.debounce = 4;
    config.power = {10, 0};
    config.motionWakeup = 0;
    return config;
}

int ActiveLevelPosition(const MouseConfig& config) {
    return config.dpi[0] >> 4;
}

int EnabledLevelCount(const MouseConfig& config) {
    return std::popcount(config.dpi[1]);
}

int LevelDpi(const MouseConfig& config, int level) {
    if (level < 0 || level >= kDpiLevels) {
        return 0;
    }
    const size_t at = static_cast<size_t>(2 + 2 * level);
    return (config.dpi[at] | config.dpi[at + 1] << 8) * kDpiUnit;
}

int RateHz(uint8_t rateCode) {
    switch (rateCode) {
    case 8:
        return 125;
    case 4:
        return 250;
    case 2:
        return 500;
    default:
        return 1000;
    }
}

} // namespace vexmo::sim
