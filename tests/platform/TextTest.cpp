#include <gtest/gtest.h>

#include "platform/core/Canvas.h"
#include "platform/core/TextLayout.h"
#include "platform/core/Wnd.h"

namespace vexmo {
namespace {

// The box of every pixel that is not the background.
Rect Ink(const CCanvas& c, COLORREF background = RGB(0, 0, 0)) {
    Rect box{c.Width(), c.Height(), 0, 0};
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (c.GetPixel(x, y) != background) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box;
}

class Text : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(font.Create(16, "Tahoma")) << "no font found";
        canvas.Create(200, 60);
        canvas.SelectFont(&font);
        canvas.SetTextColor(RGB(255, 255, 255));
        canvas.SetBkMode(TRANSPARENT);
    }
    CFont font;
    CCanvas canvas;
};

TEST_F(Text, FaceNamesResolveToInstalledLookAlikes) {
    FontSpec tahoma{16, 0, 0, false, 1, "Tahoma"};
    FontSpec song{12, 0, 0, false, 134, "宋体"};
    EXPECT_NE(DefaultFontEngine().ResolvedFace(tahoma).find("DejaVuSans"), std::string::npos);
    EXPECT_NE(DefaultFontEngine().ResolvedFace(song).find("uming"), std::string::npos);
    CFont cjk(song);
    ASSERT_TRUE(cjk.IsValid());
    canvas.SelectFont(&cjk);
    EXPECT_GT(canvas.GetTextExtent("宋体").cx, 0);
}

TEST_F(Text, PositiveHeightIsTheCellHeight) {
    for (int h : {12, 16, 24, 48}) {
        CFont f(FontSpec{h, 0, 0, false, 1, "Tahoma"});
        ASSERT_TRUE(f.IsValid());
        EXPECT_NEAR(f.Glyphs()->Height(), h, 1) << h;
    }
}

TEST_F(Text, MeasuresAndWeighs) {
    EXPECT_EQ(canvas.GetTextExtent("").cx, 0);
    EXPECT_LT(canvas.GetTextExtent("iiii").cx, canvas.GetTextExtent("WWWW").cx);
    CFont bold(FontSpec{16, 0, 700, false, 1, "Tahoma"});
    canvas.SelectFont(&bold);
    EXPECT_GT(canvas.GetTextExtent("Profile").cx, CCanvas().GetTextExtent("Profile").cx);
    CFont narrow(FontSpec{24, 6, 0, false, 1, "Tahoma"}), wide(FontSpec{24, 12, 0, false, 1, "Tahoma"});
    canvas.SelectFont(&narrow);
    const int n = canvas.GetTextExtent("DPI").cx;
    canvas.SelectFont(&wide);
    EXPECT_GT(canvas.GetTextExtent("DPI").cx, n + n / 2) << "width doubles the glyphs";
}

TEST_F(Text, SingleLineAlignment) {
    struct Case {
        uint32_t flags;
        const char* name;
    };
    const Rect area{20, 10, 180, 50};
    std::map<std::string, Rect> ink;
    for (const Case& c : {Case{DT_SINGLELINE, "left top"}, Case{DT_SINGLELINE | DT_VCENTER | DT_CENTER, "centre"},
                          Case{DT_SINGLELINE | DT_VCENTER | DT_RIGHT, "right"}}) {
        canvas.FillSolidRect(canvas.Bounds(), RGB(0, 0, 0));
        Rect r = area;
        canvas.DrawText("Mouse", r, c.flags);
        ink[c.name] = Ink(canvas);
    }
    EXPECT_LE(ink["left top"].left, area.left + 2);
    EXPECT_LE(ink["left top"].top, area.top + 6);
    const int mid = (ink["centre"].left + ink["centre"].right) / 2;
    EXPECT_NEAR(mid, (area.left + area.right) / 2, 2);
    EXPECT_NEAR((ink["centre"].top + ink["centre"].bottom) / 2, (area.top + area.bottom) / 2, 3);
    EXPECT_GE(ink["right"].right, area.right - 3);
    EXPECT_LE(ink["right"].right, area.right);
}

