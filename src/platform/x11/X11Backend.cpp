// The desktop backend on Xlib. The core decides everything about messages; this file maps
// windows onto X windows, copies painted pixels to them and turns X events into raw input.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "platform/core/Messages.h"
#include "platform/core/WindowBackend.h"
#include "platform/x11/X11InputMethod.h"
#include "platform/x11/X11Keys.h"

namespace vexmo {

namespace {

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            EnterWindowMask | LeaveWindowMask | KeyPressMask | KeyReleaseMask | FocusChangeMask |
                            StructureNotifyMask;
constexpr long kNetWmMoveResizeMove = 8;
constexpr long kNetWmStateAdd = 1;
constexpr long kNetWmStateRemove = 0;
constexpr int kDefaultDpi = 96;

// One flag per process: Xlib calls us back from deep inside any call once the server is gone.
bool g_connectionLost = false;
int g_lastXError = 0;

// Errors are expected (a window that went away meanwhile, shared memory a remote server
// cannot see); the call that cares checks g_lastXError.
int IgnoreXError(Display*, XErrorEvent* e) {
    g_lastXError = e->error_code;
    return 0;
}
int QuietIoError(Display*) { return 0; }
void MarkConnectionLost(Display*, void*) { g_connectionLost = true; }

struct NativeX11 {
    Window xid = 0;
    GC gc = nullptr;
    bool mapped = false;
    // Pixels shared with a local X server: no copy of each frame through the socket.
    XImage* shmImage = nullptr;
    XShmSegmentInfo shm{};
};

class X11Backend final : public WindowBackend {
public:
    explicit X11Backend(Display* display) : display_(display) {
        screen_ = DefaultScreen(display_);
        root_ = RootWindow(display_, screen_);
        visual_ = DefaultVisual(display_, screen_);
        depth_ = DefaultDepth(display_, screen_);
        wake_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        XSetErrorHandler(&IgnoreXError);
        XSetIOErrorHandler(&QuietIoError);
        XSetIOErrorExitHandler(display_, &MarkConnectionLost, nullptr);
        InternAtoms();
        DetectWindowManager();
        useShm_ = XShmQueryExtension(display_) == True;
        // Held keys repeat as presses only, as they do on the system the program knows.
        XkbSetDetectableAutoRepeat(display_, True, nullptr);
        inputMethod_ = std::make_unique<X11InputMethod>(display_);
    }

    ~X11Backend() override {
        inputMethod_.reset(); // its input contexts go before the connection they live on
        XCloseDisplay(display_);
        if (wake_ >= 0) close(wake_);
    }

    Clock& GetClock() override { return SteadyClock(); }

    Size ScreenSize() override { return {DisplayWidth(display_, screen_), DisplayHeight(display_, screen_)}; }

