#include "HeadlessFixture.h"

namespace vexmo {
namespace {

using Timers = HeadlessTest;

std::vector<uint64_t> FireTimes(const std::vector<Received>& log, HWND h, uintptr_t id) {
    std::vector<uint64_t> out;
    for (const Received& r : log)
        if (r.window == h && r.message == WM_TIMER && r.wParam == id) out.push_back(r.time);
    return out;
}

TEST_F(Timers, PeriodicTimerFiresAtExactVirtualIntervals) {
    std::vector<Received> log;
    RecordingWnd w(log);
    ASSERT_TRUE(w.Open({0, 0, 10, 10}));
    const uint64_t start = PlatformClock().NowMs();
    w.SetTimer(110, 1000);
    screen->RunFor(3500);
    EXPECT_EQ(FireTimes(log, w.Handle(), 110), (std::vector<uint64_t>{start + 1000, start + 2000, start + 3000}));
}

TEST_F(Timers, SettingARunningTimerRestartsIt) {
    std::vector<Received> log;
    RecordingWnd w(log);
    ASSERT_TRUE(w.Open({0, 0, 10, 10}));
    const uint64_t start = PlatformClock().NowMs();
    w.SetTimer(30, 20);
    // Five edits 5 ms apart each restart the 20 ms: one firing, 20 ms after the last.
    for (int i = 0; i < 4; ++i) {
        screen->RunFor(5);
        w.SetTimer(30, 20);
    }
    screen->RunFor(100);
    EXPECT_EQ(FireTimes(log, w.Handle(), 30).front(), start + 20 + 20);
}

TEST_F(Timers, KilledTimerAndTimersOfDestroyedWindowsNeverFire) {
    std::vector<Received> log;
    RecordingWnd w(log);
    auto gone = std::make_unique<RecordingWnd>(log);
    ASSERT_TRUE(w.Open({0, 0, 10, 10}));
    ASSERT_TRUE(gone->Open({0, 0, 10, 10}));
    const HWND goneHandle = gone->Handle();
    w.SetTimer(1, 50);
    gone->SetTimer(2, 50);
    EXPECT_TRUE(w.KillTimer(1));
    EXPECT_FALSE(w.KillTimer(1));
    gone.reset();
    screen->RunFor(500);
    EXPECT_TRUE(FireTimes(log, w.Handle(), 1).empty());
    EXPECT_TRUE(FireTimes(log, goneHandle, 2).empty());
}

TEST_F(Timers, OneShotPatternStopsItselfFirst) {
    std::vector<Received> log;
    RecordingWnd w(log);
    ASSERT_TRUE(w.Open({0, 0, 10, 10}));
    w.onMessage = [&](uint32_t m, WPARAM id, LPARAM) {
        if (m == WM_TIMER) w.KillTimer(id);
    };
    w.SetTimer(60, 100);
    screen->RunFor(1000);
    EXPECT_EQ(FireTimes(log, w.Handle(), 60).size(), 1u);
}

TEST_F(Timers, SleepAdvancesTheVirtualClockAtOnce) {
    Clock& clock = PlatformClock();
    const uint64_t before = clock.NowMs();
    clock.Sleep(60);
    EXPECT_EQ(clock.NowMs(), before + 60);
}

TEST_F(Timers, TimersFireInDueOrderAcrossWindows) {
    std::vector<Received> log;
    RecordingWnd a(log), b(log);
    ASSERT_TRUE(a.Open({0, 0, 10, 10}));
    ASSERT_TRUE(b.Open({0, 0, 10, 10}));
    a.SetTimer(1, 30);
    b.SetTimer(2, 12);
    a.SetTimer(3, 20);
    screen->RunFor(35);
    std::vector<uintptr_t> order;
    for (const Received& r : log)
        if (r.message == WM_TIMER) order.push_back(r.wParam);
    EXPECT_EQ(order, (std::vector<uintptr_t>{2, 3, 2, 1}));
}

} // namespace
} // namespace vexmo