TEST_F(Text, DrawingStaysInsideTheRectangleAndTheClip) {
    Rect r{10, 10, 60, 30};
    canvas.DrawText("a long caption that cannot fit at all", r, DT_SINGLELINE | DT_VCENTER);
    const Rect ink = Ink(canvas);
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 60);
    canvas.FillSolidRect(canvas.Bounds(), RGB(0, 0, 0));
    canvas.SetClipRect({0, 0, 30, 60});
    canvas.TextOut(10, 10, "clipped text");
    EXPECT_LE(Ink(canvas).right, 30);
}

TEST_F(Text, OpaqueBackgroundFillsTheTextCell) {
    canvas.SetBkMode(OPAQUE);
    canvas.SetBkColor(RGB(0, 0, 255));
    canvas.TextOut(5, 5, "x");
    EXPECT_EQ(canvas.GetPixel(5, 5), RGB(0, 0, 255));
}

TEST_F(Text, WordEllipsisShortensToFit) {
    const GlyphSource& g = *font.Glyphs();
    const auto lines = LayoutText(g, DecodeUtf8("defaultProfile1 and more"), 80, DT_SINGLELINE | DT_WORD_ELLIPSIS);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_LE(lines[0].width, 80);
    EXPECT_EQ(lines[0].text.substr(lines[0].text.size() - 3), U"...");
    const auto fits = LayoutText(g, DecodeUtf8("OK"), 80, DT_SINGLELINE | DT_WORD_ELLIPSIS);
    EXPECT_EQ(fits[0].text, U"OK");
}

TEST_F(Text, WordBreakWrapsAtSpacesAndEditControlSplitsLongWords) {
    const GlyphSource& g = *font.Glyphs();
    const int width = MeasureText(g, U"Please connect") + 2;
    const auto wrapped = LayoutText(g, DecodeUtf8("Please connect the mouse first\nthen try again"), width, DT_WORDBREAK);
    ASSERT_GE(wrapped.size(), 3u);
    for (const auto& l : wrapped) EXPECT_LE(l.width, width);
    EXPECT_EQ(wrapped.back().text, U"then try again");

    const std::string word(40, 'W');
    const auto kept = LayoutText(g, DecodeUtf8(word), 50, DT_WORDBREAK);
    EXPECT_EQ(kept.size(), 1u) << "a single word stays whole without the edit-control rule";
    const auto split = LayoutText(g, DecodeUtf8(word), 50, DT_WORDBREAK | DT_EDITCONTROL);
    EXPECT_GT(split.size(), 1u);
    for (const auto& l : split) EXPECT_LE(l.width, 50);

    const auto cjk = LayoutText(g, DecodeUtf8("请先连接鼠标然后再试一次"), 60, DT_WORDBREAK);
    EXPECT_GT(cjk.size(), 1u) << "ideographs break anywhere";
}

TEST_F(Text, CalcRectAndHiddenPartialLine) {
    Rect r{0, 0, 60, 0};
    const int h = canvas.DrawText("one two three four five", r, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(r.bottom, h);
    EXPECT_GT(h, font.Glyphs()->Height());
    EXPECT_LE(r.right, 60);
    EXPECT_EQ(Ink(canvas).right, 0) << "nothing drawn";

    const int line = font.Glyphs()->Height();
    Rect box{0, 0, 60, line + line / 2}; // room for one and a half lines
    canvas.DrawText("one two three four five", box, DT_WORDBREAK | DT_EDITCONTROL);
    EXPECT_LE(Ink(canvas).bottom, line);
}

TEST(Utf8, MalformedInputBecomesReplacementCharacters) {
    EXPECT_EQ(DecodeUtf8("a\xC3"), (std::u32string{U'a', 0xFFFD}));
    EXPECT_EQ(DecodeUtf8("\xE5\xAE\x8B"), U"宋");
    EXPECT_EQ(DecodeUtf8("\xC0\x80x"), (std::u32string{0xFFFD, 0xFFFD, U'x'})); // overlong
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), (std::u32string{0xFFFD, 0xFFFD, 0xFFFD})); // surrogate
    EXPECT_EQ(DecodeUtf8("\xF4\x90\x80\x80").front(), 0xFFFDu);
    EXPECT_EQ(Utf8(U'宋'), "\xE5\xAE\x8B");
}

} // namespace
} // namespace vexmo
