// The keyboard hook on X11: raw key events of the whole display through XInput 2, read on a
// connection and thread of the hook's own, so the window loop is never involved and keys typed
// into other programs arrive too.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "platform/core/VirtualKeys.h"
#include "platform/core/WindowSystem.h"
#include "platform/desktop/KeyEventMessage.h"
#include "platform/desktop/KeyboardHookSource.h"
#include "platform/x11/X11Keys.h"

namespace vexmo {
namespace {

// A key is named by its unshifted keysym, so Shift+1 still reports the 1 key.
uint32_t VirtualKeyOf(Display* display, int keycode) {
    const KeySym keysym = XkbKeycodeToKeysym(display, static_cast<KeyCode>(keycode), 0, 0);
    return VirtualKeyFromKeysym(keysym);
}

class X11KeyboardHookSource final : public KeyboardHookSource {
public:
    ~X11KeyboardHookSource() override { Stop(); }

    bool Start(HWND window) override {
        Stop();
        const char* name = std::getenv("DISPLAY");
        if (!name || !*name)
            return false;
        display_ = XOpenDisplay(name);
        if (!display_)
            return false;
        if (!SelectRawKeys()) {
            Close();
            return false;
        }
        stop_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (stop_ < 0) {
            Close();
            return false;
        }
        window_ = window;
        reader_ = std::thread([this] { Read(); });
        return true;
    }

    void Stop() override {
        if (reader_.joinable()) {
            const uint64_t one = 1;
            [[maybe_unused]] const ssize_t n = write(stop_, &one, sizeof one);
            reader_.join();
        }
        Close();
    }

private:
    bool SelectRawKeys() {
        int event = 0;
        int error = 0;
        if (!XQueryExtension(display_, "XInputExtension", &opcode_, &event, &error))
            return false;
        int major = 2;
        int minor = 0;
        if (XIQueryVersion(display_, &major, &minor) != Success)
            return false;
        unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
        XISetMask(bits, XI_RawKeyPress);
        XISetMask(bits, XI_RawKeyRelease);
        XIEventMask mask{XIAllMasterDevices, sizeof bits, bits};
        if (XISelectEvents(display_, DefaultRootWindow(display_), &mask, 1) != Success)
            return false;
        XSync(display_, False);
        return true;
    }

    void Read() {
        const int xfd = ConnectionNumber(display_);
        for (;;) {
            while (XPending(display_) > 0)
                Handle();
            pollfd fds[2] = {{xfd, POLLIN, 0}, {stop_, POLLIN, 0}};
            if (poll(fds, 2, -1) < 0)
                continue;
            if (fds[1].revents)
                return;
            if (fds[0].revents & (POLLHUP | POLLERR))
                return; // the display went away
        }
    }

    void Handle() {
        XEvent e;
        XNextEvent(display_, &e);
        XGenericEventCookie* cookie = &e.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != opcode_)
            return;
        if (!XGetEventData(display_, cookie))
            return;
        if (cookie->evtype == XI_RawKeyPress || cookie->evtype == XI_RawKeyRelease) {
            const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
            const uint32_t vk = VirtualKeyOf(display_, raw->detail);
            if (vk != 0) {
                PostMessage(window_, kKeyEventMessage, vk,
                            KeyEventLParam(raw->time, cookie->evtype == XI_RawKeyRelease));
            }
        }
        XFreeEventData(display_, cookie);
    }

    void Close() {
        if (display_)
            XCloseDisplay(display_);
        display_ = nullptr;
        if (stop_ >= 0)
            close(stop_);
        stop_ = -1;
        window_ = 0;
    }

    Display* display_ = nullptr;
    int opcode_ = 0;
    int stop_ = -1;
    HWND window_ = 0;
    std::thread reader_;
};

} // namespace

std::unique_ptr<KeyboardHookSource> CreateX11KeyboardHookSource() {
    return std::make_unique<X11KeyboardHookSource>();
}

} // namespace vexmo
