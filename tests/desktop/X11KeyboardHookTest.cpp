// The X11 keyboard hook under a real X server: keys injected with XTest arrive as the key
// event message with the right codes, release bit and rising times, and stop with StopHook.
#include "platform/HeadlessFixture.h"
#include "platform/XvfbEnvironment.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <functional>
#include <thread>

#include "platform/core/VirtualKeys.h"
#include "platform/desktop/KeyEventMessage.h"
#include "platform/desktop/KeyboardHook.h"

namespace vexmo {
namespace {

const auto* const kXvfb = ::testing::AddGlobalTestEnvironment(new XvfbEnvironment);

class X11KeyboardHookTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(InitWindowSystem(WindowSystemKind::X11, &why)) << why;
        injector = XOpenDisplay(nullptr);
        ASSERT_NE(injector, nullptr);
        ASSERT_TRUE(window.Open({50, 50, 150, 150}));
    }
    void TearDown() override {
        ShutdownWindowSystem();
        if (injector)
            XCloseDisplay(injector);
    }
    void Inject(KeySym keysym, bool down) {
        XTestFakeKeyEvent(injector, XKeysymToKeycode(injector, keysym), down ? True : False, CurrentTime);
        XSync(injector, False);
    }
    std::vector<Received> KeyEvents() const {
        std::vector<Received> out;
        for (const Received& r : journal) {
            if (r.message == kKeyEventMessage)
                out.push_back(r);
        }
        return out;
    }
    bool PumpUntil(const std::function<bool()>& done, int ms = 2000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            PumpPendingMessages();
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return done();
    }

    Display* injector = nullptr;
    std::vector<Received> journal;
    RecordingWnd window{journal};
};

TEST_F(X11KeyboardHookTest, InjectedKeysArriveInOrderWithTimes) {
    CKeyboardHook hook;
    ASSERT_EQ(hook.StartHook(window.Handle()), 1);
    Inject(XK_a, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    Inject(XK_a, false);
    Inject(XK_Shift_L, true);
    Inject(XK_F5, true);
    Inject(XK_F5, false);
    Inject(XK_Shift_L, false);
    ASSERT_TRUE(PumpUntil([&] { return KeyEvents().size() >= 6; })) << KeyEvents().size();
    const auto events = KeyEvents();
    const std::vector<std::pair<WPARAM, bool>> expected = {{'A', false},       {'A', true},
                                                           {VK_LSHIFT, false}, {VK_F1 + 4, false},
                                                           {VK_F1 + 4, true},  {VK_LSHIFT, true}};
    ASSERT_EQ(events.size(), expected.size());
    uint32_t previous = 0;
    for (size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].wParam, expected[i].first) << i;
        EXPECT_EQ((events[i].lParam & kKeyReleaseBit) != 0, expected[i].second) << i;
        const uint32_t time = static_cast<uint32_t>(events[i].lParam) & kKeyTimeMask;
        EXPECT_GE(time, previous) << i;
        previous = time;
    }
    const auto ms = [&](size_t i) { return static_cast<uint32_t>(events[i].lParam) & kKeyTimeMask; };
    EXPECT_GE(ms(1) - ms(0), 20u); // the pause between press and release shows in the times
}

TEST_F(X11KeyboardHookTest, StopHookStopsTheEvents) {
    CKeyboardHook hook;
    ASSERT_EQ(hook.StartHook(window.Handle()), 1);
    Inject(XK_b, true);
    Inject(XK_b, false);
    ASSERT_TRUE(PumpUntil([&] { return KeyEvents().size() >= 2; }));
    hook.StopHook();
    journal.clear();
    Inject(XK_c, true);
    Inject(XK_c, false);
    PumpUntil([] { return false; }, 200);
    EXPECT_TRUE(KeyEvents().empty());
}

} // namespace
} // namespace vexmo
