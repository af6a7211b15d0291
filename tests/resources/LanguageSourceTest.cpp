// The build-time check of the language sources: a line the program's reader would stop at
// must fail the build, and a good source must become exactly the program's file format.
#include "LanguageSource.h"
#include "settings/LanguageTable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vexmo::test {
namespace {

TEST(LanguageSourceTest, GoodSourceBecomesTheProgramsFormat) {
    std::string out, error;
    ASSERT_TRUE(art::ConvertLanguageSource("# comment\n[Setting]\n\n0=中文\n# another\n7=a=b\n", out, error))
        << error;
    EXPECT_EQ(out, Utf16Bytes("[Setting]\n0=中文\n7=a=b\n"));

    // And the program reads it to its end.
    TempDir dir;
    WriteBytes(dir / "Lan.txt", out);
    LanguageTable table;
    EXPECT_TRUE(ReadLanguageFile(dir / "Lan.txt", table));
    EXPECT_EQ(table.Text(7), "a=b");
}

TEST(LanguageSourceTest, CharactersBeyondTheBasicPlaneBecomeSurrogatePairs) {
    std::string out, error;
    ASSERT_TRUE(art::ConvertLanguageSource("[Setting]\n0=\xF0\x9F\x98\x80\n", out, error)) << error;
    EXPECT_NE(out.find(std::string("\x3D\xD8\x00\xDE", 4)), std::string::npos);
}

TEST(LanguageSourceTest, LinesTheReaderWouldStopAtFailTheBuild) {
    struct Case {
        const char* name;
        const char* source;
        const char* expected; // start of the error
    };
    const Case cases[] = {
        {"no header", "0=English\n", "line 1"},
        {"wrong header", "[Settings]\n0=English\n", "line 1"},
        {"starts with =", "[Setting]\n0=English\n=text\n", "line 3"},
        {"ends with =", "[Setting]\n0=English\n5=\n", "line 3"},
        {"no =", "[Setting]\n0=English\nhello\n", "line 3"},
        {"number out of range", "[Setting]\n0=English\n500=x\n", "line 3"},
        {"not a number", "[Setting]\n0=English\n1a=x\n", "line 3"},
        {"negative", "[Setting]\n0=English\n-1=x\n", "line 3"},
        {"duplicate", "[Setting]\n0=English\n4=OK\n4=Yes\n", "line 4"},
        {"carriage return", "[Setting]\r\n0=English\n", "line 1"},
        {"bad UTF-8", "[Setting]\n0=Engl\xC3\n", "line 2"},
        {"overlong UTF-8", "[Setting]\n0=\xC0\xAF\n", "line 2"},
        {"encoded surrogate", "[Setting]\n0=\xED\xA0\x80\n", "line 2"},
        {"no language name", "[Setting]\n1=x\n", "entry 0"},
        {"empty", "", "no [Setting]"},
    };
    for (const Case& c : cases) {
        std::string out, error;
        EXPECT_FALSE(art::ConvertLanguageSource(c.source, out, error)) << c.name;
        EXPECT_EQ(error.rfind(c.expected, 0), 0u) << c.name << ": " << error;
    }
}

TEST(LanguageSourceTest, PlainTextKeepsEveryLine) {
    std::string out, error;
    ASSERT_TRUE(art::ConvertPlainText("[ChangeLanguage]\nLanguage=EN\n", out, error)) << error;
    EXPECT_EQ(out, Utf16Bytes("[ChangeLanguage]\nLanguage=EN\n"));
    EXPECT_FALSE(
        art::ConvertPlainText("[ChangeLanguage]\n\nLanguage=EN\n", out, error)); // would end the file
}

} // namespace
} // namespace vexmo::test
