#include "settings/ProfileFile.h"
#include "settings/AppSettings.h"
#include "settings/DataFolder.h"
#include "settings/LanguageTable.h"
#include "settings/ProfileDefaults.h"
#include "support/TempDir.h"

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>

namespace vexmo {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::Utf16Bytes;
using test::WriteBytes;

LanguageTable SmallLanguage() {
    LanguageTable language;
    const std::vector<std::pair<int, std::string>> texts = {
        {20, "Left"},      {21, "Right"},     {22, "Middle"},    {23, "Forward"},   {24, "Back"},
        {42, "DPI Loop"},  {85, "Profile 1"}, {86, "Profile 2"}, {87, "Profile 3"}, {88, "Profile 4"},
        {89, "Profile 5"}, {100, "Off"},      {109, "Wave"},
    };
    for (const auto& [entry, text] : texts) {
        language.Set(entry, text);
    }
    return language;
}

std::string Zeros(size_t n) {
    return std::string(n, '0');
}

// The default profile of slot 0 with sensor 0x3104, spelled out line by line.
std::string DefaultProfileText() {
    const std::string none = "00|00|00|00|00|00|00|00|00|00;";
    const std::string noColors = "000000|000000|000000|000000|000000|000000|000000|000000|000000|000000;";
    std::string text =
        "[Setting]\n"
        "ProfileName=Profile 1\nGameFile0=\nGameFile1=\nGameFile2=\nDoubleClickSpeed=6\nPointerSpeed=5\n"
        "AccelerationEnable=1\nScrollWheelSpeed=2\nScrollWheelPageEnable=0\nTiltSpeed=2\nSensitivity_X=4\n"
        "Sensitivity_Y=4\nXYSynchronous=1\nX_DPI=1\nY_DPI=1\nMoveLightingOnOffMode=0\nPowerDownTime=6\n"
        "LiftDetectionHeight=2\nKeyDebounce=12\nMotionWakeup=1\n"
        "DPIOffOnFlagValue=3F\n"
        "\tXYSetting1Value=0007\n\tXYSetting2Value=000F\n\tXYSetting3Value=0017\n\tXYSetting4Value=001F\n"
        "\tXYSetting5Value=002C\n\tXYSetting6Value=002F\n\tXYSetting7Value=003A\n\tXYSetting8Value=0032\n"
        "\tCurrentDPILevelValue=01\n"
        "\tDPILevelIndication0Valuer=FF0000\n\tDPILevelIndication1Valuer=0000FF\n"
        "\tDPILevelIndication2Valuer=00FF00\n\tDPILevelIndication3Valuer=FF00FF\n"
        "\tDPILevelIndication4Valuer=FFFF00\n\tDPILevelIndication5Valuer=00FFFF\n"
        "\tDPILevelIndication6Valuer=FFFFFF\n\tDPILevelIndication7Valuer=FFFFFF\n"
        "\tAngleSnapValue=00\n\tLiftDetectionValue=02\n"
        "PollingRateName=500HZ\n\tPollingRateValue=020000\n"
        "Lighting1Name=Wave\n\tLighting1ModeValue=000000\n\tLighting1OffOn=01\n"
        "\tLighting1Speed=01|01|01|01|01|01|01|01|01|01\n"
        "\tLighting1Brightness=01|01|01|03|01|01|01|01|01|01\n";
    text += "\tLighting1ColorSelected=" + none + none + "01|01|01|01|01|01|01|00|00|00;" +
            "01|00|00|00|00|00|00|00|00|00;" + none + none + "01|01|01|01|01|01|01|01|00|00;" +
            "01|01|00|00|00|00|00|00|00|00;" + none + none + "\n";
    text += "\tLighting1FixedColor=" + noColors + noColors +
            "FF0000|00FF00|0000FF|00FFFF|FFFF00|FF00FF|FFFFFF|000000|000000|000000;" +
            "FF00FF|000000|000000|000000|000000|000000|000000|000000|000000|000000;" + noColors + noColors +
            "FF0000|00FF00|0000FF|FFFF00|00FFFF|FA00FA|FFFFFF|FA46FF|000000|000000;" +
            "00FF00|FA006A|000000|000000|000000|000000|000000|000000|000000|000000;" + noColors + noColors +
            "\n";
    text += "\tLighting1Direction=00|01|00|00|00|00|00|00|00|00\n"
            "Lighting2Name=Off\n\tLighting2ModeValue=010000\n\tLighting2OffOn=00\n\tLighting2Speed=00\n"
            "\tLighting2Brightness=00\n\tLighting2FixedColor=000000\n";
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"Left", "100100"},    {"Right", "100200"}, {"Middle", "100400"},
        {"Forward", "101000"}, {"Back", "100800"},  {"DPI Loop", "400100"},
    };
    for (size_t u = 0; u < keys.size(); ++u) {
        const std::string n = std::to_string(u);
        text += "Key" + n + "Name=" + keys[u].first + "\n\tKey" + n + "Value=" + keys[u].second +
                "\n\tMacroKeyIndex=0\n\tMacroKey" + n +
                "Name=\n\t\tMacroActionNum=0\n\t\tAllAction=" + Zeros(2688) + "\n";
    }
    return text;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

