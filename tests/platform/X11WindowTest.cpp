// The X11 backend against a real X server (Xvfb): mapping, injected clicks, stacking and
// pixels on screen.
// GoogleTest first: Xlib's macros (None, Bool) would break its headers.
#include "HeadlessFixture.h"
#include "XvfbEnvironment.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <functional>
#include <thread>

namespace vexmo {
namespace {

const auto* const kXvfb = ::testing::AddGlobalTestEnvironment(new XvfbEnvironment);

class X11Test : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(InitWindowSystem(WindowSystemKind::X11, &why)) << why;
        probe = XOpenDisplay(nullptr);
        ASSERT_NE(probe, nullptr);
    }
    void TearDown() override {
        ShutdownWindowSystem();
        if (probe) XCloseDisplay(probe);
    }

    // Runs the loop until `done` or two seconds pass.
    bool PumpUntil(const std::function<bool()>& done) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < end) {
            PumpPendingMessages();
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return done();
    }

    COLORREF ScreenPixel(int x, int y) {
        XImage* img = XGetImage(probe, DefaultRootWindow(probe), x, y, 1, 1, AllPlanes, ZPixmap);
        if (!img) return CLR_INVALID;
        const unsigned long p = XGetPixel(img, 0, 0);
        XDestroyImage(img);
        return RGB(static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p));
    }

    void ClickAt(int x, int y) {
        XTestFakeMotionEvent(probe, -1, x, y, CurrentTime);
        XTestFakeButtonEvent(probe, 1, True, CurrentTime);
        XTestFakeButtonEvent(probe, 1, False, CurrentTime);
        XFlush(probe);
    }

    Display* probe = nullptr;
};

class SolidWnd : public RecordingWnd {
public:
    SolidWnd(std::vector<Received>& log, COLORREF colour) : RecordingWnd(log), colour_(colour) {}
    void OnPaint(CCanvas& dc) override {
        dc.FillSolidRect(GetClientRect(), colour_);
        dc.FillSolidRect({0, 0, 10, 10}, RGB(255, 255, 255));
        painted = true;
    }
    bool painted = false;

private:
    COLORREF colour_;
};

TEST_F(X11Test, WindowMapsAtTheRequestedSizeAndShowsItsPixels) {
    std::vector<Received> log;
    SolidWnd w(log, RGB(0x12, 0x34, 0x56));
    ASSERT_TRUE(w.Open({40, 50, 360, 250}));
    ASSERT_TRUE(PumpUntil([&] { return w.painted; }));
    XSync(probe, False);
    ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(200, 150) == RGB(0x12, 0x34, 0x56); }));
    EXPECT_EQ(ScreenPixel(45, 55), RGB(255, 255, 255));
    EXPECT_EQ(ScreenPixel(39, 150) == RGB(0x12, 0x34, 0x56), false) << "nothing drawn left of the window";

    Window root;
    int x, y;
    unsigned width = 0, height = 0, border, depth;
    // The X window of ours is the only top-level one on a bare Xvfb.
    Window parent, *children = nullptr;
    unsigned count = 0;
    XQueryTree(probe, DefaultRootWindow(probe), &root, &parent, &children, &count);
    ASSERT_GE(count, 1u);
    XGetGeometry(probe, children[count - 1], &root, &x, &y, &width, &height, &border, &depth);
    XFree(children);
    EXPECT_EQ(width, 320u);
    EXPECT_EQ(height, 200u);
    EXPECT_EQ(GetScreenSize(), (Size{1280, 1024}));
}

