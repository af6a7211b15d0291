// Drawing checked by pixels on small synthetic pictures.
#include "UiFixture.h"
#include "macros/MacroLibrary.h"
#include "ui/Battery.h"
#include "ui/ColorSelectCheckButton.h"
#include "ui/ComboButton.h"
#include "ui/DPIRadioButton.h"
#include "ui/EditShowList.h"
#include "ui/ImageButton.h"
#include "ui/RadioButton.h"
#include "ui/SkinImage.h"
#include "ui/StaticImage.h"
#include "ui/StaticText.h"
#include "ui/VScrollBar.h"
#include "ui/VerticalSliderControl.h"

namespace vexmo {
namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kGrey = 0x808080;

// The first row, top down, whose pixel in column x has `colour`; -1 when none.
int FirstRowOf(const CCanvas& dc, int x, COLORREF colour) {
    for (int y = 0; y < dc.Height(); ++y)
        if (dc.GetPixel(x, y) == colour)
            return y;
    return -1;
}

TEST_F(UiTest, StripFrameFollowsTheState) {
    const std::string strip = Picture("strip.png", 30, 10, {kRed, kGreen, kBlue});
    CImageButton button(owner.Handle(), 2001, {0, 0, 20, 20}, "", 0);
    ASSERT_TRUE(button.SetStripImage(strip));
    EXPECT_EQ(button.frameWidth, 10);
    const COLORREF expected[] = {kRed, kGreen, kBlue};
    for (int state = 0; state < 3; ++state) {
        button.state = state;
        CCanvas dc = Blank(20, 20);
        button.Draw(dc, dc.Bounds());
        EXPECT_EQ(dc.GetPixel(0, 0), expected[state]) << state;
        EXPECT_EQ(dc.GetPixel(19, 19), expected[state]) << state; // stretched over the whole rect
    }
}

TEST_F(UiTest, SeparatePicturesAreDrawnFromTheLastLoadedSize) {
    const std::string small = Picture("nr.png", 10, 10, {kRed});
    const std::string large = Picture("ov.png", 20, 20, {kGreen});
    CRadioButton radio(owner.Handle(), 2999, {0, 0, 20, 20}, "");
    radio.SetNormalImage(small);
    radio.SetHoverImage(large);
    EXPECT_EQ(radio.frameWidth, 20);
    CCanvas dc = Blank(20, 20);
    radio.Draw(dc, dc.Bounds());
    EXPECT_EQ(dc.GetPixel(5, 5), kRed);
    EXPECT_EQ(dc.GetPixel(15, 15), 0x000000u); // beyond the small picture: nothing drawn
    radio.state = StateHover;
    radio.Draw(dc, dc.Bounds());
    EXPECT_EQ(dc.GetPixel(15, 15), kGreen);
}

TEST_F(UiTest, BatteryFillHeightWithOnePixelMinimum) {
    const std::string empty = Picture("empty.png", 20, 64, {kBlue});
    const std::string full = Picture("full.png", 20, 64, {kRed});
    CBattery battery(owner.Handle(), {0, 0, 20, 64}, "");
    EXPECT_TRUE(battery.disabled);
    battery.SetEmptyImage(empty);
    battery.SetFullImage(full);
    // Fill from design row fillTop + fillHeight - f (f = percent of 50, at least 1) down to the
    // picture's bottom.
    const struct {
        uint8_t percent;
        int firstRed;
    } cases[] = {{0, 56}, {1, 56}, {2, 56}, {50, 32}, {100, 7}};
    for (const auto& c : cases) {
        battery.percent = c.percent;
        CCanvas dc = Blank(20, 64);
        battery.Draw(dc, dc.Bounds());
        EXPECT_EQ(FirstRowOf(dc, 10, kRed), c.firstRed) << int(c.percent);
        EXPECT_EQ(dc.GetPixel(10, 0), kBlue) << int(c.percent);
        EXPECT_EQ(dc.GetPixel(10, 63), kRed) << int(c.percent);
    }
}

TEST_F(UiTest, ScaledFillsMoveUpOnePixelWhenTheFilledHeightIsOdd) {
    const std::string empty = Picture("empty.png", 30, 61, {kBlue});
    const std::string full = Picture("full.png", 30, 61, {kRed});
    const struct {
        double scale;
        uint8_t percent;
        int firstRed;
    } batteryCases[] = {{1.5, 50, 47}, {2.0, 50, 64}, {2.0, 0, 112}};
    for (const auto& c : batteryCases) {
        UiScale = c.scale;
        CBattery battery(owner.Handle(), {0, 0, ScaleI(30), ScaleI(61)}, "");
        battery.SetEmptyImage(empty);
        battery.SetFullImage(full);
        battery.percent = c.percent;
        CCanvas dc = Blank(ScaleI(30), ScaleI(61));
        battery.Draw(dc, dc.Bounds());
        EXPECT_EQ(FirstRowOf(dc, 10, kRed), c.firstRed) << c.scale << " " << int(c.percent);
    }
    UiScale = 1.5;
    CVerticalSliderControl bar(owner.Handle(), 3300, {0, 0, 15, 150}, 10, 0, 0, "");
    bar.SetEmptyImage(Picture("bar_empty.png", 10, 100, {kBlue}));
    bar.SetFullImage(Picture("bar_full.png", 10, 100, {kRed}));
    bar.SetValue(4); // filled 75: odd
    CCanvas dc = Blank(15, 150);
    bar.Draw(dc, dc.Bounds());
    EXPECT_EQ(FirstRowOf(dc, 5, kRed), 74);
}

TEST_F(UiTest, BatteryChargingAndFullModes) {
    CBattery battery(owner.Handle(), {0, 0, 20, 64}, "");
    battery.SetEmptyImage(Picture("empty.png", 20, 64, {kBlue}));
    battery.SetFullImage(Picture("full.png", 20, 64, {kRed}));
    battery.SetChargeFillImage(Picture("charge.png", 20, 64, {kGreen}));
    Image overlay(20, 64); // transparent but for its top row
    for (int x = 0; x < 20; ++x)
        overlay.Row(0)[x] = 0xFFFFFFFF;
    ASSERT_TRUE(WritePngFile(overlay, dir / "overlay.png"));
    battery.SetOverlayImage((dir / "overlay.png").string());

    battery.batteryMode = BatteryCharging; // charge 25%: f = 12, fill from row 45
    CCanvas dc = Blank(20, 64);
    battery.Draw(dc, dc.Bounds());
    EXPECT_EQ(dc.GetPixel(10, 0), 0xFFFFFFu);
    EXPECT_EQ(dc.GetPixel(10, 44), kBlue);
    EXPECT_EQ(dc.GetPixel(10, 45), kGreen);

    battery.batteryMode = BatteryFull;
    dc = Blank(20, 64);
    battery.Draw(dc, dc.Bounds());
    EXPECT_EQ(dc.GetPixel(10, 0), 0xFFFFFFu);
    EXPECT_EQ(dc.GetPixel(10, 1), kRed);
}

TEST_F(UiTest, VerticalBarFillsFromTheBottom) {
    CVerticalSliderControl bar(owner.Handle(), 3300, {0, 0, 10, 100}, 10, 0, 0, "");
    bar.SetEmptyImage(Picture("bar_empty.png", 10, 100, {kBlue}));
    bar.SetFullImage(Picture("bar_full.png", 10, 100, {kRed}));
    const struct {
        int value;
        int firstRed;
    } cases[] = {{0, 90}, {4, 50}, {9, 0}};
    for (const auto& c : cases) {
        bar.SetValue(c.value);
        CCanvas dc = Blank(10, 100);
        bar.Draw(dc, dc.Bounds());
        EXPECT_EQ(FirstRowOf(dc, 5, kRed), c.firstRed) << c.value;
        EXPECT_EQ(dc.GetPixel(5, 99), kRed) << c.value;
    }
}

TEST_F(UiTest, ColourSwatchLeavesAFrameOfThePicture) {
    for (double scale : {1.0, 2.0}) {
        UiScale = scale;
        const int inset = static_cast<int>(3 * scale);
        CColorSelectCheckButton swatch(owner.Handle(), 3210, {0, 0, 20, 20}, "");
        swatch.SetNormalImage(Picture("swatch.png", 20, 20, {kGrey}));
        swatch.SetColour(kRed);
        CCanvas dc = Blank(20, 20);
        swatch.Draw(dc, dc.Bounds());
        EXPECT_EQ(swatch.swatchRect, (Rect{inset, inset, 20 - inset, 20 - inset})) << scale;
        EXPECT_EQ(dc.GetPixel(inset - 1, inset - 1), kGrey) << scale;
        EXPECT_EQ(dc.GetPixel(inset, inset), kRed) << scale;
        EXPECT_EQ(dc.GetPixel(19 - inset, 19 - inset), kRed) << scale;
        EXPECT_EQ(dc.GetPixel(20 - inset, 20 - inset), kGrey) << scale;
    }
}

TEST_F(UiTest, LibraryListHighlightsTheSelectedRow) {
    MacroLibrary library;
    library.AddMacroAt({0, 0, 0, 0}, "a", std::make_unique<MacroRecord>());
    library.AddMacroAt({0, 1, 0, 0}, "b", std::make_unique<MacroRecord>());
    CEditShowList list(owner.Handle(), {0, 0, 100, 60}, "");
    list.SetLibrary(&library);
    list.selectedRow = 1;
    CCanvas dc = Blank(120, 80);
    list.Draw(dc, dc.Bounds());
    EXPECT_EQ(dc.GetPixel(97, 21), 0xDEA035u);
    EXPECT_EQ(dc.GetPixel(97, 39), 0xDEA035u);
    EXPECT_EQ(dc.GetPixel(98, 21), 0x4B4B4Bu);
    EXPECT_EQ(dc.GetPixel(97, 19), 0x4B4B4Bu);
    EXPECT_EQ(dc.GetPixel(97, 40), 0x4B4B4Bu);
    EXPECT_EQ(dc.GetPixel(105, 21), 0x000000u); // nothing outside the list
}

TEST_F(UiTest, ScrollBarThumbColours) {
    CVScrollBar bar(owner.Handle(), 2016, {0, 0, 18, 200}, "");
    bar.SetArrowsFromResources();
    bar.SetScrollInfo(10, 10, 40); // thumb 60..99
    CCanvas dc = Blank(18, 200);
    bar.Draw(dc, dc.Bounds());
    EXPECT_EQ(dc.GetPixel(5, 30), 0x101010u);
    EXPECT_EQ(dc.GetPixel(0, 70), 0x1F1F1Fu);
    EXPECT_EQ(dc.GetPixel(5, 70), 0x323232u);
    bar.OnMouseMove(0, 5, 70);
    ASSERT_TRUE(bar.overThumb);
    bar.Draw(dc, dc.Bounds());
    EXPECT_EQ(dc.GetPixel(0, 70), 0xDEA035u);
    EXPECT_EQ(dc.GetPixel(5, 70), 0x1F1F1Fu);
}

TEST_F(UiTest, MissingPicturesDrawWhatTheyCanAndStillClick) {
    CImageButton button(owner.Handle(), 2001, {0, 0, 80, 20}, "Apply", DT_CENTER);
    EXPECT_FALSE(button.SetNormalImage(SkinPath("skins\\nothing_nr.png")));
    EXPECT_FALSE(button.SetHoverImage(SkinPath("skins\\nothing_ov.png")));
    EXPECT_FALSE(button.SetStripFromResource(65000));
    CCanvas dc = Blank(80, 20);
    button.Draw(dc, dc.Bounds());
    int lit = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x)
            lit += dc.GetPixel(x, y) != 0;
    EXPECT_GT(lit, 0); // the caption
    button.OnLButtonDown(MK_LBUTTON, 5, 5);
    button.OnLButtonUp(0, 5, 5);
    EXPECT_EQ(owner.notes, (std::vector<Note>{{2001, 0, CN_PRESSED}, {2001, 2001, CN_CLICKED}}));

