#include "HeadlessFixture.h"

namespace vexmo {
namespace {

using Mouse = HeadlessTest;

const auto kButtons = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP};

TEST_F(Mouse, ClicksReachTheTopWindowInClientCoordinates) {
    std::vector<Received> log;
    RecordingWnd back(log), front(log);
    ASSERT_TRUE(back.Open({0, 0, 200, 200}));
    ASSERT_TRUE(front.Open({50, 50, 150, 150}));
    screen->Click({60, 70});
    screen->RunUntilIdle();
    EXPECT_TRUE(MessagesOf(log, back.Handle(), kButtons).empty());
    ASSERT_EQ(MessagesOf(log, front.Handle(), kButtons), (std::vector<uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    for (const Received& r : log)
        if (r.message == WM_LBUTTONDOWN) {
            EXPECT_EQ(GET_X_LPARAM(r.lParam), 10);
            EXPECT_EQ(GET_Y_LPARAM(r.lParam), 20);
            EXPECT_TRUE(r.wParam & MK_LBUTTON);
        }
}

TEST_F(Mouse, TopmostWindowStaysAboveAnActivatedNormalWindow) {
    std::vector<Received> log;
    RecordingWnd popup(log), main(log);
    ASSERT_TRUE(popup.Open({0, 0, 100, 100}, WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
    ASSERT_TRUE(main.Open({0, 0, 300, 300}));
    EXPECT_EQ(GetActiveWindow(), main.Handle());
    screen->Click({10, 10});
    screen->RunUntilIdle();
    EXPECT_EQ(MessagesOf(log, popup.Handle(), {WM_LBUTTONDOWN}).size(), 1u);
    EXPECT_TRUE(MessagesOf(log, main.Handle(), {WM_LBUTTONDOWN}).empty());
}

struct DoubleClickCase {
    const char* name;
    uint64_t gapMs;
    Point second;
    std::vector<uint32_t> presses;
};

TEST_F(Mouse, DoubleClickNeedsTimeAndPlaceCloseTogether) {
    const DoubleClickCase cases[] = {
        {"quick and still", 300, {12, 10}, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}},
        {"at the time limit", kDoubleClickMs, {10, 10}, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}},
        {"too slow", kDoubleClickMs + 1, {10, 10}, {WM_LBUTTONDOWN, WM_LBUTTONDOWN}},
        {"moved too far", 100, {13, 10}, {WM_LBUTTONDOWN, WM_LBUTTONDOWN}},
    };
    for (const auto& c : cases) {
        std::vector<Received> log;
        RecordingWnd w(log);
        ASSERT_TRUE(w.Open({0, 0, 100, 100}));
        screen->RunFor(1000); // forget earlier presses
        screen->Click({10, 10});
        screen->RunFor(c.gapMs);
        screen->Click(c.second);
        screen->RunUntilIdle();
        EXPECT_EQ(MessagesOf(log, w.Handle(), {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}), c.presses) << c.name;
    }
}

TEST_F(Mouse, ThirdQuickPressIsAPlainPressAgain) {
    std::vector<Received> log;
    RecordingWnd w(log);
    ASSERT_TRUE(w.Open({0, 0, 100, 100}));
    for (int i = 0; i < 3; ++i) {
        screen->Click({10, 10});
        screen->RunFor(50);
    }
    EXPECT_EQ(MessagesOf(log, w.Handle(), {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
              (std::vector<uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}));
}

TEST_F(Mouse, CaptureKeepsMovesAndHoldsBackLeaveUntilReleased) {
    std::vector<Received> log;
    RecordingWnd w(log), other(log);
    ASSERT_TRUE(other.Open({200, 0, 300, 100}));
    ASSERT_TRUE(w.Open({0, 0, 100, 100}));
    w.onMessage = [&](uint32_t m, WPARAM, LPARAM) {
        if (m == WM_MOUSEMOVE) w.TrackMouseEvent(TME_LEAVE);
        if (m == WM_LBUTTONDOWN) w.SetCapture();
        if (m == WM_LBUTTONUP) ReleaseCapture();
    };
    screen->MoveMouse({50, 50});
    screen->Press();
    screen->MoveMouse({250, 50}); // over the other window, but captured
    screen->RunUntilIdle();
    EXPECT_EQ(GetCapture(), w.Handle());
    EXPECT_TRUE(MessagesOf(log, other.Handle(), {WM_MOUSEMOVE}).empty());
    EXPECT_TRUE(MessagesOf(log, w.Handle(), {WM_MOUSELEAVE}).empty());
    EXPECT_EQ(MessagesOf(log, w.Handle(), {WM_MOUSEMOVE}).size(), 2u);
    screen->Release();
    screen->RunUntilIdle();
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_EQ(MessagesOf(log, w.Handle(), {WM_LBUTTONUP, WM_CAPTURECHANGED, WM_MOUSELEAVE}),
              (std::vector<uint32_t>{WM_LBUTTONUP, WM_CAPTURECHANGED, WM_MOUSELEAVE}));
}

TEST_F(Mouse, CapturedMoveOutsideCarriesNegativeOrFarCoordinates) {
    std::vector<Received> log;
    RecordingWnd w(log);
    ASSERT_TRUE(w.Open({100, 100, 200, 200}));
    w.onMessage = [&](uint32_t m, WPARAM, LPARAM) {
        if (m == WM_LBUTTONDOWN) w.SetCapture();
    };
    screen->MoveMouse({150, 150});
    screen->Press();
    screen->MoveMouse({90, 300});
    screen->RunUntilIdle();
    const Received* move = nullptr;
    for (const Received& r : log)
        if (r.window == w.Handle() && r.message == WM_MOUSEMOVE) move = &r;
    ASSERT_NE(move, nullptr);
    EXPECT_EQ(GET_X_LPARAM(move->lParam), -10);
    EXPECT_EQ(GET_Y_LPARAM(move->lParam), 200);
}

TEST_F(Mouse, LeaveIsReportedOnceWhenThePointerGoesElsewhere) {
    std::vector<Received> log;
    RecordingWnd w(log);
    ASSERT_TRUE(w.Open({0, 0, 100, 100}));
    w.onMessage = [&](uint32_t m, WPARAM, LPARAM) {
        if (m == WM_MOUSEMOVE) w.TrackMouseEvent(TME_LEAVE);
    };
    screen->MoveMouse({10, 10});
    screen->MoveMouse({20, 10});
    screen->MoveMouse({500, 500});
    screen->MoveMouse({600, 500});
    screen->RunUntilIdle();
    EXPECT_EQ(MessagesOf(log, w.Handle(), {WM_MOUSELEAVE}).size(), 1u);
}

TEST_F(Mouse, HoverComesAfterThePointerRestsForTheHoverTime) {
    std::vector<Received> log;
    RecordingWnd w(log);
    ASSERT_TRUE(w.Open({0, 0, 100, 100}));
    screen->MoveMouse({10, 10});
    screen->RunUntilIdle();
    w.TrackMouseEvent(TME_HOVER | TME_LEAVE, 50);
    screen->RunFor(30);
    screen->MoveMouse({30, 10}); // far enough to restart the hover time
    screen->RunFor(40);
    EXPECT_TRUE(MessagesOf(log, w.Handle(), {WM_MOUSEHOVER}).empty());
    screen->RunFor(20);
    EXPECT_EQ(MessagesOf(log, w.Handle(), {WM_MOUSEHOVER}).size(), 1u);
    screen->RunFor(500);
    EXPECT_EQ(MessagesOf(log, w.Handle(), {WM_MOUSEHOVER}).size(), 1u) << "hover tracking ends after one report";
}

TEST_F(Mouse, BackgroundPressDragsTheWindow) {
    std::vector<Received> log;
    RecordingWnd w(log);
    ASSERT_TRUE(w.Open({100, 100, 200, 200}));
    w.onMessage = [&](uint32_t m, WPARAM, LPARAM l) {
        if (m == WM_LBUTTONDOWN) w.PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, l);
    };
    screen->MoveMouse({110, 110});
    screen->Press();
    screen->RunUntilIdle();
    screen->MoveMouse({160, 130});
    screen->Release();
    screen->MoveMouse({400, 400});
    screen->RunUntilIdle();
    EXPECT_EQ(w.GetWindowRect(), (Rect{150, 120, 250, 220}));
}

TEST_F(Mouse, PressingOutsideDeactivatesAndPopupsLearnIt) {
    std::vector<Received> log;
    RecordingWnd main(log), popup(log);
    ASSERT_TRUE(main.Open({0, 0, 300, 300}));
    ASSERT_TRUE(popup.Open({400, 0, 500, 100}, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, main.Handle()));
    EXPECT_EQ(GetActiveWindow(), popup.Handle());
    screen->Click({10, 10});
    screen->RunUntilIdle();
    EXPECT_EQ(GetActiveWindow(), main.Handle());
    bool sawDeactivate = false;
    for (const Received& r : log)
        if (r.window == popup.Handle() && r.message == WM_NCACTIVATE && r.wParam == 0) sawDeactivate = true;
    EXPECT_TRUE(sawDeactivate);
}

TEST_F(Mouse, KeysGoToTheActiveWindowWithTypedCharacters) {
    std::vector<Received> log;
    RecordingWnd a(log), b(log);
    ASSERT_TRUE(a.Open({0, 0, 100, 100}));
    ASSERT_TRUE(b.Open({200, 0, 300, 100}));
    screen->Key('A', "a");
    screen->Key(0x30, "字");
    screen->RunUntilIdle();
    EXPECT_TRUE(MessagesOf(log, a.Handle(), {WM_KEYDOWN, WM_CHAR}).empty());
    std::vector<WPARAM> chars;
    for (const Received& r : log)
        if (r.window == b.Handle() && r.message == WM_CHAR) chars.push_back(r.wParam);
    EXPECT_EQ(chars, (std::vector<WPARAM>{'a', 0x5B57}));
    EXPECT_EQ(MessagesOf(log, b.Handle(), {WM_KEYDOWN, WM_KEYUP, WM_CHAR}),
              (std::vector<uint32_t>{WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
}

} // namespace
} // namespace vexmo
