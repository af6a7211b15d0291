#pragma once
// One profile's settings, as the main window edits them, the upload sends them and the
// profile file stores them. Plain data: texts are UTF-8, colours 0x00BBGGRR (red low byte).
#include "settings/KeyAssignment.h"
#include "settings/SettingPair.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vexmo {

inline constexpr size_t kProfileSettingCount = 20;
inline constexpr size_t kProfileKeyCount = 6;
inline constexpr size_t kLightingEffectCount = 10;
inline constexpr size_t kLightingColorSlots = 10;
inline constexpr size_t kDpiLevelCount = 8;

// Positions of the named settings in ProfileRecord::settings.
enum ProfileSettingIndex : size_t {
    kProfileNameSetting = 0,
    kGameFile0Setting = 1,
    kGameFile1Setting = 2,
    kGameFile2Setting = 3,
    kDoubleClickSpeedSetting = 4,
    kPointerSpeedSetting = 5,
    kAccelerationEnableSetting = 6,
    kScrollWheelSpeedSetting = 7,
    kScrollWheelPageEnableSetting = 8,
    kTiltSpeedSetting = 9,
    kSensitivityXSetting = 10,
    kSensitivityYSetting = 11,
    kXYSynchronousSetting = 12,
    kXDpiSetting = 13,
    kYDpiSetting = 14,
    kMoveLightingOnOffModeSetting = 15,
    kPowerDownTimeSetting = 16,
    kLiftDetectionHeightSetting = 17,
    kKeyDebounceSetting = 18,
    kMotionWakeupSetting = 19,
};

using ThreeBytes = std::array<uint8_t, 3>;

struct ProfileRecord {
    std::array<SettingPair, kProfileSettingCount> settings{};
    std::array<KeyAssignment, kProfileKeyCount> keys{};
    std::string PollingRateName;
    ThreeBytes PollingRateValue{}; // byte 0: 0 = 125 Hz, 1 = 250, 2 = 500, 3 = 1000
    uint8_t Lighting1OffOn = 1;
    std::string Lighting1Name;
    ThreeBytes Lighting1ModeValue{}; // byte 0: the effect in force, 0 to 9
    std::array<uint8_t, kLightingEffectCount> Lighting1Speed{};
    std::array<uint8_t, kLightingEffectCount> Lighting1Brightness{};
    std::array<std::array<uint8_t, kLightingColorSlots>, kLightingEffectCount> Lighting1ColorSelected{};
    std::array<std::array<uint32_t, kLightingColorSlots>, kLightingEffectCount> Lighting1FixedColor{};
    std::array<uint8_t, kLightingEffectCount> Lighting1Direction{};
    uint8_t Lighting2OffOn = 0;
    std::string Lighting2Name;
    ThreeBytes Lighting2ModeValue{};
    uint8_t Lighting2Speed = 2;
    uint8_t Lighting2Brightness = 100;
    uint32_t Lighting2FixedColor = 0;
    uint8_t DPIOffOnFlagValue = 0x7F;                 // bit i: level i enabled
    std::array<uint16_t, kDpiLevelCount> XYSetting{}; // step indexes into the DPI step table
    uint8_t CurrentDPILevelValue = 0;                 // position among the enabled levels
    std::array<uint32_t, kDpiLevelCount> DPILevelIndication{};
    uint8_t AngleSnapValue = 0;
    uint8_t LiftDetectionValue = 0;

    // The button with index 0 to 5; null for any other index.
    KeyAssignment* Key(size_t index);
    const KeyAssignment* Key(size_t index) const;

    const std::string& SettingValue(ProfileSettingIndex index) const { return settings[index].value; }
    // Stored as "1" for any value above 0, else "0".
    void SetMoveLightingOnOffMode(int value);
    void SetPowerDownTime(int value);
    void SetMotionWakeup(int value);
    void SetLighting1Name(std::string name) { Lighting1Name = std::move(name); }
    void SetLighting2Name(std::string name) { Lighting2Name = std::move(name); }

    friend bool operator==(const ProfileRecord&, const ProfileRecord&) = default;
};

// 0x00BBGGRR from red, green and blue, and back.
constexpr uint32_t ColorFromRgb(uint8_t red, uint8_t green, uint8_t blue) {
    return uint32_t{red} | (uint32_t{green} << 8) | (uint32_t{blue} << 16);
}
constexpr uint8_t RedOf(uint32_t color) {
    return static_cast<uint8_t>(color & 0xFF);
}
constexpr uint8_t GreenOf(uint32_t color) {
    return static_cast<uint8_t>((color >> 8) & 0xFF);
}
constexpr uint8_t BlueOf(uint32_t color) {
    return static_cast<uint8_t>((color >> 16) & 0xFF);
}

} // namespace vexmo
