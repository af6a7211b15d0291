// Every text fits the place the windows draw it into, in both languages, measured with the
// program's own font engine and the interface font each language sets (Tahoma 16 for
// English, 宋体 12 for Chinese, at UiScale 1). A text that does not fit is cut off with "..."
// or, in the notices, loses its second line: the attention dialog's message area is a single
// line, 319 pixels wide.
#include "ShippedFiles.h"
#include "platform/core/Font.h"
#include "platform/core/TextLayout.h"
#include "settings/LanguageTable.h"

#include <gtest/gtest.h>

#include <vector>

// fontconfig keeps its configuration for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}

namespace vexmo::test {
namespace {

constexpr uint32_t kWordBreak = 0x10;     // DT_WORDBREAK
constexpr uint32_t kEditControl = 0x2000; // DT_EDITCONTROL

struct Place {
    std::vector<int> entries;
    int width; // pixels available at UiScale 1
    const char* where;
    int lines = 1; // lines the place shows
};

std::vector<int> Range(int first, int last) {
    std::vector<int> v;
    for (int n = first; n <= last; ++n) {
        v.push_back(n);
    }
    return v;
}

std::vector<Place> Places() {
    std::vector<int> functions = Range(20, 34);
    for (int n : {36, 40, 41, 42}) {
        functions.push_back(n);
    }
    for (auto r : {Range(45, 54), Range(60, 68), Range(75, 80)}) {
        functions.insert(functions.end(), r.begin(), r.end());
    }
    return {
        {{1, 7}, 69, "bottom buttons (36,700)-(105,720)"},
        {{4, 5, 200, 201, 202, 203, 204}, 65, "dialog buttons (24,333)-(89,356)"},
        {{8}, 230, "macro manager button"},
        {{9, 13, 15, 10}, 220, "section titles and the profile list header"},
        {{11, 12, 14}, 225, "panel headers, left of the fold chevron"},
        {{16, 17, 18}, 140, "battery legend (180,419)-(320,437)"},
        {functions, 136, "button column combos, left of the arrow"},
        {{85, 86, 87, 88, 89}, 220, "profile list rows"},
        {Range(90, 93), 157, "profile context list rows"},
        {Range(245, 252), 157, "library popup rows"},
        {{20, 21, 22, 205, 206}, 113, "insert popup rows"},
        {Range(100, 109), 165, "lighting effect combo"},
        {{120, 121, 123}, 90, "lighting captions (X+42,Y+42)-(X+132,Y+60)"},
        {{122}, 210, "colour caption (X+42)-(X+252)"},
        {{141, 142, 143, 144, 149, 158, 170, 180, 220, 221, 238, 239, 243},
         210,
         "dialog titles (10,3)-(220,21)"},
        {{145, 147, 151, 152, 153, 154, 155, 156, 157, 174, 175,
          176, 232, 233, 234, 235, 236, 237, 241, 242, 257},
         315,
         "notices (0,40)-(319,60)"},
        {{148}, 425, "factory reset warning (0,60)-(429,108)", 2},
        {{191, 192, 197}, 100, "macro manager headings"},
        {{193, 194, 195, 196}, 136, "macro manager labels, from x 390 to the dialog edge"},
        {{198, 199}, 58, "record button, clear of its dot"},
        {{260}, 215, "system mouse settings button"},
        {Range(261, 264), 85, "report rate caption (110,600)-(195,618)"},
    };
}

struct LanguageFont {
    const char* file;
    const char* face;
    int height;
    uint8_t charset;
};
constexpr LanguageFont kFonts[] = {{"Lan_EN.txt", "Tahoma", 16, 1}, {"Lan.txt", "宋体", 12, 134}};

TEST(TextFitTest, EveryTextFitsItsPlace) {
    for (const LanguageFont& language : kFonts) {
        LanguageTable table;
        ASSERT_TRUE(ReadLanguageFile(BinDir() / "lang" / language.file, table));
        FontSpec fontSpec;
        fontSpec.height = language.height;
        fontSpec.face = language.face;
        fontSpec.charset = language.charset;
        const auto glyphs = DefaultFontEngine().Open(fontSpec);
        ASSERT_NE(glyphs, nullptr) << language.face;
        for (const Place& place : Places()) {
            for (int entry : place.entries) {
                const std::u32string text = DecodeUtf8(table.Text(entry));
                const auto lines = LayoutText(*glyphs, text, place.width, kWordBreak | kEditControl);
                EXPECT_LE(static_cast<int>(lines.size()), place.lines)
                    << language.file << " entry " << entry << " (" << place.where << "), "
                    << MeasureText(*glyphs, text) << " px for " << place.width << ": " << table.Text(entry);
            }
        }
    }
}

// Names built from parts: the DPI lock ("entry 36-1200") and the version line.
TEST(TextFitTest, ComposedNamesFit) {
    for (const LanguageFont& language : kFonts) {
        LanguageTable table;
        ASSERT_TRUE(ReadLanguageFile(BinDir() / "lang" / language.file, table));
        FontSpec fontSpec;
        fontSpec.height = language.height;
        fontSpec.face = language.face;
        fontSpec.charset = language.charset;
        const auto glyphs = DefaultFontEngine().Open(fontSpec);
        ASSERT_NE(glyphs, nullptr);
        EXPECT_LE(MeasureText(*glyphs, DecodeUtf8(table.Text(36) + "-1200")), 136) << language.file;
        EXPECT_LE(MeasureText(*glyphs, DecodeUtf8(table.Text(3) + ":1.2.2")), 210) << language.file;
    }
}

// The progress dialog's title uses the interface face at height 18 in (10,3)-(164,23).
TEST(TextFitTest, ProgressTitleFits) {
    for (const LanguageFont& language : kFonts) {
        LanguageTable table;
        ASSERT_TRUE(ReadLanguageFile(BinDir() / "lang" / language.file, table));
        FontSpec fontSpec;
        fontSpec.height = 18;
        fontSpec.face = language.face;
        fontSpec.charset = language.charset;
        const auto glyphs = DefaultFontEngine().Open(fontSpec);
        ASSERT_NE(glyphs, nullptr);
        EXPECT_LE(MeasureText(*glyphs, DecodeUtf8(table.Text(146))), 154)
            << language.file << ": " << table.Text(146);
    }
}

} // namespace
} // namespace vexmo::test
