// The tray icon under a real XEmbed tray host (trayer): it docks, and a double click and a
// right click injected with XTest reach the owner window as the callback message.
#include "platform/HeadlessFixture.h"
#include "platform/XvfbEnvironment.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <functional>
#include <thread>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include "platform/desktop/TrayIcon.h"

namespace vexmo {
namespace {

const auto* const kXvfb = ::testing::AddGlobalTestEnvironment(new XvfbEnvironment);

constexpr uint32_t kCallback = 1056;
constexpr uint32_t kIconId = 128;

Window FindByClass(Display* d, Window w, const char* name) {
    XClassHint hint{};
    if (XGetClassHint(d, w, &hint)) {
        const bool match = hint.res_name && std::string(hint.res_name) == name;
        XFree(hint.res_name);
        XFree(hint.res_class);
        if (match)
            return w;
    }
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i)
        found = FindByClass(d, children[i], name);
    if (children)
        XFree(children);
    return found;
}

class X11TrayTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(InitWindowSystem(WindowSystemKind::X11, &why)) << why;
        x = XOpenDisplay(nullptr);
        ASSERT_NE(x, nullptr);
        ASSERT_TRUE(owner.Open({50, 50, 150, 150}));
    }
    void TearDown() override {
        StopTrayHost();
        ShutdownWindowSystem();
        if (x)
            XCloseDisplay(x);
    }
    bool StartTrayHost() {
        const char* argv[] = {"trayer",  "--edge",   "top", "--align",       "right", "--widthtype",
                              "request", "--height", "32",  "--SetDockType", "false", nullptr};
        if (posix_spawnp(&host, "trayer", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
            return false;
        const Atom selection = XInternAtom(x, "_NET_SYSTEM_TRAY_S0", False);
        return PumpUntil([&] { return XGetSelectionOwner(x, selection) != None; }, 5000);
    }
    void StopTrayHost() {
        if (host <= 0)
            return;
        kill(host, SIGTERM);
        waitpid(host, nullptr, 0);
        host = 0;
    }
    bool PumpUntil(const std::function<bool()>& done, int ms = 3000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            PumpPendingMessages();
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return done();
    }
    void Click(unsigned button) {
        XTestFakeButtonEvent(x, button, True, CurrentTime);
        XTestFakeButtonEvent(x, button, False, CurrentTime);
        XSync(x, False);
    }
    std::vector<LPARAM> Callbacks() const {
        std::vector<LPARAM> out;
        for (const Received& r : journal) {
            if (r.message == kCallback && r.wParam == kIconId)
                out.push_back(r.lParam);
        }
        return out;
    }

    Display* x = nullptr;
    pid_t host = 0;
    std::vector<Received> journal;
    RecordingWnd owner{journal};
};

TEST_F(X11TrayTest, DocksInTheTrayAndClicksReachTheOwner) {
    ASSERT_TRUE(StartTrayHost()) << "trayer did not start";
    Image icon(16, 16);
    for (uint32_t& p : icon.Pixels())
        p = 0xFFE02020;
    CTrayIcon tray;
    ASSERT_TRUE(tray.Add({owner.Handle(), kIconId, kCallback, icon, "Vexmo"}));
    ASSERT_TRUE(PumpUntil([&] { return tray.IsDocked(); })) << "the icon did not dock";
    Window iconWindow = 0;
    ASSERT_TRUE(PumpUntil([&] { return (iconWindow = FindByClass(x, DefaultRootWindow(x), "vexmo")) != 0; }));
    XWindowAttributes attributes{};
    ASSERT_TRUE(PumpUntil([&] {
        XGetWindowAttributes(x, iconWindow, &attributes);
        return attributes.map_state == IsViewable;
    }));
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(x, iconWindow, DefaultRootWindow(x), attributes.width / 2, attributes.height / 2,
                          &rootX, &rootY, &child);
    XTestFakeMotionEvent(x, -1, rootX, rootY, CurrentTime);
    Click(Button1);
    Click(Button1);
    Click(Button3);
    ASSERT_TRUE(PumpUntil([&] { return Callbacks().size() >= 6; })) << Callbacks().size();
    EXPECT_EQ(Callbacks(), (std::vector<LPARAM>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                                                WM_RBUTTONDOWN, WM_RBUTTONUP}));
}

TEST_F(X11TrayTest, WithoutATrayTheIconWaitsAndDocksWhenOneStarts) {
    CTrayIcon tray;
    ASSERT_TRUE(tray.Add({owner.Handle(), kIconId, kCallback, Image(16, 16), "Vexmo"}));
    PumpUntil([] { return false; }, 200);
    EXPECT_FALSE(tray.IsDocked());
    ASSERT_TRUE(StartTrayHost());
    EXPECT_TRUE(PumpUntil([&] { return tray.IsDocked(); }, 5000));
}

} // namespace
} // namespace vexmo
