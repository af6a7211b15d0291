#include "settings/AppSettingsFile.h"
#include "settings/DataFolder.h"
#include "settings/LanguageTable.h"
#include "settings/ProfileDefaults.h"
#include "settings/ProfileFile.h"
#include "settings/SensorModelChange.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vexmo {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::Utf16Bytes;
using test::WriteBytes;

std::string DefaultSettingsText(const std::filesystem::path& config) {
    std::string text = "[Setting]\nNeedPassword=1\nSensor=0x3104\nPreST=0xCEFB\nMac_ID=0xFFFFFFFF\n"
                       "DataChange=0x1234\nCurrentProfile=0\nProfileShowCount=3\nProfileShowList0=0\n"
                       "ProfileShowList1=1\nProfileShowList2=2\nProfileShowList3=3\nProfileShowList4=4\n";
    for (int slot = 0; slot < 5; ++slot) {
        text += "ProfileSlot" + std::to_string(slot) +
                "URL=" + (config / ("default" + std::to_string(slot) + ".psf")).string() + "\n";
    }
    return text;
}

class AppSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        language.Set(85, "Eins");
        language.Set(88, "Vier");
    }
    void WriteSettings(const std::string& text) {
        ASSERT_TRUE(EnsureDataFolders());
        WriteBytes(AppSettingsPath(), Utf16Bytes(text));
    }
    void Load() { LoadAppSettings(settings, profiles, language); }

    TempDir dir;
    LanguageTable language;
    AppSettings settings;
    ProfileTable profiles;
};

TEST_F(AppSettingsTest, FirstStartWritesDefaultsAndFiveProfiles) {
    Load();
    const std::filesystem::path config = ConfigFolder();
    EXPECT_EQ(ReadBytes(config / "config.ini"), Utf16Bytes(DefaultSettingsText(config)));
    EXPECT_EQ(ReadBytes(config / "config.ini").substr(0, 6), std::string("\xFF\xFE\x5B\x00\x53\x00", 6));
    EXPECT_EQ(settings.sensorModel, 0x3104);
    for (int slot = 0; slot < 5; ++slot) {
        ProfileRecord expected;
        ResetProfileToDefaults(expected, static_cast<unsigned>(slot), language, 0x3104);
        EXPECT_EQ(profiles[static_cast<size_t>(slot)], expected) << slot;
        EXPECT_EQ(ReadBytes(config / ("default" + std::to_string(slot) + ".psf")),
                  Utf16Bytes(FormatProfileFile(expected)));
    }
}

TEST_F(AppSettingsTest, SecondStartReadsWhatTheFirstWrote) {
    Load();
    profiles[3].settings[kProfileNameSetting].value = "Mine";
    settings.SetCurrentProfile(3);
    ASSERT_TRUE(SaveAppSettings(settings));
    ASSERT_TRUE(SaveAllProfiles(profiles, settings));

    AppSettings again;
    ProfileTable reloaded;
    LoadAppSettings(again, reloaded, language);
    EXPECT_EQ(again.Pairs(), settings.Pairs());
    EXPECT_EQ(again.CurrentProfile(), 3);
    EXPECT_EQ(reloaded[3].settings[kProfileNameSetting].value, "Mine");
}

TEST_F(AppSettingsTest, PairsTheFileDoesNotReachKeepTheirDefaults) {
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"header and five lines",
         "[Setting]\nNeedPassword=0\nSensor=0x3104\nPreST=0xCEFB\nMac_ID=7\nDataChange=9\n"},
        {"header alone", "[Setting]\n"},
        {"an empty line ends reading", "[Setting]\nNeedPassword=0\n\nCurrentProfile=\n"},
    };
    for (const auto& [name, text] : cases) {
        WriteSettings(text);
        AppSettings loaded;
        ProfileTable table;
        LoadAppSettings(loaded, table, language);
        for (size_t i = 5; i < kAppSettingCount; ++i) {
            EXPECT_EQ(loaded.Pairs()[i], AppSettings::DefaultPair(i)) << name << " pair " << i;
        }
        EXPECT_EQ(loaded.ProfileSlotPath(2), ConfigFolder() / "default2.psf") << name;
        EXPECT_EQ(ReadBytes(AppSettingsPath()), Utf16Bytes(text))
            << name << ": an accepted file is not rewritten";
    }
}

