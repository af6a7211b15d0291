#include "settings/ProfileDefaults.h"

#include "settings/AppSettings.h"
#include "settings/Globals.h"
#include "settings/LanguageTable.h"
#include "settings/ProfileTable.h"

#include <cstdio>

namespace vexmo {

namespace {

constexpr int kFirstProfileNameEntry = 85;
constexpr int kLighting1NameEntry = 109;
constexpr int kLighting2NameEntry = 100;
constexpr uint8_t kDefaultDpiLevelMask = 0x3F;
constexpr uint8_t kDefaultDpiLevel = 1;
constexpr uint8_t kDefaultLiftDetection = 2;

struct NamedDefault {
    const char* name;
    const char* value; // null: the profile name, chosen by the slot
};

constexpr NamedDefault kSettingDefaults[kProfileSettingCount] = {
    {"ProfileName", nullptr},
    {"GameFile0", ""},
    {"GameFile1", ""},
    {"GameFile2", ""},
    {"DoubleClickSpeed", "6"},
    {"PointerSpeed", "5"},
    {"AccelerationEnable", "1"},
    {"ScrollWheelSpeed", "2"},
    {"ScrollWheelPageEnable", "0"},
    {"TiltSpeed", "2"},
    {"Sensitivity_X", "4"},
    {"Sensitivity_Y", "4"},
    {"XYSynchronous", "1"},
    {"X_DPI", "1"},
    {"Y_DPI", "1"},
    {"MoveLightingOnOffMode", "0"},
    {"PowerDownTime", "6"},
    {"LiftDetectionHeight", "2"},
    {"KeyDebounce", "12"},
    {"MotionWakeup", "1"},
};

struct KeyDefault {
    int nameEntry;
    KeyFunctionCode code;
};

constexpr KeyDefault kKeyDefaults[kProfileKeyCount] = {
    {20, kLeftButtonCode},    {21, kRightButtonCode}, {22, kMiddleButtonCode},
    {23, kForwardButtonCode}, {24, kBackButtonCode},  {42, kDpiFunction3Code},
};

constexpr uint32_t Rgb(uint32_t rrggbb) {
    return ColorFromRgb(static_cast<uint8_t>(rrggbb >> 16), static_cast<uint8_t>(rrggbb >> 8),
                        static_cast<uint8_t>(rrggbb));
}

struct EffectDefault {
    uint8_t speed;
    uint8_t brightness;
    uint8_t direction;
    std::array<uint32_t, kLightingColorSlots> colors; // RRGGBB of the slots in use
    size_t colorCount;
};

const std::array<EffectDefault, kLightingEffectCount> kEffectDefaults = {{
    {1, 1, 0, {}, 0},
    {1, 1, 1, {}, 0},
    {1, 1, 0, {0xFF0000, 0x00FF00, 0x0000FF, 0x00FFFF, 0xFFFF00, 0xFF00FF, 0xFFFFFF}, 7},
    {1, 3, 0, {0xFF00FF}, 1},
    {1, 1, 0, {}, 0},
    {1, 1, 0, {}, 0},
    {1, 1, 0, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFA00FA, 0xFFFFFF, 0xFA46FF}, 8},
    {1, 1, 0, {0x00FF00, 0xFA006A}, 2},
    {1, 1, 0, {}, 0},
    {1, 1, 0, {}, 0},
}};

constexpr std::array<uint32_t, kDpiLevelCount> kLevelColors = {
    0xFF0000, 0x0000FF, 0x00FF00, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0xFFFFFF, 0xFFFFFF,
};

struct SensorRow {
    SensorModel sensor;
    std::array<uint16_t, kDpiLevelCount> steps;
};

constexpr SensorRow kSensorRows[] = {
    {0x3104, {7, 15, 23, 31, 44, 47, 58, 50}},   {0x3212, {6, 10, 14, 22, 33, 12, 12, 12}},
    {0x3325, {6, 14, 22, 30, 51, 58, 58, 50}},   {0x3327, {2, 6, 14, 30, 48, 58, 58, 58}},
    {0x3335, {11, 23, 31, 63, 99, 159, 59, 59}}, {0x3360, {3, 7, 15, 31, 49, 59, 59, 59}},
    {0x3389, {3, 7, 15, 31, 49, 59, 59, 59}},    {0x3370, {7, 15, 31, 63, 99, 119, 119, 119}},
    {0x3395, {7, 15, 31, 63, 99, 99, 99, 99}},   {0x3399, {7, 15, 31, 63, 99, 99, 99, 99}},
};

std::string ProfileName(unsigned slot, const LanguageTable& language) {
    if (slot < static_cast<unsigned>(kProfileSlots)) {
        return language.Text(kFirstProfileNameEntry + static_cast<int>(slot));
    }
    char name[32];
    std::snprintf(name, sizeof name, "Profile%u", slot + 1);
    return name;
}

void ResetSettings(ProfileRecord& record, unsigned slot, const LanguageTable& language) {
    for (size_t i = 0; i < kProfileSettingCount; ++i) {
        const NamedDefault& pair = kSettingDefaults[i];
        record.settings[i] = {pair.name, pair.value != nullptr ? pair.value : ProfileName(slot, language)};
    }
}

void ResetKeys(ProfileRecord& record, const LanguageTable& language) {
    const MacroRecord emptyMacro;
    for (size_t i = 0; i < kProfileKeyCount; ++i) {
        KeyAssignment& key = record.keys[i];
        key.name = language.Text(kKeyDefaults[i].nameEntry);
        key.code = kKeyDefaults[i].code;
        key.MacroKeyIndex = 0;
        AssignMacroToKey(key, &emptyMacro);
    }
}

void ResetLighting(ProfileRecord& record, const LanguageTable& language) {
    record.Lighting1Name = language.Text(kLighting1NameEntry);
    record.Lighting1ModeValue = {0, 0, 0};
    for (size_t e = 0; e < kLightingEffectCount; ++e) {
        const EffectDefault& effect = kEffectDefaults[e];
        record.Lighting1Speed[e] = effect.speed;
        record.Lighting1Brightness[e] = effect.brightness;
        record.Lighting1Direction[e] = effect.direction;
        for (size_t c = 0; c < kLightingColorSlots; ++c) {
            const bool used = c < effect.colorCount;
            record.Lighting1ColorSelected[e][c] = used ? 1 : 0;
            record.Lighting1FixedColor[e][c] = used ? Rgb(effect.colors[c]) : 0;
        }
    }
    record.Lighting2OffOn = 0;
    record.Lighting2Name = language.Text(kLighting2NameEntry);
    record.Lighting2ModeValue = {1, 0, 0};
    record.Lighting2Speed = 0;
    record.Lighting2Brightness = 0;
    record.Lighting2FixedColor = 0;
}

} // namespace