// A record with a distinct value in every field the file stores.
ProfileRecord VariedRecord() {
    ProfileRecord r;
    ResetProfileToDefaults(r, 2, SmallLanguage(), 0x3360);
    r.settings[kProfileNameSetting].value = "Spiel = 中文 ☺";
    r.settings[kGameFile1Setting].value = "C:\\Games\\a.exe";
    r.keys[3].name = "Ctrl+Alt+A";
    r.keys[3].code = {0x70, 0x05, 0x04};
    r.keys[3].MacroKeyIndex = 4000000000u;
    r.keys[3].macro.Name = "Loop=1";
    r.keys[3].macro.ActionCount = 336;
    for (uint32_t i = 0; i < kMacroActionSlots; ++i) {
        r.keys[3].macro.Actions[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i * 7),
                                      static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i ^ 0x5A)};
    }
    r.PollingRateName = "1000Hz";
    r.PollingRateValue = {3, 0xAB, 0xCD};
    r.Lighting1OffOn = 0;
    r.Lighting1ModeValue = {9, 0x12, 0xFE};
    for (size_t e = 0; e < kLightingEffectCount; ++e) {
        r.Lighting1Speed[e] = static_cast<uint8_t>(e + 1);
        r.Lighting1Brightness[e] = static_cast<uint8_t>(0xF0 + e);
        r.Lighting1Direction[e] = static_cast<uint8_t>(e % 2);
        for (size_t c = 0; c < kLightingColorSlots; ++c) {
            r.Lighting1ColorSelected[e][c] = static_cast<uint8_t>((e + c) % 3);
            r.Lighting1FixedColor[e][c] = static_cast<uint32_t>(0x010203 * (e * 10 + c + 1)) & 0xFFFFFF;
        }
    }
    r.Lighting2OffOn = 1;
    r.Lighting2Name = "Breath";
    r.Lighting2ModeValue = {4, 5, 6};
    r.Lighting2Speed = 7;
    r.Lighting2Brightness = 0x99;
    r.Lighting2FixedColor = ColorFromRgb(0x12, 0x34, 0x56);
    r.DPIOffOnFlagValue = 0xA5;
    r.XYSetting = {0, 1, 0x00FF, 0x0100, 0x1234, 0xABCD, 0xFFFF, 159};
    r.CurrentDPILevelValue = 4;
    r.DPILevelIndication[6] = ColorFromRgb(0xAA, 0xBB, 0xCC);
    r.AngleSnapValue = 1;
    r.LiftDetectionValue = 1;
    return r;
}

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(EnsureDataFolders());
        settings.SetDefaults();
    }

    TempDir dir;
    AppSettings settings;
    LanguageTable language = SmallLanguage();
};

TEST_F(ProfileFileTest, DefaultProfileIsWrittenByteForByte) {
    ProfileTable profiles;
    ResetProfileToDefaults(profiles[0], 0, language, 0x3104);
    ASSERT_TRUE(WriteProfileFile(profiles, 0, dir / "p.psf"));
    const std::string bytes = ReadBytes(dir / "p.psf");
    EXPECT_EQ(bytes.substr(0, 6), std::string("\xFF\xFE\x5B\x00\x53\x00", 6));
    EXPECT_EQ(bytes, Utf16Bytes(DefaultProfileText()));

    const std::vector<std::string> lines = SplitLines(DefaultProfileText());
    ASSERT_EQ(lines.size(), 93u);
    for (size_t u = 0; u < 6; ++u) {
        EXPECT_EQ(lines[62 + u * 6].size(), 2700u) << "action line of button " << u;
    }
}

