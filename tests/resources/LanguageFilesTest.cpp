// The shipped language files load through the program's reader to their end, and every text
// the program shows is there, in both languages.
#include "ShippedFiles.h"
#include "settings/FirstStart.h"
#include "settings/Globals.h"
#include "settings/LanguageTable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <vector>

namespace vexmo::test {
namespace {

// Every entry number the windows, dialogs, lists and notices use.
std::vector<int> UsedEntries() {
    std::vector<int> entries;
    auto range = [&entries](int first, int last) {
        for (int n = first; n <= last; ++n) {
            entries.push_back(n);
        }
    };
    range(0, 34);    // language name, window texts, section titles, function names
    range(36, 36);   // DPI lock
    range(40, 42);   // DPI functions
    range(45, 54);   // multimedia
    range(60, 68);   // office
    range(75, 80);   // window control
    range(85, 93);   // default profile names, profile context list
    range(100, 109); // lighting effects
    range(120, 123); // lighting panel captions
    range(130, 135); // pointer panel captions
    range(141, 158); // profile dialogs, notices, reset warning, DPI and colour titles, support line
    range(170, 176); // fire key dialog
    range(180, 181); // shortcut dialog
    range(190, 210); // macro manager
    range(220, 221); // action edit dialogs
    range(232, 257); // macro library notices, dialogs, popup, file dialog titles
    range(260, 264); // pointer button, report rate captions
    for (int n : {268, 270, 271, 274}) {
        entries.push_back(n); // power and lift-off options
    }
    return entries;
}

struct Language {
    const char* file;
    const char* name;
};
constexpr Language kLanguages[] = {{"Lan_EN.txt", "English"}, {"Lan.txt", "中文"}};

TEST(LanguageFilesTest, BothFilesReadToTheirEndWithEveryUsedEntry) {
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.file);
        LanguageTable table;
        ASSERT_TRUE(ReadLanguageFile(BinDir() / "lang" / language.file, table))
            << "a line stopped the reader";
        EXPECT_EQ(table.Text(0), language.name);
        for (int entry : UsedEntries()) {
            EXPECT_FALSE(table.Text(entry).empty()) << "entry " << entry;
        }
    }
}

TEST(LanguageFilesTest, BothFilesHaveTheSameEntries) {
    LanguageTable english, chinese;
    ASSERT_TRUE(ReadLanguageFile(BinDir() / "lang" / "Lan_EN.txt", english));
    ASSERT_TRUE(ReadLanguageFile(BinDir() / "lang" / "Lan.txt", chinese));
    for (int entry = 0; entry < LanguageTable::kEntryCount; ++entry) {
        EXPECT_EQ(english.Text(entry).empty(), chinese.Text(entry).empty()) << "entry " << entry;
    }
}

// Fire key names drop one trailing "+", and macro names follow entry 190 directly; the
// DPI lock name is entry 36 + "-" + value. None of these should look broken.
TEST(LanguageFilesTest, TextsThatArePartsOfNamesHaveNoStrayBlanks) {
    for (const Language& language : kLanguages) {
        LanguageTable table;
        ASSERT_TRUE(ReadLanguageFile(BinDir() / "lang" / language.file, table));
        for (int entry : UsedEntries()) {
            const std::string& text = table.Text(entry);
            EXPECT_NE(text.front(), ' ') << language.file << " entry " << entry;
            EXPECT_NE(text.back(), ' ') << language.file << " entry " << entry;
        }
    }
}

// First start with the real shipped files: the selection written for each locale makes
// LoadLanguage pick that language and its font.
TEST(LanguageFilesTest, FirstStartWithTheShippedFilesLoadsTheLocalesLanguage) {
    struct Case {
        std::string_view code;
        const char* name;
        const char* face;
    };
    for (const Case& c :
         {Case{kEnglishLanguageCode, "English", "Tahoma"}, Case{kChineseLanguageCode, "中文", "宋体"}}) {
        TempDir dir;
        const auto config = dir / "config";
        ASSERT_TRUE(InstallLanguageFiles(BinDir(), config, c.code));
        LanguageTable table;
        const std::string savedFace = UiFontFace;
        const int savedHeight = UiFontHeight, savedCharset = UiFontCharset;
        EXPECT_TRUE(LoadLanguage(config, table));
        EXPECT_EQ(table.Text(0), c.name);
        EXPECT_EQ(UiFontFace, c.face);
        UiFontFace = savedFace, UiFontHeight = savedHeight, UiFontCharset = savedCharset;
    }
}

} // namespace
} // namespace vexmo::test