    CStaticImage picture(owner.Handle(), 2100, {0, 0, 10, 10}, "");
    EXPECT_FALSE(picture.SetStripImage(SkinPath("skins/none.png"), 2));
    CBattery battery(owner.Handle(), {0, 0, 20, 64}, "");
    battery.SetFullImage("/nonexistent/full.png");
    CCanvas other = Blank(20, 64);
    picture.Draw(other, other.Bounds());
    battery.Draw(other, other.Bounds());
    EXPECT_EQ(other.GetPixel(10, 60), 0x000000u);
}

// Each control's text, drawn the way a caption of that text would be.
TEST_F(UiTest, ControlsShowTheirOwnTexts) {
    const Rect r{0, 0, 80, 24};
    CDPIRadioButton dpi(owner.Handle(), 3291, r, "caption");
    dpi.dpiValue = 32;
    CStaticText text(owner.Handle(), 2102, r, 0x00FF00, DT_CENTER, "caption");
    text.SetDisplayText("shown");
    CComboButton combo(owner.Handle(), 1027, 2060, r, "caption", DT_LEFT, true, true, false, 0, "Left Click");
    combo.showDisabledText = true;
    const struct {
        const char* name;
        CControlBase* control;
        std::string expected;
        Rect area;
        uint32_t flags;
        COLORREF colour;
    } cases[] = {
        {"DPI label",
         &dpi,
         "1600",
         {0, 0, 80, 11},
         DT_WORD_ELLIPSIS | DT_SINGLELINE | DT_CENTER,
         kCaptionNormal},
        {"static text", &text, "shown", r, DT_CENTER | DT_WORD_ELLIPSIS | DT_VCENTER, 0x00FF00},
        {"disabled combo", &combo, "Disable", r, DT_LEFT | kCaptionFlags, kCaptionNormal},
    };
    for (const auto& c : cases) {
        CCanvas drawn = Blank(80, 24);
        c.control->Draw(drawn, drawn.Bounds());
        CCanvas reference = Blank(80, 24);
        DrawCaption(reference, c.control->font, c.expected, c.area, c.flags, c.colour);
        EXPECT_EQ(drawn.Pixels(), reference.Pixels()) << c.name;
        int lit = 0;
        for (uint32_t p : drawn.Pixels())
            lit += (p & 0xFFFFFF) != 0;
        EXPECT_GT(lit, 0) << c.name;
    }
}

} // namespace
} // namespace vexmo
