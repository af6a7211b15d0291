// CKeyboardHook on the headless desktop: key events reach the hooked window with code,
// release bit and time; StopHook ends them; a hook without a window system fails quietly.
#include <gtest/gtest.h>

#include "platform/HeadlessFixture.h"
#include "platform/core/VirtualKeys.h"
#include "platform/desktop/KeyEventMessage.h"
#include "platform/desktop/KeyboardHook.h"
#include "platform/headless/HeadlessKeyboardHook.h"

namespace vexmo {
namespace {

class KeyboardHookTest : public HeadlessTest {
protected:
    std::vector<Received> journal;
    RecordingWnd window{journal};

    void SetUp() override {
        HeadlessTest::SetUp();
        ASSERT_TRUE(window.Open({10, 10, 100, 100}));
    }
    std::vector<Received> KeyEvents() const {
        std::vector<Received> out;
        for (const Received& r : journal) {
            if (r.message == kKeyEventMessage)
                out.push_back(r);
        }
        return out;
    }
};

TEST_F(KeyboardHookTest, PressAndReleaseArriveWithCodeBitAndTime) {
    CKeyboardHook hook;
    EXPECT_EQ(hook.StartHook(window.Handle()), 1);
    screen->RunFor(1000);
    HookedKeyDown('A');
    screen->RunFor(40);
    HookedKeyUp('A');
    HookedKeyDown(VK_LSHIFT);
    screen->RunUntilIdle();
    const auto events = KeyEvents();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].wParam, WPARAM{'A'});
    EXPECT_EQ(events[0].lParam & kKeyReleaseBit, 0);
    EXPECT_EQ(events[1].lParam & kKeyReleaseBit, kKeyReleaseBit);
    EXPECT_EQ(events[2].wParam, WPARAM{VK_LSHIFT});
    const auto time = [](const Received& r) { return static_cast<uint32_t>(r.lParam) & kKeyTimeMask; };
    EXPECT_EQ(time(events[1]) - time(events[0]), 40u);
    EXPECT_LE(time(events[1]), time(events[2]));
}

TEST_F(KeyboardHookTest, StopHookEndsEventsAndMayBeRepeated) {
    CKeyboardHook hook;
    hook.StartHook(window.Handle());
    hook.StopHook();
    hook.StopHook();
    HookedKeyDown('B');
    screen->RunUntilIdle();
    EXPECT_TRUE(KeyEvents().empty());
    EXPECT_EQ(RunningKeyboardHooks(), 0);
}

TEST_F(KeyboardHookTest, RestartingMovesTheHookAndDestructionStopsIt) {
    std::vector<Received> otherJournal;
    RecordingWnd other(otherJournal);
    ASSERT_TRUE(other.Open({200, 10, 300, 100}));
    {
        CKeyboardHook hook;
        hook.StartHook(window.Handle());
        hook.StartHook(other.Handle());
        EXPECT_EQ(RunningKeyboardHooks(), 1);
        HookedKeyDown('C');
        screen->RunUntilIdle();
    }
    EXPECT_EQ(RunningKeyboardHooks(), 0);
    EXPECT_TRUE(KeyEvents().empty());
    EXPECT_EQ(MessagesOf(otherJournal, other.Handle(), {kKeyEventMessage}).size(), 1u);
}

TEST(KeyEventLParamTest, TimeWrapsAt2To31) {
    struct Case {
        uint64_t time;
        bool release;
        LPARAM expected;
    };
    const Case cases[] = {
        {0, false, 0},          {5, true, kKeyReleaseBit | 5},          {0x7FFFFFFF, false, 0x7FFFFFFF},
        {0x80000000, false, 0}, {0x80000001, true, kKeyReleaseBit | 1}, {0x1'0000'0003, false, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyEventLParam(c.time, c.release), c.expected) << c.time;
}

TEST(KeyboardHookWithoutScreenTest, StartFailsQuietly) {
    CKeyboardHook hook;
    EXPECT_EQ(hook.StartHook(1), 0);
    EXPECT_FALSE(hook.IsHooking());
    EXPECT_EQ(hook.StopHook(), 1);
}

} // namespace
} // namespace vexmo
