#include "HeadlessFixture.h"

namespace vexmo {
namespace {

constexpr uint32_t kPing = WM_USER + 10;
constexpr uint32_t kPong = WM_USER + 11;

using Messages = HeadlessTest;

TEST_F(Messages, ShowingAWindowActivatesItInTheSystemsOrder) {
    std::vector<Received> log;
    RecordingWnd a(log), b(log);
    ASSERT_TRUE(a.Open({0, 0, 100, 100}));
    ASSERT_TRUE(b.Open({200, 0, 300, 100}));
    EXPECT_EQ(GetActiveWindow(), b.Handle());
    const auto activation = {WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS};
    EXPECT_EQ(MessagesOf(log, a.Handle(), activation),
              (std::vector<uint32_t>{WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS}));
    EXPECT_EQ(MessagesOf(log, b.Handle(), activation),
              (std::vector<uint32_t>{WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS}));
}

TEST_F(Messages, PostedMessagesArriveInOrderAndSendRunsInsideTheHandler) {
    std::vector<Received> log;
    RecordingWnd a(log), b(log);
    ASSERT_TRUE(a.Open({0, 0, 100, 100}));
    ASSERT_TRUE(b.Open({200, 0, 300, 100}));
    std::vector<std::string> trace;
    a.onMessage = [&](uint32_t m, WPARAM w, LPARAM) {
        if (m != kPing) return;
        trace.push_back("a begins " + std::to_string(w));
        const LRESULT r = b.SendMessage(kPong, w);
        trace.push_back("a got " + std::to_string(r));
    };
    b.onMessage = [&](uint32_t m, WPARAM w, LPARAM) {
        if (m == kPong) trace.push_back("b answers " + std::to_string(w));
    };
    for (WPARAM i = 1; i <= 3; ++i) a.PostMessage(kPing, i);
    EXPECT_TRUE(trace.empty()) << "posting runs nothing by itself";
    screen->RunUntilIdle();
    EXPECT_EQ(trace, (std::vector<std::string>{"a begins 1", "b answers 1", "a got 0", "a begins 2", "b answers 2",
                                               "a got 0", "a begins 3", "b answers 3", "a got 0"}));
}

TEST_F(Messages, PostFromAnotherThreadWakesTheLoop) {
    std::vector<Received> log;
    RecordingWnd a(log);
    ASSERT_TRUE(a.Open({0, 0, 100, 100}));
    const HWND h = a.Handle();
    std::thread poster([h] { PostMessage(h, kPing, 7); });
    poster.join();
    int code = 0;
    ASSERT_TRUE(PumpMessage(&code));
    screen->RunUntilIdle();
    EXPECT_EQ(MessagesOf(log, h, {kPing}).size(), 1u);
}

TEST_F(Messages, MessagesToADestroyedWindowAreDropped) {
    std::vector<Received> log;
    auto a = std::make_unique<RecordingWnd>(log);
    ASSERT_TRUE(a->Open({0, 0, 100, 100}));
    const HWND h = a->Handle();
    PostMessage(h, kPing);
    a.reset();
    EXPECT_FALSE(IsWindow(h));
    screen->RunUntilIdle();
    EXPECT_EQ(SendMessage(h, kPing), 0);
    EXPECT_TRUE(MessagesOf(log, h, {kPing}).empty());
}

TEST_F(Messages, PopupDeletingItselfAfterCloseIsSafe) {
    struct SelfDeleting : CWnd {
        bool* deleted;
        explicit SelfDeleting(bool* d) : deleted(d) {}
        void PostNcDestroy() override {
            *deleted = true;
            delete this;
        }
    };
    bool deleted = false;
    auto* popup = new SelfDeleting(&deleted);
    ASSERT_TRUE(popup->CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "", WS_POPUP | WS_VISIBLE, {0, 0, 50, 50}));
    const HWND h = popup->Handle();
    PostMessage(h, WM_CLOSE);
    screen->RunUntilIdle();
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(Messages, ZeroSizedAndInvertedWindowsArePaintedSafely) {
    struct Painter : CWnd {
        int paints = 0;
        void OnPaint(CCanvas& dc) override {
            dc.FillSolidRect(GetClientRect(), RGB(1, 2, 3));
            ++paints;
        }
    };
    Painter empty, inverted;
    ASSERT_TRUE(empty.CreateEx(0, "", WS_POPUP | WS_VISIBLE, {10, 10, 10, 10}));
    ASSERT_TRUE(inverted.CreateEx(0, "", WS_POPUP | WS_VISIBLE, {50, 50, 20, 20}));
    EXPECT_EQ(inverted.GetClientRect(), (Rect{0, 0, 0, 0}));
    empty.Invalidate();
    screen->RunUntilIdle();
    EXPECT_EQ(empty.paints, 0) << "nothing to paint";
    empty.SetWindowSize(30, 20);
    screen->RunUntilIdle();
    EXPECT_EQ(empty.paints, 1);
    EXPECT_EQ(screen->Screenshot().GetPixel(39, 29), RGB(1, 2, 3));
    empty.SetWindowSize(-5, 0);
    screen->RunUntilIdle();
    EXPECT_EQ(empty.GetClientRect(), (Rect{0, 0, 0, 0}));
}

TEST_F(Messages, ModelessDialogHidesOnEndAndStaysUsable) {
    struct Notice : CDialog {
        bool OnInitDialog() override {
            MoveWindow({0, 0, 100, 50});
            return true;
        }
    };
    Notice notice;
    ASSERT_TRUE(notice.CreateModeless());
    EXPECT_TRUE(notice.IsWindowVisible());
    EXPECT_EQ(GetActiveWindow(), notice.Handle());
    notice.EndDialog(IDOK);
    EXPECT_FALSE(notice.IsWindowVisible());
    EXPECT_TRUE(IsWindow(notice.Handle()));
}

TEST_F(Messages, QuitEndsTheLoopWithItsCode) {
    PostQuitMessage(3);
    EXPECT_EQ(RunMessageLoop(), 3);
}

} // namespace
} // namespace vexmo
