// A window painted the way the skinned dialogs paint (off-screen canvas, one copy), a
// constant-alpha layered popup over it, checked pixel by pixel on the headless screen.
// The picture is also saved (headless_screenshot.png in the working folder) for a look.
#include "HeadlessFixture.h"

namespace vexmo {
namespace {

constexpr COLORREF kBackground = RGB(0x1E, 0x22, 0x28);
constexpr COLORREF kAccent = RGB(0xFE, 0x92, 0x52);

class SampleDialog : public CWnd {
public:
    void OnPaint(CCanvas& dc) override {
        const Rect client = GetClientRect();
        CCanvas memory(client.Width(), client.Height());
        memory.FillSolidRect(client, kBackground);
        Image picture(2, 2);
        picture.Pixels() = {ToPixel(kAccent), 0xFF2060A0, 0xFF2060A0, ToPixel(kAccent)};
        memory.DrawImage(picture, {20, 60, 80, 80}, {0, 0, 2, 2});
        CFont title(FontSpec{16, 0, 700, false, 1, "Tahoma"});
        CFont song(FontSpec{12, 0, 0, false, 134, "宋体"});
        memory.SetBkMode(TRANSPARENT);
        memory.SelectFont(&title);
        memory.SetTextColor(kAccent);
        Rect caption{20, 10, 300, 40};
        memory.DrawText("Vexmo DPI 1600", caption, DT_SINGLELINE | DT_VCENTER);
        memory.SelectFont(&song);
        memory.SetTextColor(RGB(0xB4, 0xB4, 0xB4));
        Rect body{120, 60, 300, 140};
        memory.DrawText("鼠标已连接。 A long notice wraps inside its box like an edit control.", body,
                        DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL);
        dc.BitBlt(0, 0, client.Width(), client.Height(), memory, 0, 0);
        ++paints;
    }
    int paints = 0;
};

class Popup : public CWnd {
public:
    void OnPaint(CCanvas& dc) override { dc.FillSolidRect(GetClientRect(), RGB(0xA4, 0x49, 0xA4)); }
};

TEST_F(HeadlessTest, PaintedWindowAndLayeredPopupOnScreen) {
    SampleDialog dlg;
    ASSERT_TRUE(dlg.CreateEx(WS_EX_APPWINDOW, "Vexmo", WS_POPUP | WS_VISIBLE, {100, 100, 420, 260}));
    Popup osd;
    ASSERT_TRUE(osd.CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED, "", WS_POPUP, {380, 220, 480, 300},
                             dlg.Handle()));
    osd.SetLayeredAlpha(128);
    osd.ShowWindow(SW_SHOWNOACTIVATE);
    screen->RunUntilIdle();
    EXPECT_EQ(dlg.paints, 1) << "one paint for one invalidation";
    EXPECT_EQ(GetActiveWindow(), dlg.Handle());

    const CCanvas shot = screen->Screenshot(RGB(0, 0, 0));
    screen->SaveScreenshot("headless_screenshot.png");
    EXPECT_EQ(shot.GetPixel(101, 250), kBackground);
    EXPECT_EQ(shot.GetPixel(100 + 20, 100 + 60), kAccent) << "picture top-left quadrant";
    EXPECT_EQ(shot.GetPixel(100 + 99, 100 + 60), RGB(0x20, 0x60, 0xA0)) << "top-right quadrant";
    EXPECT_EQ(shot.GetPixel(450, 290), RGB(0x52, 0x25, 0x52)) << "half of the popup over black";
    const COLORREF over = shot.GetPixel(400, 240); // popup over the dialog background
    EXPECT_EQ(over, RGB((0xA4 + 0x1E + 1) / 2, (0x49 + 0x22 + 1) / 2, (0xA4 + 0x28 + 1) / 2));
    int accentText = 0;
    for (int y = 110; y < 140; ++y)
        for (int x = 120; x < 400; ++x) accentText += shot.GetPixel(x, y) == kAccent;
    EXPECT_GT(accentText, 20) << "the caption was drawn";

    dlg.InvalidateRect({0, 0, 10, 10});
    screen->RunUntilIdle();
    EXPECT_EQ(dlg.paints, 2);
}

} // namespace
} // namespace vexmo