TEST_F(AppSettingsTest, ReadsNamesFromTheFileWithoutComparingThem) {
    WriteSettings("[Setting]\nA=0\nB=0x3104\nC=0xCEFB\n");
    Load();
    EXPECT_EQ(settings.Pairs()[0], (SettingPair{"A", "0"}));
    EXPECT_EQ(settings.NeedPassword(), 0);
}

TEST_F(AppSettingsTest, MalformedFilesAreReplacedAndTheProfilesReset) {
    std::string eighteen = DefaultSettingsText(ConfigFolder()) + "Extra=1\n";
    const std::vector<std::tuple<const char*, std::string, int>> cases = {
        {"wrong header", "[Settings]\nNeedPassword=1\n", 1},
        {"empty value",
         "[Setting]\nNeedPassword=1\nSensor=0x3104\nPreST=0xCEFB\nMac_ID=1\nDataChange=1\nCurrentProfile=\n",
         7},
        {"line starting with \"=\"", "[Setting]\n=1\n", 2},
        {"line without \"=\"", "[Setting]\nNeedPassword\n", 2},
        {"eighteen pairs", eighteen, 19},
    };
    for (const auto& [name, text, line] : cases) {
        WriteSettings(text);
        ReadFailure failure;
        AppSettings probe;
        EXPECT_FALSE(ReadAppSettingsFile(AppSettingsPath(), probe, &failure)) << name;
        EXPECT_EQ(failure.line, line) << name;

        // A profile the user had changed is reset with the settings.
        ProfileTable table;
        ResetProfileToDefaults(table[0], 0, language, 0x3104);
        table[0].settings[kProfileNameSetting].value = "Changed";
        ASSERT_TRUE(WriteProfileRecord(table[0], ConfigFolder() / "default0.psf"));
        AppSettings loaded;
        LoadAppSettings(loaded, table, language);
        EXPECT_EQ(ReadBytes(AppSettingsPath()), Utf16Bytes(DefaultSettingsText(ConfigFolder()))) << name;
        EXPECT_EQ(table[0].settings[kProfileNameSetting].value, "Eins") << name;
    }
}

TEST_F(AppSettingsTest, NewSensorResetsTheDpiLevelsOfAllProfiles) {
    Load();
    for (ProfileRecord& record : profiles.records) {
        record.XYSetting[0] = 99;
        record.settings[kProfileNameSetting].value = "Kept";
    }
    ASSERT_TRUE(SaveAllProfiles(profiles, settings));
    std::string text = DefaultSettingsText(ConfigFolder());
    text.replace(text.find("Sensor=0x3104"), 13, "Sensor=0x3360");
    WriteSettings(text);

    AppSettings loaded;
    ProfileTable table;
    LoadAppSettings(loaded, table, language);
    EXPECT_EQ(loaded.sensorModel, 0x3360);
    EXPECT_EQ(loaded.Value(kPreSTSetting), "0xCC9F");
    for (int slot = 0; slot < 5; ++slot) {
        const ProfileRecord& record = table[static_cast<size_t>(slot)];
        EXPECT_EQ(record.XYSetting, (std::array<uint16_t, 8>{3, 7, 15, 31, 49, 59, 59, 59}));
        EXPECT_EQ(record.settings[kProfileNameSetting].value, "Kept");
        ProfileRecord onDisk;
        ASSERT_TRUE(ReadProfileRecord(loaded.ProfileSlotPath(slot), onDisk));
        EXPECT_EQ(onDisk, record);
    }

    // In step now: the next start leaves the levels alone.
    table[1].XYSetting[0] = 42;
    ASSERT_TRUE(SaveAllProfiles(table, loaded));
    ProfileTable third;
    AppSettings thirdSettings;
    LoadAppSettings(thirdSettings, third, language);
    EXPECT_EQ(third[1].XYSetting[0], 42);
}

