#pragma once
// The bytes of each configuration command, built from a profile. The same builders feed the
// shadows (what the mouse is believed to hold) and the reports, so the two cannot disagree.
#include "settings/ProfileRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vexmo {

inline constexpr size_t kButtonSlots = 6;
// Device button slot -> profile button: the mouse numbers back and forward the other way.
inline constexpr std::array<size_t, kButtonSlots> kProfileButtonOfSlot{0, 1, 2, 4, 3, 5};

using ButtonCode = std::array<uint8_t, 3>;
using ButtonBlock = std::array<ButtonCode, kButtonSlots>;

// 18 bytes are sent; the last four are always zero and only the first 17 are compared.
inline constexpr size_t kDpiBlockLength = 18;
inline constexpr size_t kDpiBlockCompared = 17;
using DpiBlock = std::array<uint8_t, kDpiBlockLength>;

inline constexpr size_t kDpiColourBlockLength = 24;
using DpiColourBlock = std::array<uint8_t, kDpiColourBlockLength>;

// Byte 0 counts the bytes that follow it, at most 24.
inline constexpr size_t kLightingBlockLength = 25;
using LightingBlock = std::array<uint8_t, kLightingBlockLength>;

using PowerBlock = std::array<uint8_t, 2>;

ButtonBlock BuildButtonBlock(const ProfileRecord& profile);
DpiBlock BuildDpiBlock(const ProfileRecord& profile, const std::vector<uint16_t>& dpiSteps);
DpiColourBlock BuildDpiColourBlock(const ProfileRecord& profile);
uint8_t BuildReportRateCode(const ProfileRecord& profile);
uint8_t BuildLiftOffCode(const ProfileRecord& profile);
uint8_t BuildDebounce(const ProfileRecord& profile);
LightingBlock BuildLightingBlock(const ProfileRecord& profile);
PowerBlock BuildPowerBlock(const ProfileRecord& profile);
uint8_t BuildMotionBlock(const ProfileRecord& profile);

// Bytes of the lighting block that count: its first byte and the ones it counts.
inline size_t LightingBlockUsed(const LightingBlock& block) {
    return size_t{block[0]} + 1;
}

} // namespace vexmo