TEST_F(ProfileFileTest, EveryFieldSurvivesARoundTrip) {
    ProfileTable profiles;
    profiles[1] = VariedRecord();
    ASSERT_TRUE(WriteProfileFile(profiles, 1, dir / "v.psf"));
    ProfileTable loaded;
    ReadFailure failure;
    EXPECT_EQ(ReadProfileFile(loaded, settings, language, 4, dir / "v.psf", &failure), 1)
        << failure.Message();
    EXPECT_EQ(loaded[4], profiles[1]);
    ASSERT_TRUE(WriteProfileFile(loaded, 4, dir / "again.psf"));
    EXPECT_EQ(ReadBytes(dir / "again.psf"), ReadBytes(dir / "v.psf"));
}

TEST_F(ProfileFileTest, AcceptedVariations) {
    struct Case {
        const char* name;
        std::function<void(std::vector<std::string>&)> edit;
        std::function<void(const ProfileRecord&)> check;
    };
    const std::vector<Case> cases = {
        {"empty game file", [](auto& l) { l[2] = "GameFile0="; },
         [](const ProfileRecord& r) { EXPECT_EQ(r.settings[kGameFile0Setting].value, ""); }},
        {"another key name", [](auto& l) { l[4] = "Foo=3"; },
         [](const ProfileRecord& r) {
             EXPECT_EQ(r.settings[kGameFile2Setting], (SettingPair{"Foo", "3"}));
         }},
        {"not hexadecimal", [](auto& l) { l[21] = "DPIOffOnFlagValue=XYZ"; },
         [](const ProfileRecord& r) { EXPECT_EQ(r.DPIOffOnFlagValue, 0); }},
        {"half hexadecimal", [](auto& l) { l[22] = "\tXYSetting1Value=1G00"; },
         [](const ProfileRecord& r) { EXPECT_EQ(r.XYSetting[0], 1); }},
        {"short byte list", [](auto& l) { l[46] = "\tLighting1Speed=05|06"; },
         [](const ProfileRecord& r) {
             EXPECT_EQ(r.Lighting1Speed[1], 6);
             EXPECT_EQ(r.Lighting1Speed[2], 0);
         }},
        {"value with \"=\"", [](auto& l) { l[43] = "Lighting1Name=a=b"; },
         [](const ProfileRecord& r) { EXPECT_EQ(r.Lighting1Name, "a=b"); }},
        {"macro name line starting with \"=\"", [](auto& l) { l[60] = "=x"; },
         [](const ProfileRecord& r) { EXPECT_EQ(r.keys[0].macro.Name, "x"); }},
        {"lines after the last button", [](auto& l) { l.push_back("junk"); },
         [](const ProfileRecord& r) { EXPECT_EQ(r.keys[5].name, "DPI Loop"); }},
        {"action count and actions",
         [](auto& l) {
             l[61] = "\t\tMacroActionNum=336";
             l[62] = "\t\tAllAction=41000000030000324180000" + std::string(2688 - 23, 'F');
         },
         [](const ProfileRecord& r) {
             EXPECT_EQ(r.keys[0].macro.ActionCount, 336u);
             EXPECT_EQ(r.keys[0].macro.Actions[1], (MacroAction{3, 0, 0, 0x32}));
             EXPECT_EQ(r.keys[0].macro.Actions[2], (MacroAction{0x41, 0x80, 0, 0x0F}));
         }},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = SplitLines(DefaultProfileText());
        c.edit(lines);
        WriteBytes(dir / "in.psf", Utf16Bytes(JoinLines(lines)));
        ProfileTable profiles;
        ReadFailure failure;
        ASSERT_EQ(ReadProfileFile(profiles, settings, language, 0, dir / "in.psf", &failure), 1)
            << c.name << ": " << failure.Message();
        c.check(profiles[0]);
    }
}

TEST_F(ProfileFileTest, ForeignKeyNameIsWrittenBack) {
    std::vector<std::string> lines = SplitLines(DefaultProfileText());
    lines[4] = "Foo=3";
    WriteBytes(dir / "in.psf", Utf16Bytes(JoinLines(lines)));
    ProfileTable profiles;
    ASSERT_EQ(ReadProfileFile(profiles, settings, language, 0, dir / "in.psf"), 1);
    ASSERT_TRUE(WriteProfileFile(profiles, 0, dir / "out.psf"));
    EXPECT_EQ(ReadBytes(dir / "out.psf"), ReadBytes(dir / "in.psf"));
}