TEST_F(X11Test, InjectedClickReachesTheHandlerWithClientCoordinates) {
    std::vector<Received> log;
    SolidWnd w(log, RGB(0, 128, 0));
    ASSERT_TRUE(w.Open({100, 100, 300, 200}));
    ASSERT_TRUE(PumpUntil([&] { return w.painted; }));
    ClickAt(130, 140);
    ASSERT_TRUE(PumpUntil([&] { return !MessagesOf(log, w.Handle(), {WM_LBUTTONUP}).empty(); }));
    for (const Received& r : log)
        if (r.message == WM_LBUTTONDOWN) {
            EXPECT_EQ(GET_X_LPARAM(r.lParam), 30);
            EXPECT_EQ(GET_Y_LPARAM(r.lParam), 40);
        }
    EXPECT_EQ(MessagesOf(log, w.Handle(), {WM_LBUTTONDOWN, WM_LBUTTONUP}),
              (std::vector<uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

TEST_F(X11Test, TopmostPopupStaysAboveTheActivatedMainWindow) {
    std::vector<Received> log;
    SolidWnd popup(log, RGB(200, 0, 0));
    SolidWnd main(log, RGB(0, 0, 200));
    ASSERT_TRUE(popup.Open({150, 150, 250, 250}, WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
    ASSERT_TRUE(main.Open({100, 100, 400, 400}));
    main.SetForegroundWindow();
    ASSERT_TRUE(PumpUntil([&] { return popup.painted && main.painted; }));
    ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(200, 200) == RGB(200, 0, 0); }));
    EXPECT_EQ(ScreenPixel(350, 350), RGB(0, 0, 200));
    ClickAt(200, 200);
    ASSERT_TRUE(PumpUntil([&] { return !MessagesOf(log, popup.Handle(), {WM_LBUTTONUP}).empty(); }));
    EXPECT_TRUE(MessagesOf(log, main.Handle(), {WM_LBUTTONDOWN}).empty());
}

TEST_F(X11Test, KeysTypedIntoTheFocusedWindowArriveAsVirtualKeys) {
    std::vector<Received> log;
    SolidWnd w(log, RGB(0, 0, 0));
    ASSERT_TRUE(w.Open({100, 100, 300, 200}));
    ASSERT_TRUE(PumpUntil([&] { return w.painted; }));
    ClickAt(150, 150); // focus follows the click
    ASSERT_TRUE(PumpUntil([&] { return !MessagesOf(log, w.Handle(), {WM_LBUTTONUP}).empty(); }));
    const KeyCode a = XKeysymToKeycode(probe, XStringToKeysym("a"));
    XTestFakeKeyEvent(probe, a, True, CurrentTime);
    XTestFakeKeyEvent(probe, a, False, CurrentTime);
    XFlush(probe);
    ASSERT_TRUE(PumpUntil([&] { return !MessagesOf(log, w.Handle(), {WM_KEYUP}).empty(); }));
    for (const Received& r : log) {
        if (r.message == WM_KEYDOWN) EXPECT_EQ(r.wParam, static_cast<WPARAM>('A'));
        if (r.message == WM_CHAR) EXPECT_EQ(r.wParam, static_cast<WPARAM>('a'));
    }
}

} // namespace
} // namespace vexmo

TEST(X11Startup, NoDisplayIsReportedNotCrashed) {
    const std::string saved = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    setenv("DISPLAY", ":987", 1);
    std::string why;
    EXPECT_FALSE(vexmo::InitWindowSystem(vexmo::WindowSystemKind::X11, &why));
    EXPECT_NE(why.find(":987"), std::string::npos) << why;
    setenv("DISPLAY", saved.c_str(), 1);
}

TEST(X11Connection, LostServerEndsTheLoopCleanly) {
    // A private server, so killing it touches no other test.
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const std::string fd = std::to_string(fds[1]);
    const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten", "tcp", nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawnp(&pid, "Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ), 0);
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number.push_back(c);
    close(fds[0]);
    const std::string saved = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    setenv("DISPLAY", (":" + number).c_str(), 1);
    ASSERT_TRUE(vexmo::InitWindowSystem(vexmo::WindowSystemKind::X11));
    {
        vexmo::CWnd w;
        ASSERT_TRUE(w.CreateEx(0, "", vexmo::WS_POPUP | vexmo::WS_VISIBLE, {0, 0, 100, 100}));
        vexmo::PumpPendingMessages();
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        EXPECT_EQ(vexmo::RunMessageLoop(), 1);
    }
    vexmo::ShutdownWindowSystem();
    setenv("DISPLAY", saved.c_str(), 1);
}
