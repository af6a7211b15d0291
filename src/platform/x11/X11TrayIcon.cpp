// The tray icon on X11: an XEmbed client of the freedesktop system tray. The icon window lives
// on a connection and thread of its own (the tray host talks to it at any time); mouse actions
// on it are posted to the owner window as the callback message. When no tray host runs, the
// thread waits for one to appear (the MANAGER announcement on the root window) and docks then.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "platform/core/Messages.h"
#include "platform/core/WindowSystem.h"
#include "platform/desktop/TrayIcon.h"

namespace vexmo {
namespace {

constexpr int kIconSize = 24; // asked size; the host resizes us as it likes
constexpr long kSystemTrayRequestDock = 0;
constexpr unsigned long kXembedVersion = 0;
constexpr unsigned long kXembedMapped = 1;
constexpr Time kDoubleClickMs = 500;

// 0xAARRGGBB over the pixel already there (0x00RRGGBB).
uint32_t Blend(uint32_t over, uint32_t under) {
    const uint32_t a = over >> 24;
    auto channel = [&](int shift) {
        const uint32_t o = (over >> shift) & 0xFF;
        const uint32_t u = (under >> shift) & 0xFF;
        return ((o * a + u * (255 - a)) / 255) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

class X11TrayIconSource final : public TrayIconSource {
public:
    ~X11TrayIconSource() override { Delete(); }

    bool Add(const TrayIconData& data) override {
        Delete();
        const char* name = std::getenv("DISPLAY");
        if (!name || !*name)
            return false;
        display_ = XOpenDisplay(name);
        if (!display_)
            return false;
        data_ = data;
        screen_ = DefaultScreen(display_);
        root_ = RootWindow(display_, screen_);
        const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(screen_);
        trayAtom_ = XInternAtom(display_, selection.c_str(), False);
        opcodeAtom_ = XInternAtom(display_, "_NET_SYSTEM_TRAY_OPCODE", False);
        managerAtom_ = XInternAtom(display_, "MANAGER", False);
        xembedInfoAtom_ = XInternAtom(display_, "_XEMBED_INFO", False);
        CreateIconWindow();
        wake_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        XSelectInput(display_, root_, StructureNotifyMask);
        Dock();
        XFlush(display_);
        thread_ = std::thread([this] { Run(); });
        return true;
    }

    bool Modify(const TrayIconData& data) override {
        if (!display_)
            return false;
        {
            std::lock_guard lock(mutex_);
            pending_ = data;
            hasPending_ = true;
        }
        Wake();
        return true;
    }

    void Delete() override {
        if (thread_.joinable()) {
            stop_ = true;
            Wake();
            thread_.join();
        }
        if (display_) {
            if (window_)
                XDestroyWindow(display_, window_);
            XCloseDisplay(display_);
        }
        if (wake_ >= 0)
            close(wake_);
        display_ = nullptr;
        window_ = 0;
        wake_ = -1;
        stop_ = false;
        docked_ = false;
    }

    bool IsDocked() const override { return docked_; }

private:
    void Wake() {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = write(wake_, &one, sizeof one);
    }

    void CreateIconWindow() {
        XSetWindowAttributes attributes{};
        attributes.background_pixmap = ParentRelative;
        attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;
        window_ = XCreateWindow(display_, root_, 0, 0, kIconSize, kIconSize, 0, CopyFromParent, InputOutput,
                                CopyFromParent, CWBackPixmap | CWEventMask, &attributes);
        const unsigned long info[2] = {kXembedVersion, kXembedMapped};
        XChangeProperty(display_, window_, xembedInfoAtom_, xembedInfoAtom_, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(info), 2);
        SetTip();
        XClassHint hint{const_cast<char*>("vexmo"), const_cast<char*>("Vexmo")};
        XSetClassHint(display_, window_, &hint);
    }

    void SetTip() {
        XStoreName(display_, window_, data_.tip.c_str());
        const Atom netWmName = XInternAtom(display_, "_NET_WM_NAME", False);
        const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
        XChangeProperty(display_, window_, netWmName, utf8, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(data_.tip.data()),
                        static_cast<int>(data_.tip.size()));
    }

    // Asks the current tray host, if any, to embed us.
    void Dock() {
        XGrabServer(display_);
        manager_ = XGetSelectionOwner(display_, trayAtom_);
        if (manager_ != None)
            XSelectInput(display_, manager_, StructureNotifyMask);
        XUngrabServer(display_);
        if (manager_ == None)
            return;
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = manager_;
        e.xclient.message_type = opcodeAtom_;
        e.xclient.format = 32;
        e.xclient.data.l[0] = CurrentTime;
        e.xclient.data.l[1] = kSystemTrayRequestDock;
        e.xclient.data.l[2] = static_cast<long>(window_);
        XSendEvent(display_, manager_, False, NoEventMask, &e);
    }

    void Run() {
        const int xfd = ConnectionNumber(display_);
        while (!stop_) {
            while (XPending(display_) > 0)
                Handle();
            ApplyPending();
            XFlush(display_);
            // A round trip above may have read events into Xlib's queue: the socket would
            // then stay quiet although events wait.
            if (XPending(display_) > 0)
                continue;
            pollfd fds[2] = {{xfd, POLLIN, 0}, {wake_, POLLIN, 0}};
            if (poll(fds, 2, -1) < 0)
                continue;
            if (fds[1].revents) {
                uint64_t count = 0;
                [[maybe_unused]] const ssize_t n = read(wake_, &count, sizeof count);
            }
            if (fds[0].revents & (POLLHUP | POLLERR))
                return;
        }
    }

    void ApplyPending() {
        std::lock_guard lock(mutex_);
        if (!hasPending_)
            return;
        hasPending_ = false;
        data_ = pending_;
        SetTip();
        Paint();
    }

    void Handle() {
        XEvent e;
        XNextEvent(display_, &e);
        switch (e.type) {
        case Expose:
            if (e.xexpose.count == 0)
                Paint();
            break;
        case ConfigureNotify:
            if (e.xconfigure.window == window_) {
                width_ = e.xconfigure.width;
                height_ = e.xconfigure.height;
            }
            break;
        case ReparentNotify:
            if (e.xreparent.window == window_)
                docked_ = e.xreparent.parent != root_;
            break;
        case DestroyNotify:
            if (e.xdestroywindow.window == manager_)
                manager_ = None; // wait for the next host
            break;
        case ClientMessage:
            if (e.xclient.message_type == managerAtom_ && static_cast<Atom>(e.xclient.data.l[1]) == trayAtom_)
                Dock();
            break;
        case ButtonPress:
        case ButtonRelease:
            Button(e.xbutton);
            break;
        default:
            break;
        }
    }

    void Button(const XButtonEvent& b) {
        const bool down = b.type == ButtonPress;
        uint32_t message = 0;
        if (b.button == Button1) {
            if (down) {
                const bool second = lastLeftPress_ != 0 && b.time - lastLeftPress_ <= kDoubleClickMs;
                message = second ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
                lastLeftPress_ = second ? 0 : b.time; // a third press starts a new pair
            } else {
                message = WM_LBUTTONUP;
            }
        } else if (b.button == Button3) {
            message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        }
        if (message)
            PostMessage(data_.window, data_.callbackMessage, data_.id, message);
    }

    // The icon scaled into the window over what the host shows behind it.
    void Paint() {
        if (!window_ || width_ <= 0 || height_ <= 0)
            return;
        XClearWindow(display_, window_);
        XImage* image = XGetImage(display_, window_, 0, 0, static_cast<unsigned>(width_),
                                  static_cast<unsigned>(height_), AllPlanes, ZPixmap);
        if (!image)
            return;
        const Image& icon = data_.icon;
        const int side = std::min(width_, height_);
        const int left = (width_ - side) / 2;
        const int top = (height_ - side) / 2;
        if (!icon.IsEmpty() && side > 0) {
            for (int y = 0; y < side; ++y) {
                for (int x = 0; x < side; ++x) {
                    const uint32_t over = icon.At(x * icon.Width() / side, y * icon.Height() / side);
                    const uint32_t under = static_cast<uint32_t>(XGetPixel(image, left + x, top + y));
                    XPutPixel(image, left + x, top + y, Blend(over, under & 0xFFFFFF));
                }
            }
        }
        GC gc = XCreateGC(display_, window_, 0, nullptr);
        XPutImage(display_, window_, gc, image, 0, 0, 0, 0, static_cast<unsigned>(width_),
                  static_cast<unsigned>(height_));
        XFreeGC(display_, gc);
        XDestroyImage(image);
    }

    Display* display_ = nullptr;
    int screen_ = 0;
    Window root_ = 0;
    Window window_ = 0;
    Window manager_ = None;
    Atom trayAtom_ = None, opcodeAtom_ = None, managerAtom_ = None, xembedInfoAtom_ = None;
    int width_ = kIconSize;
    int height_ = kIconSize;
    Time lastLeftPress_ = 0;
    TrayIconData data_;
    std::mutex mutex_;
    TrayIconData pending_;
    bool hasPending_ = false;
    int wake_ = -1;
    std::atomic<bool> stop_{false};
    std::atomic<bool> docked_{false};
    std::thread thread_;
};

} // namespace

std::unique_ptr<TrayIconSource> CreateX11TrayIconSource() {
    return std::make_unique<X11TrayIconSource>();
}

} // namespace vexmo