    Rect WorkArea() override {
        const Size s = ScreenSize();
        Rect full{0, 0, s.cx, s.cy};
        if (g_connectionLost) return full;
        Atom type;
        int format;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display_, root_, netWorkArea_, 0, 4, False, XA_CARDINAL, &type, &format, &count, &after,
                               &data) == Success && data && format == 32 && count >= 4) {
            const long* v = reinterpret_cast<const long*>(data);
            full = {static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[0] + v[2]), static_cast<int>(v[1] + v[3])};
        }
        if (data) XFree(data);
        return full;
    }

    int LogicalDpi() override {
        // The desktop's font resolution, as toolkits publish it (Xft.dpi).
        const char* resources = g_connectionLost ? nullptr : XResourceManagerString(display_);
        if (!resources) return kDefaultDpi;
        const char* at = std::strstr(resources, "Xft.dpi:");
        if (!at) return kDefaultDpi;
        const double dpi = std::strtod(at + std::strlen("Xft.dpi:"), nullptr);
        return dpi >= 48 && dpi <= 480 ? static_cast<int>(dpi) : kDefaultDpi;
    }

    bool CreateNative(WindowRecord& w) override {
        if (g_connectionLost) return false;
        XSetWindowAttributes attrs{};
        attrs.event_mask = kEventMask;
        attrs.background_pixmap = None; // we paint every pixel ourselves: no flash of grey
        attrs.bit_gravity = NorthWestGravity;
        const unsigned width = static_cast<unsigned>(std::max(1, w.rect.Width()));
        const unsigned height = static_cast<unsigned>(std::max(1, w.rect.Height()));
        const Window xid = XCreateWindow(display_, root_, w.rect.left, w.rect.top, width, height, 0, depth_, InputOutput,
                                         visual_, CWEventMask | CWBackPixmap | CWBitGravity, &attrs);
        if (!xid) return false;
        auto* native = new NativeX11;
        native->xid = xid;
        native->gc = XCreateGC(display_, xid, 0, nullptr);
        w.native = native;
        byXid_[xid] = w.handle;
        byHandle_[w.handle] = xid;
        XSetWMProtocols(display_, xid, &wmDeleteWindow_, 1);
        ApplyHints(w);
        return true;
    }

    void DestroyNative(WindowRecord& w) override {
        auto* n = Native(w);
        if (!n) return;
        byXid_.erase(n->xid);
        byHandle_.erase(w.handle);
        FreeShm(*n);
        // Also after a lost connection: Xlib then only frees its own memory.
        XFreeGC(display_, n->gc);
        if (!g_connectionLost) {
            XDestroyWindow(display_, n->xid);
            XFlush(display_);
        }
        delete n;
        w.native = nullptr;
    }

    void ShowNative(WindowRecord& w, bool show) override {
        auto* n = Native(w);
        if (!n || g_connectionLost) return;
        if (show) {
            ApplyHints(w);
            XMapRaised(display_, n->xid);
            // Without a window manager the position we asked for is final.
            XMoveWindow(display_, n->xid, w.rect.left, w.rect.top);
        } else {
            XUnmapWindow(display_, n->xid);
        }
        n->mapped = show;
        XFlush(display_);
    }

    void MinimizeNative(WindowRecord& w, bool minimized) override {
        auto* n = Native(w);
        if (!n || g_connectionLost) return;
        if (minimized) {
            if (hasWindowManager_) XIconifyWindow(display_, n->xid, screen_);
            else XUnmapWindow(display_, n->xid);
        } else {
            XMapRaised(display_, n->xid);
        }
        XFlush(display_);
    }

    void MoveNative(WindowRecord& w) override {
        auto* n = Native(w);
        if (!n || g_connectionLost) return;
        XMoveResizeWindow(display_, n->xid, w.rect.left, w.rect.top, static_cast<unsigned>(std::max(1, w.rect.Width())),
                          static_cast<unsigned>(std::max(1, w.rect.Height())));
        SetSizeHints(w);
        XFlush(display_);
    }

    void StyleChanged(WindowRecord& w) override {
        ApplyHints(w);
        XFlush(display_);
    }

    void Restack(const std::vector<WindowRecord*>& backToFront) override {
        if (g_connectionLost) return;
        for (WindowRecord* r : backToFront)
            if (auto* n = Native(*r); n && n->mapped) XRaiseWindow(display_, n->xid);
        XFlush(display_);
    }

    void Focus(WindowRecord& w) override {
        auto* n = Native(w);
        if (!n || !n->mapped || g_connectionLost) return;
        if (hasWindowManager_) {
            XEvent e{};
            e.xclient.type = ClientMessage;
            e.xclient.window = n->xid;
            e.xclient.message_type = netActiveWindow_;
            e.xclient.format = 32;
            e.xclient.data.l[0] = 2; // a pager-like request: honoured at once
            e.xclient.data.l[1] = CurrentTime;
            XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
        }
        XSetInputFocus(display_, n->xid, RevertToParent, CurrentTime);
        XFlush(display_);
    }

    void Present(WindowRecord& w, const Rect& client) override {
        auto* n = Native(w);
        if (!n || g_connectionLost) return;
        std::lock_guard lock(w.surface->mutex);
        CCanvas& canvas = w.surface->canvas;
        const Rect r = client.Intersect(canvas.Bounds());
        if (r.IsEmpty()) return;
        if (PresentShared(*n, canvas, r)) return;
        XImage image{};
        image.width = canvas.Width();
        image.height = canvas.Height();
        image.format = ZPixmap;
        image.data = reinterpret_cast<char*>(canvas.Row(0));
        image.byte_order = LSBFirst;
        image.bitmap_unit = 32;
        image.bitmap_bit_order = LSBFirst;
        image.bitmap_pad = 32;
        image.depth = depth_;
        image.bytes_per_line = canvas.Width() * 4;
        image.bits_per_pixel = 32;
        image.red_mask = visual_->red_mask;
        image.green_mask = visual_->green_mask;
        image.blue_mask = visual_->blue_mask;
        if (!XInitImage(&image)) return;
        XPutImage(display_, n->xid, n->gc, &image, r.left, r.top, r.left, r.top, static_cast<unsigned>(r.Width()),
                  static_cast<unsigned>(r.Height()));
        XFlush(display_);
    }

    void GrabPointer(WindowRecord* w) override {
        if (g_connectionLost) return;
        pointerGrabbed_ = w && Native(*w);
        if (pointerGrabbed_) {
            XGrabPointer(display_, Native(*w)->xid, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                         GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
        } else {
            XUngrabPointer(display_, CurrentTime);
        }
        XFlush(display_);
    }

    bool BeginDesktopDrag(WindowRecord& w, Point screen) override {
        auto* n = Native(w);
        if (!n || !supportsMoveResize_ || g_connectionLost) return false;
        XUngrabPointer(display_, CurrentTime);
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = n->xid;
        e.xclient.message_type = netWmMoveResize_;
        e.xclient.format = 32;
        e.xclient.data.l[0] = screen.x;
        e.xclient.data.l[1] = screen.y;
        e.xclient.data.l[2] = kNetWmMoveResizeMove;
        e.xclient.data.l[3] = Button1;
        e.xclient.data.l[4] = 1;
        XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
        XFlush(display_);
        return true;
    }

    Point CursorPos() override {
        if (g_connectionLost) return {};
        Window rootReturn, child;
        int rx = 0, ry = 0, wx, wy;
        unsigned mask;
        XQueryPointer(display_, root_, &rootReturn, &child, &rx, &ry, &wx, &wy, &mask);
        return {rx, ry};
    }

    void PumpEvents(EventSink& sink) override {
        if (g_connectionLost) {
            sink.ConnectionLost();
            return;
        }
        while (XPending(display_) > 0) {
            XEvent e;
            XNextEvent(display_, &e);
            // Keys of an unfinished compose or input-method sequence belong to the method.
            if (inputMethod_->Filter(&e)) continue;
            Handle(sink, e);
            if (g_connectionLost) break;
        }
        if (g_connectionLost) sink.ConnectionLost();
    }

    bool WaitForEvents(uint64_t deadlineMs) override {
        if (g_connectionLost) return true; // the next pump reports it
        XFlush(display_);
        if (XPending(display_) > 0) return true;
        int timeout = -1;
        if (deadlineMs != std::numeric_limits<uint64_t>::max()) {
            const uint64_t now = SteadyClock().NowMs();
            timeout = deadlineMs <= now ? 0 : static_cast<int>(std::min<uint64_t>(deadlineMs - now, 60000));
        }
        pollfd fds[2] = {{ConnectionNumber(display_), POLLIN, 0}, {wake_, POLLIN, 0}};
        poll(fds, 2, timeout);
        if (fds[1].revents & POLLIN) {
            uint64_t count;
            [[maybe_unused]] ssize_t r = read(wake_, &count, sizeof count);
        }
        if (fds[0].revents & (POLLHUP | POLLERR)) g_connectionLost = true;
        return true;
    }

    void Sync() override {
        if (!g_connectionLost) XSync(display_, False);
    }

    void Wake() override {
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t r = write(wake_, &one, sizeof one);
    }

private:
    static NativeX11* Native(WindowRecord& w) { return static_cast<NativeX11*>(w.native); }

    void InternAtoms() {
        // One round trip for all of them: start-up time matters.
        static constexpr const char* kNames[] = {
            "WM_DELETE_WINDOW", "_NET_WM_STATE", "_NET_WM_STATE_ABOVE", "_NET_WM_STATE_SKIP_TASKBAR",
            "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_NORMAL", "_NET_WM_WINDOW_TYPE_UTILITY",
            "_NET_WM_WINDOW_OPACITY", "_NET_WM_NAME", "UTF8_STRING",
            "_MOTIF_WM_HINTS", "_NET_ACTIVE_WINDOW", "_NET_WM_MOVERESIZE", "_NET_WORKAREA", "_NET_SUPPORTED",
            "_NET_SUPPORTING_WM_CHECK", "_NET_WM_ICON"};
        Atom* const targets[] = {&wmDeleteWindow_, &netWmState_, &netWmStateAbove_, &netWmStateSkipTaskbar_,
                                 &netWmWindowType_, &netWmTypeNormal_, &netWmTypeUtility_,
                                 &netWmOpacity_, &netWmName_, &utf8String_, &motifHints_, &netActiveWindow_,
                                 &netWmMoveResize_, &netWorkArea_, &netSupported_, &netSupportingWmCheck_, &netWmIcon_};
        constexpr int kCount = static_cast<int>(std::size(kNames));
        Atom atoms[kCount] = {};
        XInternAtoms(display_, const_cast<char**>(kNames), kCount, False, atoms);
        for (int i = 0; i < kCount; ++i) *targets[i] = atoms[i];
    }

    void DetectWindowManager() {
        Atom type;
        int format;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display_, root_, netSupportingWmCheck_, 0, 1, False, XA_WINDOW, &type, &format, &count,
                               &after, &data) == Success && data && count == 1)
            hasWindowManager_ = true;
        if (data) XFree(data);
        data = nullptr;
        if (!hasWindowManager_) return;
        if (XGetWindowProperty(display_, root_, netSupported_, 0, 4096, False, XA_ATOM, &type, &format, &count, &after,
                               &data) == Success && data) {
            const Atom* atoms = reinterpret_cast<const Atom*>(data);
            for (unsigned long i = 0; i < count; ++i)
                if (atoms[i] == netWmMoveResize_) supportsMoveResize_ = true;
        }
        if (data) XFree(data);
    }

    bool PresentShared(NativeX11& n, const CCanvas& canvas, const Rect& r) {
        if (!useShm_) return false;
        if (!n.shmImage || n.shmImage->width != canvas.Width() || n.shmImage->height != canvas.Height()) {
            FreeShm(n);
            if (!CreateShm(n, canvas.Width(), canvas.Height())) return false;
        }
        for (int y = r.top; y < r.bottom; ++y)
            std::memcpy(n.shmImage->data + static_cast<ptrdiff_t>(y) * n.shmImage->bytes_per_line + r.left * 4,
                        canvas.Row(y) + r.left, static_cast<size_t>(r.Width()) * 4);
        XShmPutImage(display_, n.xid, n.gc, n.shmImage, r.left, r.top, r.left, r.top, static_cast<unsigned>(r.Width()),
                     static_cast<unsigned>(r.Height()), False);
        XSync(display_, False); // the server reads the segment later; wait before reusing it
        return true;
    }

    bool CreateShm(NativeX11& n, int width, int height) {
        XImage* img = XShmCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, nullptr, &n.shm,
                                      static_cast<unsigned>(width), static_cast<unsigned>(height));
        if (!img) return false;
        if (img->bits_per_pixel != 32) {
            XDestroyImage(img);
            useShm_ = false;
            return false;
        }
        n.shm.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(img->bytes_per_line) * static_cast<size_t>(height),
                             IPC_CREAT | 0600);
        if (n.shm.shmid < 0) {
            XDestroyImage(img);
            return false;
        }
        n.shm.shmaddr = img->data = static_cast<char*>(shmat(n.shm.shmid, nullptr, 0));
        n.shm.readOnly = False;
        g_lastXError = 0;
        const bool attached = n.shm.shmaddr != reinterpret_cast<char*>(-1) && XShmAttach(display_, &n.shm);
        XSync(display_, False);
        shmctl(n.shm.shmid, IPC_RMID, nullptr); // freed once both sides let go
        if (!attached || g_lastXError != 0) {
            // A server on another machine cannot see our memory: plain copies from now on.
            if (n.shm.shmaddr != reinterpret_cast<char*>(-1)) shmdt(n.shm.shmaddr);
            img->data = nullptr;
            XDestroyImage(img);
            useShm_ = false;
            return false;
        }
        n.shmImage = img;
        return true;
    }

    void FreeShm(NativeX11& n) {
        if (!n.shmImage) return;
        if (!g_connectionLost) XShmDetach(display_, &n.shm);
        shmdt(n.shm.shmaddr);
        n.shmImage->data = nullptr;
        XDestroyImage(n.shmImage);
        n.shmImage = nullptr;
    }

    void SetSizeHints(WindowRecord& w) {
        auto* n = Native(w);
        XSizeHints hints{};
        hints.flags = PPosition | USPosition | PMinSize | PMaxSize;
        hints.x = w.rect.left;
        hints.y = w.rect.top;
        hints.min_width = hints.max_width = std::max(1, w.rect.Width());
        hints.min_height = hints.max_height = std::max(1, w.rect.Height());
        XSetWMNormalHints(display_, n->xid, &hints);
    }

    void ApplyHints(WindowRecord& w) {
        auto* n = Native(w);
        if (!n || g_connectionLost) return;
        // Borderless, always: every window draws its own frame.
        const long motif[5] = {2 /* decorations */, 0, 0, 0, 0};
        XChangeProperty(display_, n->xid, motifHints_, motifHints_, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(motif), 5);
        XStoreName(display_, n->xid, w.title.c_str());
        XChangeProperty(display_, n->xid, netWmName_, utf8String_, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(w.title.data()), static_cast<int>(w.title.size()));
        const bool tool = (w.exStyle & WS_EX_TOOLWINDOW) || (w.owner && !(w.exStyle & WS_EX_APPWINDOW));
        // Popups are utility windows, not menus: they must take the focus to learn when they
        // lose it (their owners close them then).
        const Atom type = tool ? netWmTypeUtility_ : netWmTypeNormal_;
        XChangeProperty(display_, n->xid, netWmWindowType_, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&type), 1);
        if (auto owner = byHandle_.find(w.owner); w.owner && owner != byHandle_.end())
            XSetTransientForHint(display_, n->xid, owner->second);
        const bool above = w.exStyle & WS_EX_TOPMOST;
        if (n->mapped && hasWindowManager_) {
            SendState(n->xid, above ? kNetWmStateAdd : kNetWmStateRemove, netWmStateAbove_);
            SendState(n->xid, tool ? kNetWmStateAdd : kNetWmStateRemove, netWmStateSkipTaskbar_);
        } else {
            Atom states[2];
            int count = 0;
            if (above) states[count++] = netWmStateAbove_;
            if (tool) states[count++] = netWmStateSkipTaskbar_;
            XChangeProperty(display_, n->xid, netWmState_, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(states), count);
        }
        if ((w.exStyle & WS_EX_LAYERED) && w.alpha < 255) {
            const unsigned long opacity = static_cast<unsigned long>(w.alpha) * 0x01010101UL;
            XChangeProperty(display_, n->xid, netWmOpacity_, XA_CARDINAL, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&opacity), 1);
        } else {
            XDeleteProperty(display_, n->xid, netWmOpacity_);
        }
        SetIcon(*n, w.icon);
        SetSizeHints(w);
    }

    void SetIcon(NativeX11& n, const Image& icon) {
        if (icon.IsEmpty()) return;
        // _NET_WM_ICON: width, height, then straight-alpha ARGB, one per long.
        std::vector<unsigned long> data;
        data.reserve(2 + icon.Pixels().size());
        data.push_back(static_cast<unsigned long>(icon.Width()));
        data.push_back(static_cast<unsigned long>(icon.Height()));
        for (uint32_t p : icon.Pixels()) {
            const uint32_t a = p >> 24;
            if (a == 0 || a == 255) {
                data.push_back(a == 0 ? 0 : p);
                continue;
            }
            auto un = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
            data.push_back((a << 24) | (un((p >> 16) & 0xFF) << 16) | (un((p >> 8) & 0xFF) << 8) | un(p & 0xFF));
        }
        XChangeProperty(display_, n.xid, netWmIcon_, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
    }

    void SendState(Window xid, long action, Atom state) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = xid;
        e.xclient.message_type = netWmState_;
        e.xclient.format = 32;
        e.xclient.data.l[0] = action;
        e.xclient.data.l[1] = static_cast<long>(state);
        e.xclient.data.l[3] = 1;
        XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    }

    HWND HandleOf(Window xid) const {
        auto it = byXid_.find(xid);
        return it == byXid_.end() ? 0 : it->second;
    }

    static uint32_t Modifiers(unsigned state) {
        uint32_t m = 0;
        if (state & ShiftMask) m |= MK_SHIFT;
        if (state & ControlMask) m |= MK_CONTROL;
        return m;
    }

    void Handle(EventSink& sink, XEvent& e) {
        const HWND h = HandleOf(e.xany.window);
        switch (e.type) {
        case Expose:
            if (h) sink.Exposed(h, {e.xexpose.x, e.xexpose.y, e.xexpose.x + e.xexpose.width, e.xexpose.y + e.xexpose.height});
            break;
        case MotionNotify:
            sink.PointerMoved(PointerTarget(e.xmotion.window, e.xmotion.x_root, e.xmotion.y_root),
                              {e.xmotion.x_root, e.xmotion.y_root}, Modifiers(e.xmotion.state));
            break;
        case EnterNotify:
        case LeaveNotify: {
            if (e.xcrossing.mode != NotifyNormal) break;
            const HWND under = e.type == EnterNotify ? h : 0;
            sink.PointerMoved(under, {e.xcrossing.x_root, e.xcrossing.y_root}, Modifiers(e.xcrossing.state));
            break;
        }
        case ButtonPress:
        case ButtonRelease: {
            const unsigned b = e.xbutton.button;
            if (b != Button1 && b != Button3) break; // wheel and middle button: nothing uses them
            sink.ButtonChanged(PointerTarget(e.xbutton.window, e.xbutton.x_root, e.xbutton.y_root),
                               {e.xbutton.x_root, e.xbutton.y_root}, b == Button1 ? MouseButton::Left : MouseButton::Right,
                               e.type == ButtonPress, Modifiers(e.xbutton.state));
            break;
        }
        case KeyPress:
        case KeyRelease: {
            KeySym keysym = 0;
            std::string utf8;
            if (e.type == KeyPress) {
                unsigned long sym = 0;
                utf8 = inputMethod_->Lookup(&e, &sym);
                keysym = sym;
                if (utf8 == "\x7F") utf8.clear();
            } else {
                char text[32];
                XLookupString(&e.xkey, text, sizeof text, &keysym, nullptr);
            }
            const uint32_t vk = VirtualKeyFromKeysym(keysym ? keysym : XLookupKeysym(&e.xkey, 0));
            // Backspace, Enter and Escape type their control characters as the system's do;
            // Delete types nothing.
            if (vk || !utf8.empty()) sink.KeyChanged(e.type == KeyPress, vk, utf8);
            break;
        }
        case FocusIn:
            if (h && e.xfocus.mode == NotifyNormal) sink.FocusChanged(h);
            break;
        case FocusOut:
            if (h && e.xfocus.mode == NotifyNormal && e.xfocus.detail != NotifyInferior) {
                Window focus;
                int revert;
                XGetInputFocus(display_, &focus, &revert);
                if (!HandleOf(focus)) sink.FocusChanged(0);
            }
            break;
        case ConfigureNotify: {
            if (!h) break;
            int x = 0, y = 0;
            Window child;
            XTranslateCoordinates(display_, e.xconfigure.window, root_, 0, 0, &x, &y, &child);
            sink.MovedByDesktop(h, {x, y, x + e.xconfigure.width, y + e.xconfigure.height});
            break;
        }
        case ClientMessage:
            if (h && static_cast<Atom>(e.xclient.data.l[0]) == wmDeleteWindow_) sink.CloseRequested(h);
            break;
        default:
            break;
        }
    }

    // Under a pointer grab every event names the grab window; the core wants the window
    // actually under the pointer, which it finds itself.
    HWND PointerTarget(Window eventWindow, int, int) const {
        return pointerGrabbed_ ? EventSink::kUnknownWindow : HandleOf(eventWindow);
    }

    Display* display_;
    std::unique_ptr<X11InputMethod> inputMethod_;
    int screen_ = 0;
    Window root_ = 0;
    Visual* visual_ = nullptr;
    int depth_ = 24;
    int wake_ = -1;
    bool hasWindowManager_ = false;
    bool supportsMoveResize_ = false;
    bool pointerGrabbed_ = false;
    bool useShm_ = false;
    std::map<Window, HWND> byXid_;
    std::map<HWND, Window> byHandle_;
    Atom wmDeleteWindow_{}, netWmState_{}, netWmStateAbove_{}, netWmStateSkipTaskbar_{}, netWmWindowType_{},
        netWmTypeNormal_{}, netWmTypeUtility_{}, netWmOpacity_{}, netWmName_{}, utf8String_{},
        motifHints_{}, netActiveWindow_{}, netWmMoveResize_{}, netWorkArea_{}, netSupported_{}, netSupportingWmCheck_{}, netWmIcon_{};
};

} // namespace

std::unique_ptr<WindowBackend> CreateX11Backend(std::string* whyNot) {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) {
        if (whyNot) *whyNot = "no X display: DISPLAY is not set";
        return nullptr;
    }
    Display* display = XOpenDisplay(name);
    if (!display) {
        if (whyNot) *whyNot = std::string("cannot open the X display ") + name;
        return nullptr;
    }
    const int screen = DefaultScreen(display);
    if (DefaultDepth(display, screen) < 24 || DefaultVisual(display, screen)->c_class != TrueColor) {
        if (whyNot) *whyNot = "the X display needs a 24-bit true-colour visual";
        XCloseDisplay(display);
        return nullptr;
    }
    g_connectionLost = false;
    return std::make_unique<X11Backend>(display);
}

} // namespace vexmo
