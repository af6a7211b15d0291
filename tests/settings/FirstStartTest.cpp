#include "settings/FirstStart.h"
#include "settings/DataFolder.h"
#include "settings/Globals.h"
#include "settings/LanguageTable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace vexmo {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::Utf16Bytes;
using test::WriteBytes;

const std::string kShippedChinese = Utf16Bytes("[Setting]\n0=中文\n1=配置文件\n");
const std::string kShippedEnglish = Utf16Bytes("[Setting]\n0=English\n1=Profiles\n");

// A program folder with its shipped lang/ files, and an empty data folder.
class FirstStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(app_ / "lang");
        WriteBytes(app_ / "lang" / "Lan.txt", kShippedChinese);
        WriteBytes(app_ / "lang" / "Lan_EN.txt", kShippedEnglish);
    }
    std::string Config(const char* name) const { return ReadBytes(config_ / name); }

    TempDir dir_;
    std::filesystem::path app_ = dir_ / "program";
    std::filesystem::path config_ = ConfigFolder();
};

TEST_F(FirstStartTest, FreshDataFolderGetsBothTextsAndASelection) {
    ASSERT_FALSE(std::filesystem::exists(config_));

    EXPECT_TRUE(InstallLanguageFiles(app_, config_, kEnglishLanguageCode));

    EXPECT_EQ(Config("Lan.txt"), kShippedChinese);
    EXPECT_EQ(Config("Lan_EN.txt"), kShippedEnglish);
    EXPECT_EQ(Config("LanSetting.ini"), Utf16Bytes("[ChangeLanguage]\nLanguage=EN\n"));
    // No temporary files are left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(config_), {}), 3);
}

TEST_F(FirstStartTest, TheWrittenSelectionIsWhatLoadLanguageFollows) {
    struct Case {
        std::string_view code;
        const char* languageName;
    };
    for (const Case& c : {Case{kEnglishLanguageCode, "English"}, Case{kChineseLanguageCode, "中文"}}) {
        std::filesystem::remove_all(config_);
        ASSERT_TRUE(InstallLanguageFiles(app_, config_, c.code));
        LanguageTable table;
        const double savedScale = UiScale;
        const std::string savedFace = UiFontFace;
        const int savedHeight = UiFontHeight, savedCharset = UiFontCharset;
        EXPECT_TRUE(LoadLanguage(config_, table)) << c.code;
        EXPECT_EQ(table.Text(0), c.languageName) << c.code;
        UiScale = savedScale, UiFontFace = savedFace, UiFontHeight = savedHeight,
        UiFontCharset = savedCharset;
    }
}

TEST_F(FirstStartTest, FilesAlreadyThereAreTheUsersAndStay) {
    std::filesystem::create_directories(config_);
    const std::string edited = Utf16Bytes("[Setting]\n0=中文\n1=我的配置\n");
    const std::string choice = Utf16Bytes("[ChangeLanguage]\nLanguage=CN\n");
    WriteBytes(config_ / "Lan.txt", edited);
    WriteBytes(config_ / "LanSetting.ini", choice);

    EXPECT_TRUE(InstallLanguageFiles(app_, config_, kEnglishLanguageCode));

    EXPECT_EQ(Config("Lan.txt"), edited);
    EXPECT_EQ(Config("LanSetting.ini"), choice);
    EXPECT_EQ(Config("Lan_EN.txt"), kShippedEnglish); // only the missing one was copied
}

// A language file that gives no text would leave every window blank: it is replaced. One that
// gives some texts, even if a later line stops the reader, is the user's and stays.
TEST_F(FirstStartTest, OnlyALanguageFileWithoutAnyTextIsReplaced) {
    struct Case {
        const char* name;
        std::string bytes;
        bool replaced;
    };
    const Case cases[] = {
        {"empty file", "", true},
        {"mark only", "\xFF\xFE", true},
        {"no header", Utf16Bytes("0=中文\n1=配置文件\n"), true},
        {"header only", Utf16Bytes("[Setting]\n"), true},
        {"stops after some texts", Utf16Bytes("[Setting]\n0=中文\nbroken\n"), false},
        {"complete", Utf16Bytes("[Setting]\n0=中文\n1=我的配置\n"), false},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(config_);
        std::filesystem::create_directories(config_);
        WriteBytes(config_ / "Lan.txt", c.bytes);

        EXPECT_TRUE(InstallLanguageFiles(app_, config_, kChineseLanguageCode)) << c.name;

        EXPECT_EQ(Config("Lan.txt"), c.replaced ? kShippedChinese : c.bytes) << c.name;
    }
}

TEST_F(FirstStartTest, AMissingShippedFileIsReportedAndTheRestStillInstalled) {
    std::filesystem::remove(app_ / "lang" / "Lan_EN.txt");

    EXPECT_FALSE(InstallLanguageFiles(app_, config_, kEnglishLanguageCode));

    EXPECT_FALSE(std::filesystem::exists(config_ / "Lan_EN.txt"));
    EXPECT_EQ(Config("Lan.txt"), kShippedChinese);
    EXPECT_TRUE(std::filesystem::exists(config_ / "LanSetting.ini"));
}

TEST_F(FirstStartTest, AConfigFolderThatCannotBeMadeFailsWithoutCrashing) {
    // A plain file where the config folder should be: nothing can be created below it.
    std::filesystem::create_directories(config_.parent_path());
    WriteBytes(config_, "not a folder");

    EXPECT_FALSE(InstallLanguageFiles(app_, config_, kEnglishLanguageCode));
    EXPECT_EQ(ReadBytes(config_), "not a folder");
}

TEST(LanguageCodeForLocaleTest, FirstNonEmptyOfLcAllLcMessagesLangDecides) {
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        std::string_view expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, kEnglishLanguageCode},
        {nullptr, nullptr, "zh_CN.UTF-8", kChineseLanguageCode},
        {nullptr, nullptr, "zh_TW.UTF-8", kChineseLanguageCode},
        {nullptr, nullptr, "en_US.UTF-8", kEnglishLanguageCode},
        {nullptr, nullptr, "C", kEnglishLanguageCode},
        {"", "", "zh_CN", kChineseLanguageCode},                 // empty values do not count
        {"en_GB.UTF-8", nullptr, "zh_CN", kEnglishLanguageCode}, // LC_ALL overrides LANG
        {nullptr, "zh_CN.UTF-8", "en_US", kChineseLanguageCode}, // LC_MESSAGES overrides LANG
        {"zh_SG", "en_US", "en_US", kChineseLanguageCode},
        {nullptr, nullptr, "de_DE.UTF-8", kEnglishLanguageCode},
        {nullptr, nullptr, "ZH_cn", kEnglishLanguageCode}, // locale names are case-sensitive
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LanguageCodeForLocale(c.lcAll, c.lcMessages, c.lang), c.expected)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
            << (c.lang ? c.lang : "-");
    }
}

} // namespace
} // namespace vexmo