std::optional<std::array<uint16_t, kDpiLevelCount>> SensorDpiDefaults(SensorModel sensor) {
    for (const SensorRow& row : kSensorRows) {
        if (row.sensor == sensor) {
            return row.steps;
        }
    }
    return std::nullopt;
}

void ApplySensorDpiDefaults(ProfileRecord& record, SensorModel sensor) {
    record.DPIOffOnFlagValue = kDefaultDpiLevelMask;
    if (const auto steps = SensorDpiDefaults(sensor)) {
        record.XYSetting = *steps;
    }
    record.CurrentDPILevelValue = kDefaultDpiLevel;
    for (size_t level = 0; level < kDpiLevelCount; ++level) {
        record.DPILevelIndication[level] = Rgb(kLevelColors[level]);
    }
    record.AngleSnapValue = 0;
    record.LiftDetectionValue = kDefaultLiftDetection;
}

void ApplySensorDpiDefaults(ProfileRecord& record) {
    ApplySensorDpiDefaults(record, AppConfig.sensorModel);
}

void ResetProfileToDefaults(ProfileRecord& record, unsigned slot, const LanguageTable& language,
                            SensorModel sensor) {
    ResetSettings(record, slot, language);
    ResetKeys(record, language);
    record.PollingRateName = "500HZ";
    record.PollingRateValue = {2, 0, 0};
    ResetLighting(record, language);
    ApplySensorDpiDefaults(record, sensor);
}

void ResetProfileToDefaults(ProfileRecord& record, unsigned slot) {
    ResetProfileToDefaults(record, slot, AppLanguage, AppConfig.sensorModel);
}

} // namespace vexmo
