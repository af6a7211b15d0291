#include "device/ConfigBlocks.h"

#include "device/DpiStepTable.h"
#include "device/InputReport.h"
#include "settings/SettingPair.h"

namespace vexmo {

namespace {
constexpr size_t kSentDpiLevels = 6;
constexpr size_t kDpiValuesOffset = 2;

// Text settings are decimal; the mouse takes the low byte.
uint8_t SettingByte(const ProfileRecord& profile, ProfileSettingIndex index) {
    return static_cast<uint8_t>(DecimalValue(profile.SettingValue(index)));
}

void PutColour(uint8_t* at, uint32_t colour) {
    at[0] = RedOf(colour);
    at[1] = GreenOf(colour);
    at[2] = BlueOf(colour);
}

// Lighting modes with extra bytes after the speed/brightness byte.
constexpr uint8_t kWaveMode = 1;
constexpr uint8_t kColourCycleMode = 2;
constexpr uint8_t kSingleColourMode = 3;
constexpr uint8_t kSevenColourMode = 6;
constexpr uint8_t kTwoColourMode = 7;
constexpr size_t kCycleColours = 7;
constexpr size_t kLightingExtraOffset = 3;

void AppendLightingColours(const ProfileRecord& profile, uint8_t mode, LightingBlock& block) {
    const auto& selected = profile.Lighting1ColorSelected[mode];
    const auto& colours = profile.Lighting1FixedColor[mode];
    switch (mode) {
    case kWaveMode:
        block[0] = 3;
        block[kLightingExtraOffset] = profile.Lighting1Direction[kWaveMode];
        return;
    case kColourCycleMode: {
        uint8_t count = 0;
        for (size_t k = 0; k < kCycleColours; ++k) {
            // A selected black slot would be an invisible step of the cycle: left out.
            if (selected[k] != 0 && colours[k] != 0) {
                PutColour(&block[kLightingExtraOffset + 1 + 3 * count], colours[k]);
                ++count;
            }
        }
        block[0] = static_cast<uint8_t>(3 + 3 * count);
        block[kLightingExtraOffset] = count;
        return;
    }
    case kSingleColourMode:
        block[0] = 5;
        PutColour(&block[kLightingExtraOffset], colours[0]);
        return;
    case kSevenColourMode:
    case kTwoColourMode: {
        const size_t slots = mode == kSevenColourMode ? kCycleColours : 2;
        block[0] = static_cast<uint8_t>(2 + 3 * slots);
        for (size_t k = 0; k < slots; ++k) {
            if (selected[k] != 0) {
                PutColour(&block[kLightingExtraOffset + 3 * k], colours[k]);
            }
        }
        return;
    }
    default:
        block[0] = 2;
        return;
    }
}
} // namespace

ButtonBlock BuildButtonBlock(const ProfileRecord& profile) {
    ButtonBlock block{};
    for (size_t slot = 0; slot < kButtonSlots; ++slot) {
        const KeyFunctionCode& code = profile.keys[kProfileButtonOfSlot[slot]].code;
        block[slot] = {code.category, code.parameter1, code.parameter2};
    }
    return block;
}

DpiBlock BuildDpiBlock(const ProfileRecord& profile, const std::vector<uint16_t>& dpiSteps) {
    DpiBlock block{};
    const unsigned active = profile.CurrentDPILevelValue + 1u;
    block[0] = static_cast<uint8_t>((active << 4) | (EnabledLevelCount(profile.DPIOffOnFlagValue) & 0x0F));
    block[1] = profile.DPIOffOnFlagValue;
    for (size_t level = 0; level < kSentDpiLevels; ++level) {
        const uint16_t value = DpiStepValue(dpiSteps, profile.XYSetting[level]);
        block[kDpiValuesOffset + 2 * level] = static_cast<uint8_t>(value & 0xFF);
        block[kDpiValuesOffset + 2 * level + 1] = static_cast<uint8_t>(value >> 8);
    }
    return block;
}

DpiColourBlock BuildDpiColourBlock(const ProfileRecord& profile) {
    DpiColourBlock block{};
    for (size_t level = 0; level < kDpiLevelCount; ++level) {
        PutColour(&block[3 * level], profile.DPILevelIndication[level]);
    }
    return block;
}

uint8_t BuildReportRateCode(const ProfileRecord& profile) {
    return IntervalForRateIndex(profile.PollingRateValue[0]);
}

uint8_t BuildLiftOffCode(const ProfileRecord& profile) {
    return DecimalValue(profile.SettingValue(kLiftDetectionHeightSetting)) == 1 ? 1 : 2;
}

uint8_t BuildDebounce(const ProfileRecord& profile) {
    return SettingByte(profile, kKeyDebounceSetting);
}

LightingBlock BuildLightingBlock(const ProfileRecord& profile) {
    LightingBlock block{};
    const uint8_t mode = profile.Lighting1ModeValue[0];
    block[1] = mode;
    if (mode >= kLightingEffectCount) {
        // No effect entries to read for a mode the profile cannot hold (a damaged file):
        // the mode alone, with the lowest speed and brightness.
        block[0] = 2;
        block[2] = 0x11;
        return block;
    }
    const unsigned brightness = profile.Lighting1Brightness[mode] + 1u;
    const unsigned speed = profile.Lighting1Speed[mode] + 1u;
    block[2] = static_cast<uint8_t>((brightness << 4) | (speed & 0x0F));
    AppendLightingColours(profile, mode, block);
    return block;
}

PowerBlock BuildPowerBlock(const ProfileRecord& profile) {
    return {SettingByte(profile, kPowerDownTimeSetting), SettingByte(profile, kMoveLightingOnOffModeSetting)};
}

uint8_t BuildMotionBlock(const ProfileRecord& profile) {
    return SettingByte(profile, kMotionWakeupSetting);
}

} // namespace vexmo
