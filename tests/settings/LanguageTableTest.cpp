#include "settings/LanguageTable.h"
#include "settings/DataFolder.h"
#include "settings/Globals.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace vexmo {
namespace {

using test::TempDir;
using test::Utf16Bytes;
using test::WriteBytes;

// A config folder in a fresh data folder, with the process's font and scale restored afterwards.
class LoadLanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(config_);
        UiFontFace = "宋体";
        UiFontHeight = 12;
        UiFontCharset = 134;
    }
    void TearDown() override {
        UiScale = savedScale_;
        UiFontFace = savedFace_;
        UiFontHeight = savedHeight_;
        UiFontCharset = savedCharset_;
    }
    void Write(const std::string& name, const std::string& text) {
        WriteBytes(config_ / name, Utf16Bytes(text));
    }
    void ExpectFont(const char* face, int height, int charset) {
        EXPECT_EQ(UiFontFace, face);
        EXPECT_EQ(UiFontHeight, height);
        EXPECT_EQ(UiFontCharset, charset);
    }

    TempDir dir_;
    std::filesystem::path config_ = ConfigFolder();
    LanguageTable table_;

private:
    double savedScale_ = UiScale;
    std::string savedFace_ = UiFontFace;
    int savedHeight_ = UiFontHeight;
    int savedCharset_ = UiFontCharset;
};