TEST_F(ProfileFileTest, MalformedFilesAreReplacedByDefaults) {
    struct Case {
        const char* name;
        std::function<void(std::vector<std::string>&)> edit;
        int line;
        std::string reason;
    };
    const std::string missing = "missing line (the file ends or the line is empty)";
    const std::vector<Case> cases = {
        {"wrong header", [](auto& l) { l[0] = "[Settings]"; }, 1, "the first line is not \"[Setting]\""},
        {"empty file", [](auto& l) { l.clear(); }, 1, missing},
        {"pair without \"=\"", [](auto& l) { l[7] = "AccelerationEnable"; }, 8, "no \"=\" in the line"},
        {"pair starting with \"=\"", [](auto& l) { l[1] = "=x"; }, 2, "the line starts with \"=\""},
        {"byte line starting with \"=\"", [](auto& l) { l[21] = "=3F"; }, 22, "the line starts with \"=\""},
        {"name line without \"=\"", [](auto& l) { l[41] = "PollingRateName"; }, 42, "no \"=\" in the line"},
        {"empty line in the middle", [](auto& l) { l[30] = ""; }, 31, missing},
        {"file ends after line 92", [](auto& l) { l.pop_back(); }, 93, missing},
        {"file ends inside the lighting", [](auto& l) { l.resize(50); }, 51, missing},
        {"empty macro key index", [](auto& l) { l[59] = "\tMacroKeyIndex="; }, 60, "empty value"},
        {"empty action count", [](auto& l) { l[67] = "\t\tMacroActionNum="; }, 68, "empty value"},
        {"action count beyond the slots", [](auto& l) { l[61] = "\t\tMacroActionNum=337"; }, 62,
         "action count \"337\" is not a number from 0 to 336"},
        {"negative action count", [](auto& l) { l[61] = "\t\tMacroActionNum=-1"; }, 62,
         "action count \"-1\" is not a number from 0 to 336"},
        {"short action text", [](auto& l) { l[62].pop_back(); }, 63,
         "action text is 2687 characters, expected 2688"},
        {"long action text", [](auto& l) { l[92] += "0"; }, 93,
         "action text is 2689 characters, expected 2688"},
        {"empty action text", [](auto& l) { l[68] = "\t\tAllAction="; }, 69, "empty value"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = SplitLines(DefaultProfileText());
        c.edit(lines);
        const std::string imported = Utf16Bytes(JoinLines(lines));
        WriteBytes(dir / "import.psf", imported);
        ProfileTable profiles;
        profiles[3] = VariedRecord();
        ReadFailure failure;
        EXPECT_EQ(ReadProfileFile(profiles, settings, language, 3, dir / "import.psf", &failure), 0)
            << c.name;
        EXPECT_EQ(failure.line, c.line) << c.name;
        EXPECT_EQ(failure.reason, c.reason) << c.name;

        ProfileRecord expected;
        expected.Lighting1OffOn = profiles[3].Lighting1OffOn;
        ResetProfileToDefaults(expected, 3, language, settings.sensorModel);
        EXPECT_EQ(profiles[3], expected) << c.name;
        EXPECT_EQ(ReadBytes(dir / "import.psf"), imported) << c.name << ": the imported file is left alone";
        EXPECT_EQ(ReadBytes(settings.ProfileSlotPath(3)), Utf16Bytes(FormatProfileFile(expected))) << c.name;
    }
}

TEST_F(ProfileFileTest, FailedReadKeepsOnlyTheMainLightingSwitchFromTheFile) {
    ProfileRecord source;
    ResetProfileToDefaults(source, 0, language, 0x3104);
    source.Lighting1OffOn = 0;
    source.keys[0].macro.ActionCount = 5;
    source.keys[0].macro.Actions[0] = MacroAction::Press(0x41);
    std::vector<std::string> lines = SplitLines(FormatProfileFile(source));
    lines.pop_back();
    WriteBytes(dir / "broken.psf", Utf16Bytes(JoinLines(lines)));

    ProfileTable profiles;
    EXPECT_EQ(ReadProfileFile(profiles, settings, language, 0, dir / "broken.psf"), 0);
    EXPECT_EQ(profiles[0].Lighting1OffOn, 0);
    EXPECT_EQ(profiles[0].keys[0].macro, MacroRecord()) << "no action of the broken file survives the reset";
}

TEST_F(ProfileFileTest, MissingFileResetsTheSlotAndWritesItsOwnFile) {
    ProfileTable profiles;
    ReadFailure failure;
    EXPECT_EQ(ReadProfileFile(profiles, settings, language, 2, dir / "nothing.psf", &failure), 0);
    EXPECT_EQ(failure.line, 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "nothing.psf"));
    ProfileRecord reread;
    EXPECT_TRUE(ReadProfileRecord(settings.ProfileSlotPath(2), reread));
    EXPECT_EQ(reread.settings[kProfileNameSetting].value, "Profile 3");
}

