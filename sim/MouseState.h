#pragma once
// What the simulated mouse holds: the configuration the host sent it, exactly as sent, and
// the status it reports back. Plain values; SimulatedMouse guards them.
#include "sim/SimTypes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace vexmo::sim {

inline constexpr int kButtonSlots = 6;
inline constexpr int kMacroSlots = 16;
inline constexpr size_t kDpiBlockLength = 18;
inline constexpr size_t kDpiColourBlockLength = 24;

struct MouseConfig {
    // Device button slot -> the three function bytes.
    std::array<std::array<uint8_t, 3>, kButtonSlots> buttons{};
    // Byte 0: (active position among enabled levels, from 1) << 4 | enabled count;
    // byte 1: enabled mask; then little-endian DPI/50 per level.
    std::array<uint8_t, kDpiBlockLength> dpi{};
    std::array<uint8_t, kDpiColourBlockLength> dpiColours{};
    uint8_t rateCode = 2;          // milliseconds between reports: 8, 4, 2 or 1
    std::vector<uint8_t> lighting; // payload of the lighting command (mode, speed/brightness, ...)
    std::array<uint8_t, 2> liftOff{};
    uint8_t debounce = 0;
    std::array<uint8_t, 2> power{};
    uint8_t motionWakeup = 0;
    // Event bytes (three per event) of each macro slot; empty optional = never sent.
    std::array<std::optional<std::vector<uint8_t>>, kMacroSlots> macros;
};

struct MouseStatus {
    uint8_t sensorCode = 0x27;
    uint8_t battery = 80;
    ChargeState charge = ChargeState::None;
    bool link = true;
};

// The configuration a factory reset returns to.
MouseConfig FactoryConfig();

// Active DPI level position among the enabled ones, counting from 1 (0 when none enabled).
int ActiveLevelPosition(const MouseConfig& config);
int EnabledLevelCount(const MouseConfig& config);
// DPI of level i (0..5) as the mouse holds it.
int LevelDpi(const MouseConfig& config, int level);
int RateHz(uint8_t rateCode);

} // namespace vexmo::sim