TEST_F(LoadLanguageTest, SelectionFileChoosesTheLanguageFile) {
    struct Case {
        const char* name;
        const char* selection; // nullptr: no selection file
        const char* expected;
    };
    const Case cases[] = {
        {"no selection file", nullptr, "Lan.txt"},
        {"header and code EN", "[ChangeLanguage]\nLanguage=EN\n", "Lan_EN.txt"},
        {"header and code CN", "[ChangeLanguage]\nLanguage=CN\n", "Lan.txt"},
        {"EN without a header", "EN\n", "Lan_EN.txt"},
        {"carriage return after EN", "[ChangeLanguage]\r\nLanguage=EN\r\n", "Lan.txt"},
        {"code is case sensitive", "[ChangeLanguage]\nLanguage=en\n", "Lan.txt"},
        {"line 2 without =, just EN", "[ChangeLanguage]\nEN\n", "Lan_EN.txt"},
        {"line 2 starting with =", "[ChangeLanguage]\n=EN\n", "Lan.txt"},
        {"line 2 ending with =", "[ChangeLanguage]\nEN=\n", "Lan.txt"},
        {"everything after the first =", "[ChangeLanguage]\nA=EN=\n", "Lan.txt"},
        {"header only", "[ChangeLanguage]\n", "Lan.txt"},
        {"empty file", "", "Lan.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(config_ / "LanSetting.ini");
        if (c.selection != nullptr) {
            Write("LanSetting.ini", c.selection);
        }
        EXPECT_EQ(SelectedLanguageFile(config_), config_ / c.expected);
    }
}

TEST_F(LoadLanguageTest, ReadsEntriesAndChoosesTheDefaultFont) {
    Write("Lan.txt", "[Setting]\n0=English\n20=Left button\n20=Left\n499=last\n500=ignored\n-1=ignored\n"
                     "7=a=b\n 8=spaced\n");
    ASSERT_TRUE(LoadLanguage(config_, table_));
    EXPECT_EQ(table_[0], "English");
    EXPECT_EQ(table_[20], "Left"); // a later line wins
    EXPECT_EQ(table_[499], "last");
    EXPECT_EQ(table_[7], "a=b");
    EXPECT_EQ(table_[8], "spaced");
    EXPECT_EQ(table_[500], "");
    EXPECT_EQ(table_[-1], "");
    ExpectFont("Tahoma", 16, 1);
}

TEST_F(LoadLanguageTest, FontFollowsTheLanguageAndTheScale) {
    struct Case {
        const char* languageName;
        double scale;
        const char* face;
        int height;
        int charset;
    };
    const Case cases[] = {
        {"中文", 1.0, "宋体", 12, 134},    {"中文", 1.5, "宋体", 18, 134},  {"中文", 2.0, "宋体", 24, 134},
        {"English", 1.5, "Tahoma", 24, 1}, {"中文 ", 1.0, "Tahoma", 16, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.languageName);
        UiScale = c.scale;
        Write("Lan.txt", std::string("[Setting]\n0=") + c.languageName + "\n");
        ASSERT_TRUE(LoadLanguage(config_, table_));
        ExpectFont(c.face, c.height, c.charset);
    }
}

TEST_F(LoadLanguageTest, HeaderOnlyGivesEmptyTextsAndTheDefaultFont) {
    UiScale = 1.5;
    Write("Lan.txt", "[Setting]\n");
    ASSERT_TRUE(LoadLanguage(config_, table_));
    EXPECT_EQ(table_[0], "");
    ExpectFont("Tahoma", 24, 1);
}

TEST_F(LoadLanguageTest, BadFilesStopAndKeepTheInitialFont) {
    struct Case {
        const char* name;
        const char* text; // nullptr: no file
        const char* entry1;
    };
    const Case cases[] = {
        {"no language file", nullptr, ""},
        {"wrong header", "[Settings]\n1=one\n", ""},
        {"header with carriage return", "[Setting]\r\n1=one\r\n", ""},
        {"line starting with =", "[Setting]\n1=one\n=two\n3=three\n", "one"},
        {"line ending with =", "[Setting]\n1=one\n2=\n3=three\n", "one"},
        {"line without =", "[Setting]\n1=one\nfree text\n", "one"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LanguageTable table;
        std::filesystem::remove(config_ / "Lan.txt");
        if (c.text != nullptr) {
            Write("Lan.txt", c.text);
        }
        EXPECT_FALSE(LoadLanguage(config_, table));
        EXPECT_EQ(table[1], c.entry1);
        EXPECT_EQ(table[3], "");
        ExpectFont("宋体", 12, 134);
    }
}

TEST_F(LoadLanguageTest, EmptyLineEndsTheFileAsItsEnd) {
    Write("Lan.txt", "[Setting]\n0=中文\n1=one\n\n2=two\n");
    ASSERT_TRUE(LoadLanguage(config_, table_));
    EXPECT_EQ(table_[1], "one");
    EXPECT_EQ(table_[2], "");
}

TEST_F(LoadLanguageTest, EnglishSelectionReadsLanEn) {
    Write("LanSetting.ini", "[ChangeLanguage]\nLanguage=EN\n");
    Write("Lan.txt", "[Setting]\n1=default\n");
    Write("Lan_EN.txt", "[Setting]\n1=english\n");
    ASSERT_TRUE(LoadLanguage(config_, table_));
    EXPECT_EQ(table_[1], "english");
}

TEST_F(LoadLanguageTest, ProcessLoadFillsAppLanguageFromTheDataFolder) {
    Write("Lan.txt", "[Setting]\n0=中文\n33=text 33\n");
    AppLanguage.Clear();
    ASSERT_TRUE(LoadLanguage());
    EXPECT_EQ(LanguageText(33), "text 33");
    EXPECT_EQ(LanguageText(LanguageTable::kEntryCount), "");
    AppLanguage.Clear();
}

TEST(LanguageTable, SetRefusesNumbersOutsideTheTable) {
    LanguageTable table;
    EXPECT_TRUE(table.Set(0, "zero"));
    EXPECT_TRUE(table.Set(499, "last"));
    EXPECT_FALSE(table.Set(500, "x"));
    EXPECT_FALSE(table.Set(-1, "x"));
    EXPECT_EQ(table.Text(499), "last");
    table.Clear();
    EXPECT_EQ(table.Text(0), "");
}

} // namespace
} // namespace vexmo