TEST_F(ProfileFileTest, ReadOnlyFileIsRead) {
    ProfileTable profiles;
    profiles[0] = VariedRecord();
    ASSERT_TRUE(WriteProfileFile(profiles, 0, dir / "ro.psf"));
    chmod((dir / "ro.psf").c_str(), 0444);
    ProfileTable loaded;
    EXPECT_EQ(ReadProfileFile(loaded, settings, language, 0, dir / "ro.psf"), 1);
    EXPECT_EQ(loaded[0], profiles[0]);
}

TEST_F(ProfileFileTest, WriteFailuresAreReportedAndKeepTheOldFile) {
    ProfileTable profiles;
    ResetProfileToDefaults(profiles[0], 0, language, 0x3104);
    EXPECT_FALSE(WriteProfileFile(profiles, 0, dir / "no-such-folder" / "p.psf"));
    EXPECT_FALSE(WriteProfileFile(profiles, 5, dir / "p.psf"));
    EXPECT_FALSE(std::filesystem::exists(dir / "p.psf"));

    // A full disk, as root sees it too: the size limit makes the write fail half-way.
    WriteBytes(dir / "p.psf", "old");
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = WriteProfileFile(profiles, 0, dir / "p.psf");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(dir / "p.psf"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2)
        << "no temporary file is left";
}

TEST_F(ProfileFileTest, SaveAllWritesEachSlotToItsOwnPath) {
    ProfileTable profiles;
    for (int slot = 0; slot < kProfileSlots; ++slot) {
        ResetProfileToDefaults(profiles[static_cast<size_t>(slot)], static_cast<unsigned>(slot), language,
                               0x3104);
    }
    settings.SetValue(kProfileSlot0UrlSetting + 4, (dir / "elsewhere.psf").string());
    EXPECT_TRUE(SaveAllProfiles(profiles, settings));
    ProfileRecord r;
    ASSERT_TRUE(ReadProfileRecord(dir / "elsewhere.psf", r));
    EXPECT_EQ(r, profiles[4]);
    ASSERT_TRUE(ReadProfileRecord(ConfigFolder() / "default1.psf", r));
    EXPECT_EQ(r, profiles[1]);

    settings.SetValue(kProfileSlot0UrlSetting + 2, (dir / "missing" / "x.psf").string());
    EXPECT_FALSE(SaveAllProfiles(profiles, settings)) << "one slot that cannot be written is reported";
}

TEST_F(ProfileFileTest, ImportReplacesTheSlotOnlyWithAWholeFile) {
    ProfileTable profiles;
    profiles[3] = VariedRecord();
    ASSERT_TRUE(WriteProfileFile(profiles, 3, settings.ProfileSlotPath(3)));
    const std::string ownFile = ReadBytes(settings.ProfileSlotPath(3));

    std::vector<std::string> lines = SplitLines(DefaultProfileText());
    lines.pop_back();
    WriteBytes(dir / "broken.psf", Utf16Bytes(JoinLines(lines)));
    ReadFailure failure;
    EXPECT_FALSE(ImportProfileFile(profiles, 3, dir / "broken.psf", &failure));
    EXPECT_EQ(failure.line, 93);
    EXPECT_EQ(profiles[3], VariedRecord()) << "a defective import keeps the profile that was there";
    EXPECT_EQ(ReadBytes(settings.ProfileSlotPath(3)), ownFile);

    WriteBytes(dir / "good.psf", Utf16Bytes(DefaultProfileText()));
    EXPECT_TRUE(ImportProfileFile(profiles, 3, dir / "good.psf"));
    EXPECT_EQ(profiles[3].settings[kProfileNameSetting].value, "Profile 1");
    EXPECT_FALSE(ImportProfileFile(profiles, 9, dir / "good.psf"));
}

TEST_F(ProfileFileTest, SlotOutsideTheTableIsNeverTouched) {
    ProfileTable profiles;
    ReadFailure failure;
    EXPECT_EQ(ReadProfileFile(profiles, settings, language, 5, dir / "x.psf", &failure), 0);
    EXPECT_EQ(failure.reason, "no profile slot 5");
    EXPECT_EQ(ReadProfileFile(profiles, settings, language, -1, dir / "x.psf"), 0);
}

} // namespace
} // namespace vexmo
