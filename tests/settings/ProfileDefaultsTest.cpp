#include "settings/ProfileDefaults.h"
#include "settings/KeyAssignment.h"
#include "settings/LanguageTable.h"
#include "settings/ProfileRecord.h"

#include <gtest/gtest.h>

namespace vexmo {
namespace {

LanguageTable NumberedLanguage() {
    LanguageTable language;
    for (int n = 1; n < LanguageTable::kEntryCount; ++n) {
        language.Set(n, "T" + std::to_string(n));
    }
    return language;
}

MacroRecord SampleMacro(uint32_t actions) {
    MacroRecord macro("Combo");
    macro.MacroKeyIndex = 77;
    macro.LoopType = 4;
    macro.LoopCount = 9;
    macro.CommandCount = 3;
    for (uint32_t i = 0; i < actions; ++i) {
        macro.InsertAction(i, MacroAction::Press(static_cast<uint8_t>(0x41 + i)));
    }
    return macro;
}

TEST(ProfileDefaults, NameComesFromTheSlot) {
    const LanguageTable language = NumberedLanguage();
    const std::vector<std::pair<unsigned, std::string>> cases = {
        {0, "T85"},
        {4, "T89"},
        {5, "Profile6"},
        {7, "Profile8"},
    };
    for (const auto& [slot, name] : cases) {
        ProfileRecord record;
        ResetProfileToDefaults(record, slot, language, kDefaultSensorModel);
        EXPECT_EQ(record.settings[kProfileNameSetting].value, name) << slot;
        EXPECT_EQ(record.settings[kProfileNameSetting].name, "ProfileName");
    }
}

TEST(ProfileDefaults, ResetSetsTheFactoryValues) {
    const LanguageTable language = NumberedLanguage();
    ProfileRecord record;
    record.Lighting1OffOn = 0;
    record.Lighting2OffOn = 1;
    record.keys[2].MacroKeyIndex = 55;
    record.keys[2].macro = SampleMacro(5);
    ResetProfileToDefaults(record, 1, language, kDefaultSensorModel);

    EXPECT_EQ(record.settings[kKeyDebounceSetting], (SettingPair{"KeyDebounce", "12"}));
    EXPECT_EQ(record.settings[kGameFile2Setting], (SettingPair{"GameFile2", ""}));
    EXPECT_EQ(record.settings[kDoubleClickSpeedSetting], (SettingPair{"DoubleClickSpeed", "6"}));
    EXPECT_EQ(record.keys[0].name, "T20");
    EXPECT_EQ(record.keys[4].code, kBackButtonCode);
    EXPECT_EQ(record.keys[5].name, "T42");
    EXPECT_EQ(record.keys[5].code, (KeyFunctionCode{0x40, 0x01, 0x00}));
    for (const KeyAssignment& key : record.keys) {
        EXPECT_EQ(key.MacroKeyIndex, 0u);
        EXPECT_EQ(key.macro, MacroRecord()) << "a reset key holds a fresh empty macro";
    }
    EXPECT_EQ(record.PollingRateName, "500HZ");
    EXPECT_EQ(record.PollingRateValue, (ThreeBytes{2, 0, 0}));
    EXPECT_EQ(record.Lighting1OffOn, 0) << "the reset leaves the main lighting switch alone";
    EXPECT_EQ(record.Lighting1Name, "T109");
    EXPECT_EQ(record.Lighting1Brightness[3], 3);
    EXPECT_EQ(record.Lighting1Direction[1], 1);
    EXPECT_EQ(record.Lighting1FixedColor[6][5], ColorFromRgb(0xFA, 0x00, 0xFA));
    EXPECT_EQ(record.Lighting1FixedColor[7][1], ColorFromRgb(0xFA, 0x00, 0x6A));
    EXPECT_EQ(record.Lighting1ColorSelected[2][6], 1);
    EXPECT_EQ(record.Lighting1ColorSelected[2][7], 0);
    EXPECT_EQ(record.Lighting1FixedColor[2][7], 0u);
    EXPECT_EQ(record.Lighting2OffOn, 0);
    EXPECT_EQ(record.Lighting2Name, "T100");
    EXPECT_EQ(record.Lighting2ModeValue, (ThreeBytes{1, 0, 0}));
    EXPECT_EQ(record.Lighting2Speed, 0);
    EXPECT_EQ(record.Lighting2Brightness, 0);
}

TEST(ProfileDefaults, DpiDefaultsFollowTheSensor) {
    using Steps = std::array<uint16_t, kDpiLevelCount>;
    const std::vector<std::pair<SensorModel, Steps>> cases = {
        {0x3104, {7, 15, 23, 31, 44, 47, 58, 50}},
        {0x3212, {6, 10, 14, 22, 33, 12, 12, 12}},
        {0x3325, {6, 14, 22, 30, 51, 58, 58, 50}},
        {0x3327, {2, 6, 14, 30, 48, 58, 58, 58}},
        {0x3335, {11, 23, 31, 63, 99, 159, 59, 59}},
        {0x3360, {3, 7, 15, 31, 49, 59, 59, 59}},
        {0x3389, {3, 7, 15, 31, 49, 59, 59, 59}},
        {0x3370, {7, 15, 31, 63, 99, 119, 119, 119}},
        {0x3395, {7, 15, 31, 63, 99, 99, 99, 99}},
        {0x3399, {7, 15, 31, 63, 99, 99, 99, 99}},
        {0x1234, {}}, // unknown: a never-loaded record keeps its zeros
    };
    for (const auto& [sensor, steps] : cases) {
        ProfileRecord record;
        ApplySensorDpiDefaults(record, sensor);
        EXPECT_EQ(record.XYSetting, steps) << std::hex << sensor;
        EXPECT_EQ(record.DPIOffOnFlagValue, 0x3F);
        EXPECT_EQ(record.CurrentDPILevelValue, 1);
        EXPECT_EQ(record.DPILevelIndication[1], ColorFromRgb(0, 0, 0xFF));
        EXPECT_EQ(record.DPILevelIndication[3], ColorFromRgb(0xFF, 0, 0xFF));
        EXPECT_EQ(record.DPILevelIndication[7], ColorFromRgb(0xFF, 0xFF, 0xFF));
        EXPECT_EQ(record.AngleSnapValue, 0);
        EXPECT_EQ(record.LiftDetectionValue, 2);
    }
}

TEST(ProfileDefaults, UnknownSensorKeepsThePreviousSteps) {
    ProfileRecord record;
    record.XYSetting = {1, 2, 3, 4, 5, 6, 7, 8};
    record.AngleSnapValue = 1;
    ResetProfileToDefaults(record, 0, LanguageTable(), 0x9999);
    EXPECT_EQ(record.XYSetting, (std::array<uint16_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(record.AngleSnapValue, 0);
}

TEST(ProfileRecordModel, FreshRecordAndKeyAccess) {
    ProfileRecord record;
    EXPECT_EQ(record.Lighting1OffOn, 1);
    EXPECT_EQ(record.DPIOffOnFlagValue, 0x7F);
    EXPECT_EQ(record.Lighting2Speed, 2);
    EXPECT_EQ(record.Lighting2Brightness, 100);
    EXPECT_EQ(record.Key(5), &record.keys[5]);
    EXPECT_EQ(record.Key(6), nullptr);
    EXPECT_EQ(static_cast<const ProfileRecord&>(record).Key(100), nullptr);
}

TEST(ProfileRecordModel, SwitchSettersStoreZeroOrOne) {
    const std::vector<std::pair<int, std::string>> cases = {{0, "0"}, {1, "1"}, {7, "1"}, {-3, "0"}};
    for (const auto& [value, text] : cases) {
        ProfileRecord record;
        record.SetMoveLightingOnOffMode(value);
        record.SetMotionWakeup(value);
        record.SetPowerDownTime(value);
        EXPECT_EQ(record.settings[kMoveLightingOnOffModeSetting].value, text);
        EXPECT_EQ(record.settings[kMotionWakeupSetting].value, text);
        EXPECT_EQ(record.settings[kPowerDownTimeSetting].value, std::to_string(value));
    }
}

TEST(KeyAssignmentModel, AssigningAMacroCopiesItWhole) {
    KeyAssignment key;
    key.MacroKeyIndex = 3;
    const MacroRecord macro = SampleMacro(4);
    AssignMacroToKey(key, &macro);
    EXPECT_EQ(key.macro, macro);
    EXPECT_EQ(key.MacroKeyIndex, 3u) << "the key's own id is set by the function assignment, not here";
}

TEST(KeyAssignmentModel, ShorterMacroLeavesNoOldActionsBehind) {
    KeyAssignment key;
    const MacroRecord longMacro = SampleMacro(10);
    const MacroRecord shortMacro = SampleMacro(2);
    AssignMacroToKey(key, &longMacro);
    AssignMacroToKey(key, &shortMacro);
    EXPECT_EQ(key.macro.ActionCount, 2u);
    EXPECT_EQ(key.macro.Actions[2], MacroAction{});
    EXPECT_EQ(FormatAllActions(key.macro), FormatAllActions(shortMacro));
}

TEST(KeyAssignmentModel, FunctionAssignment) {
    const MacroRecord macro = SampleMacro(3);
    KeyAssignment key;
    AssignFunctionToKey(key, {"Macro Combo", kMacroCode, &macro});
    EXPECT_EQ(key.MacroKeyIndex, 77u);
    EXPECT_EQ(key.macro.ActionCount, 3u);

    AssignFunctionToKey(key, {"Left", kLeftButtonCode, nullptr});
    EXPECT_EQ(key.name, "Left");
    EXPECT_EQ(key.code, kLeftButtonCode);
    EXPECT_EQ(key.MacroKeyIndex, 77u) << "a function that is not a macro keeps the last macro id";
    EXPECT_EQ(key.macro.ActionCount, 0u);
    EXPECT_EQ(key.macro.Actions[0], MacroAction{});
}

} // namespace
} // namespace vexmo
