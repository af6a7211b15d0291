// Background preparation and the small-dialog painter of the dialog base.
#include "UiFixture.h"
#include "ui/DlgBase.h"
#include "ui/SkinImage.h"

namespace vexmo {
namespace {

class SmallDlg : public CDlgBase {
public:
    std::string frame;
    SmallDlg() {
        windowWidth = 300;
        windowHeight = 200;
    }
    void DrawBackground(CCanvas& dc, const Rect& client) override {
        DrawSmallDialog(dc, client, frame, {100, 40});
    }
    void CreateControls(Rect) override {}
};

TEST_F(UiTest, BackgroundTrimAndAverageColour) {
    const struct {
        const char* name;
        Size picture;
        int trim;
    } cases[] = {
        {"covers the window", {300, 200}, 0},
        {"narrower than the window", {250, 300}, 100},
        {"small picture", {80, 60}, 60},
    };
    for (const auto& c : cases) {
        SmallDlg dlg;
        const std::string path =
            Picture(std::string(c.name) + ".png", c.picture.cx, c.picture.cy, {0x0000FF, 0xFF0000});
        ASSERT_TRUE(dlg.LoadBackgroundFile(path)) << c.name;
        EXPECT_EQ(dlg.backgroundTrim, c.trim) << c.name;
        EXPECT_EQ(dlg.backgroundSize, c.picture) << c.name;
        EXPECT_EQ(dlg.averageColour, 0x7F007Fu) << c.name; // half red, half blue
        EXPECT_EQ(dlg.backgroundBitmap.Width(), c.picture.cx - c.trim) << c.name;
    }
}

TEST_F(UiTest, MissingBackgroundKeepsWhatWasThere) {
    SmallDlg dlg;
    EXPECT_FALSE(dlg.LoadBackgroundFile(SkinPath("skins/Frame_missing.bmp")));
    EXPECT_EQ(dlg.backgroundSize, (Size{100, 100}));
    EXPECT_EQ(dlg.averageColour, 0xEFE2BAu);
    EXPECT_TRUE(dlg.backgroundBitmap.IsEmpty());
    EXPECT_FALSE(dlg.LoadBackgroundResource(65000));
}

TEST_F(UiTest, SmallDialogPaintsAverageBackgroundAndFrame) {
    SmallDlg dlg;
    ASSERT_TRUE(dlg.LoadBackgroundFile(Picture("bg.png", 300, 200, {0x00FF00})));
    dlg.frame = Picture("frame.png", 50, 20, {0xFF0000});
    ASSERT_TRUE(dlg.CreateModeless());
    screen->RunUntilIdle();
    const CCanvas pixels = screen->WindowPixels(dlg.Handle());
    EXPECT_EQ(pixels.GetPixel(99, 39), 0xFF0000u); // the frame, stretched to 100 x 40
    EXPECT_EQ(pixels.GetPixel(100, 40), 0x00FF00u);

    SmallDlg plain; // no pictures at all: the average colour, nothing else
    plain.frame = SkinPath("skins/none.bmp");
    ASSERT_TRUE(plain.CreateModeless());
    screen->RunUntilIdle();
    EXPECT_EQ(screen->WindowPixels(plain.Handle()).GetPixel(10, 10), 0xEFE2BAu);
}

} // namespace
} // namespace vexmo