TEST_F(AppSettingsTest, MouseReportedSensorChange) {
    Load();
    profiles[2].XYSetting = {};
    ChangeSensorModel(settings, profiles, 0x3370);
    EXPECT_EQ(settings.sensorModel, 0x3370);
    EXPECT_EQ(settings.Value(kSensorSetting), "0x3370");
    EXPECT_EQ(settings.Value(kPreSTSetting), "0xCC8F");
    EXPECT_EQ(profiles[2].XYSetting[5], 119);
    AppSettings reread;
    ASSERT_TRUE(ReadAppSettingsFile(AppSettingsPath(), reread));
    EXPECT_EQ(reread.Pairs(), settings.Pairs());
    ProfileRecord onDisk;
    ASSERT_TRUE(ReadProfileRecord(settings.ProfileSlotPath(2), onDisk));
    EXPECT_EQ(onDisk.XYSetting[5], 119);
}

TEST_F(AppSettingsTest, SensorWithSmallComplementStaysInStep) {
    // 0xF123's complement is below 0x1000; written space-padded it would read back as 0 and
    // reset the DPI levels at every start.
    Load();
    ChangeSensorModel(settings, profiles, 0xF123);
    EXPECT_EQ(settings.Value(kPreSTSetting), "0x0EDC");
    profiles[0].XYSetting[0] = 77;
    ASSERT_TRUE(SaveAllProfiles(profiles, settings));
    AppSettings loaded;
    ProfileTable table;
    LoadAppSettings(loaded, table, language);
    EXPECT_EQ(table[0].XYSetting[0], 77);
}

TEST(SensorText, ParsesTheStoredForms) {
    const std::vector<std::pair<std::string, uint16_t>> cases = {
        {"0x3104", 0x3104},  {"0XCEFB", 0xCEFB}, {"3360", 0x3360}, {"0x EDC", 0x0EDC},
        {"0x12345", 0x2345}, {"xyz", 0},         {"", 0},          {"0x", 0},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ParseSensorText(text), value) << text;
    }
    EXPECT_EQ(FormatSensorText(0x3104), "0x3104");
    EXPECT_EQ(FormatSensorText(0x00AB), "0x00AB");
}

TEST(AppSettingsAccessors, TypedValuesStayInRange) {
    AppSettings settings;
    settings.SetDefaults();
    const std::vector<std::tuple<std::string, int, int, int>> cases = {
        // text, CurrentProfile, ProfileShowCount, a ProfileShowList entry
        {"3", 3, 3, 3},   {"0", 0, 1, 0},  {"7", 0, 5, kNoProfileSlot}, {"-2", 0, 1, kNoProfileSlot},
        {"abc", 0, 1, 0}, {"4x", 4, 4, 4},
    };
    for (const auto& [text, current, count, listed] : cases) {
        settings.SetValue(kCurrentProfileSetting, text);
        settings.SetValue(kProfileShowCountSetting, text);
        settings.SetValue(kProfileShowList0Setting + 1, text);
        EXPECT_EQ(settings.CurrentProfile(), current) << text;
        EXPECT_EQ(settings.ProfileShowCount(), count) << text;
        EXPECT_EQ(settings.ProfileShowList(1), listed) << text;
    }
    EXPECT_EQ(settings.ProfileShowList(5), kNoProfileSlot);
    EXPECT_TRUE(settings.ProfileSlotPath(5).empty());
    EXPECT_EQ(settings.Value(99), "");
    settings.SetProfileShowCount(4);
    settings.SetProfileShowList(4, 1);
    settings.SetPreST(0xCEFB);
    EXPECT_EQ(settings.Value(kProfileShowCountSetting), "4");
    EXPECT_EQ(settings.Value(kProfileShowList0Setting + 4), "1");
    EXPECT_EQ(settings.Value(kPreSTSetting), "0xCEFB");
}

} // namespace
} // namespace vexmo
