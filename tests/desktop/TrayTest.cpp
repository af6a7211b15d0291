// The tray icon and its menu on the headless desktop: clicks reach the owner as the callback
// message; the menu returns and posts the chosen item, and ends on a click elsewhere or Escape.
#include <gtest/gtest.h>

#include "platform/HeadlessFixture.h"
#include "platform/core/VirtualKeys.h"
#include "platform/desktop/TrayIcon.h"
#include "platform/desktop/TrayMenu.h"
#include "platform/headless/HeadlessTray.h"

namespace vexmo {
namespace {

constexpr uint32_t kCallback = 1056;
constexpr uint32_t kIconId = 128;

class TrayTest : public HeadlessTest {
protected:
    std::vector<Received> journal;
    RecordingWnd owner{journal};

    void SetUp() override {
        HeadlessTest::SetUp();
        ASSERT_TRUE(owner.Open({0, 0, 200, 200}));
    }
    std::vector<LPARAM> Callbacks() const {
        std::vector<LPARAM> out;
        for (const Received& r : journal) {
            if (r.message == kCallback && r.wParam == kIconId)
                out.push_back(r.lParam);
        }
        return out;
    }
    std::vector<WPARAM> Commands() const {
        std::vector<WPARAM> out;
        for (const Received& r : journal) {
            if (r.message == WM_COMMAND)
                out.push_back(r.wParam);
        }
        return out;
    }
    CTrayMenu Menu() {
        CTrayMenu menu;
        menu.AppendItem(2075, "Show");
        menu.AppendSeparator();
        menu.AppendItem(2076, "Exit");
        return menu;
    }
};

TEST_F(TrayTest, IconShowsAndClicksReachTheOwner) {
    {
        CTrayIcon tray;
        ASSERT_TRUE(tray.Add({owner.Handle(), kIconId, kCallback, Image(16, 16), "Vexmo"}));
        EXPECT_TRUE(tray.IsDocked());
        ASSERT_EQ(HeadlessTrayIcons().size(), 1u);
        EXPECT_EQ(HeadlessTrayIcons()[0].tip, "Vexmo");
        ASSERT_TRUE(ClickHeadlessTrayIcon(kIconId, TrayClick::LeftDouble));
        ASSERT_TRUE(ClickHeadlessTrayIcon(kIconId, TrayClick::Right));
        screen->RunUntilIdle();
        EXPECT_EQ(Callbacks(), (std::vector<LPARAM>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                                    WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP}));
        ASSERT_TRUE(tray.Modify({owner.Handle(), kIconId, kCallback, Image(16, 16), "Vexmo 2"}));
        EXPECT_EQ(HeadlessTrayIcons()[0].tip, "Vexmo 2");
    }
    EXPECT_TRUE(HeadlessTrayIcons().empty()); // deleted with the object
}

TEST_F(TrayTest, MenuChoiceIsReturnedAndPosted) {
    CTrayMenu menu = Menu();
    // Rows: "Show" 1-25, separator 25-32, "Exit" 32-56 below the menu's top.
    screen->Schedule(10, [&] { screen->MoveMouse({320, 300 + 40}); });
    screen->Schedule(20, [&] { screen->Click({320, 300 + 40}); });
    EXPECT_EQ(menu.TrackPopupMenu({300, 300}, owner.Handle()), 2076u);
    screen->RunUntilIdle();
    EXPECT_EQ(Commands(), (std::vector<WPARAM>{2076}));
}

TEST_F(TrayTest, MenuEndsWithoutChoice) {
    struct Case {
        const char* name;
        std::function<void(HeadlessBackend&)> act;
    };
    const Case cases[] = {
        {"click elsewhere",
         [](HeadlessBackend& s) {
             s.Click({20, 20});
         }},
        {"escape", [](HeadlessBackend& s) { s.Key(VK_ESCAPE); }},
        {"separator then elsewhere",
         [](HeadlessBackend& s) {
             s.Click({320, 300 + 28});
             s.Click({900, 900});
         }},
    };
    for (const Case& c : cases) {
        CTrayMenu menu = Menu();
        screen->Schedule(10, [&] { c.act(*screen); });
        EXPECT_EQ(menu.TrackPopupMenu({300, 300}, owner.Handle()), 0u) << c.name;
    }
    screen->RunUntilIdle();
    EXPECT_TRUE(Commands().empty());
}

TEST_F(TrayTest, MenuNearTheScreenCornerOpensUpAndLeft) {
    CTrayMenu menu = Menu();
    const Size size = GetScreenSize();
    HWND seen = 0;
    Rect where;
    screen->Schedule(10, [&] {
        seen = GetActiveWindow();
        where = FromHandle(seen)->GetWindowRect();
        screen->Key(VK_DOWN);
        screen->Key(VK_RETURN);
    });
    EXPECT_EQ(menu.TrackPopupMenu({size.cx - 2, size.cy - 2}, owner.Handle()), 2075u);
    EXPECT_LE(where.right, size.cx);
    EXPECT_LE(where.bottom, size.cy);
    EXPECT_FALSE(IsWindow(seen));
}

} // namespace
} // namespace vexmo
