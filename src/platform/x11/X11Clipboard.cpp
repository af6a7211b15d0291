// The CLIPBOARD selection on X11. Owning it needs a window that answers other programs'
// requests at any time, so it lives on a connection and thread of its own; reading asks the
// owner to convert the selection into a property of that window and waits briefly.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/desktop/Clipboard.h"

namespace vexmo {
namespace {

constexpr auto kAnswerTimeout = std::chrono::milliseconds(2000);

class X11ClipboardSource final : public ClipboardSource {
public:
    X11ClipboardSource() {
        const char* name = std::getenv("DISPLAY");
        if (!name || !*name)
            return;
        display_ = XOpenDisplay(name);
        if (!display_)
            return;
        clipboard_ = XInternAtom(display_, "CLIPBOARD", False);
        utf8_ = XInternAtom(display_, "UTF8_STRING", False);
        targets_ = XInternAtom(display_, "TARGETS", False);
        property_ = XInternAtom(display_, "VEXMO_CLIPBOARD", False);
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), -10, -10, 1, 1, 0, 0, 0);
        XSelectInput(display_, window_, PropertyChangeMask);
        XFlush(display_);
        wake_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        thread_ = std::thread([this] { Run(); });
    }

    ~X11ClipboardSource() override {
        if (thread_.joinable()) {
            stop_ = true;
            Wake();
            thread_.join();
        }
        if (display_)
            XCloseDisplay(display_);
        if (wake_ >= 0)
            close(wake_);
    }

    void SetText(const std::string& text) override {
        std::lock_guard lock(mutex_);
        owned_ = text;
        wantOwn_ = true;
        Wake();
    }

    std::optional<std::string> GetText() override {
        if (!display_)
            return owned_;
        std::unique_lock lock(mutex_);
        answer_.reset();
        answered_ = false;
        wantRead_ = true;
        Wake();
        if (!answerReady_.wait_for(lock, kAnswerTimeout, [&] { return answered_; })) {
            converting_ = false; // a late answer must not pass for the next read's
            return std::nullopt;
        }
        return answer_;
    }

private:
    void Wake() {
        const uint64_t one = 1;
        if (wake_ < 0)
            return;
        [[maybe_unused]] const ssize_t n = write(wake_, &one, sizeof one);
    }

    void Run() {
        const int xfd = ConnectionNumber(display_);
        while (!stop_) {
            while (XPending(display_) > 0)
                Handle();
            TakeRequest();
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

    void TakeRequest() {
        std::lock_guard lock(mutex_);
        // Ownership first: a read right after a set must see our own text.
        if (std::exchange(wantOwn_, false)) {
            XSetSelectionOwner(display_, clipboard_, window_, CurrentTime);
        }
        if (std::exchange(wantRead_, false)) {
            // Asked of the server each time: another program may have taken it a moment ago.
            const Window owner = XGetSelectionOwner(display_, clipboard_);
            if (owner == window_) {
                Answer(owned_);
            } else if (owner == None) {
                Answer(std::nullopt);
            } else {
                XConvertSelection(display_, clipboard_, utf8_, property_, window_, CurrentTime);
                converting_ = true;
            }
        }
    }

    // Caller holds mutex_.
    void Answer(std::optional<std::string> text) {
        answer_ = std::move(text);
        answered_ = true;
        answerReady_.notify_all();
    }

    void Handle() {
        XEvent e;
        XNextEvent(display_, &e);
        if (e.type == SelectionRequest) {
            Serve(e.xselectionrequest);
        } else if (e.type == SelectionNotify) {
            Received(e.xselection);
        }
    }

    // Another program asks for our text.
    void Serve(const XSelectionRequestEvent& r) {
        XSelectionEvent reply{};
        reply.type = SelectionNotify;
        reply.requestor = r.requestor;
        reply.selection = r.selection;
        reply.target = r.target;
        reply.time = r.time;
        reply.property = None;
        const Atom property = r.property == None ? r.target : r.property;
        std::string text;
        {
            std::lock_guard lock(mutex_);
            text = owned_.value_or("");
        }
        if (r.target == targets_) {
            const Atom offered[] = {targets_, utf8_, XA_STRING};
            XChangeProperty(display_, r.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(offered), 3);
            reply.property = property;
        } else if (r.target == utf8_ || r.target == XA_STRING) {
            XChangeProperty(display_, r.requestor, property, r.target, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(text.data()),
                            static_cast<int>(text.size()));
            reply.property = property;
        }
        XSendEvent(display_, r.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    }

    void Received(const XSelectionEvent& s) {
        std::optional<std::string> text;
        if (s.property != None) {
            Atom type = None;
            int format = 0;
            unsigned long count = 0, after = 0;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(display_, window_, property_, 0, 1 << 20, True, AnyPropertyType, &type,
                                   &format, &count, &after, &data) == Success &&
                data && format == 8) {
                text = std::string(reinterpret_cast<const char*>(data), count);
            }
            if (data)
                XFree(data);
        }
        std::lock_guard lock(mutex_);
        if (!std::exchange(converting_, false))
            return;
        Answer(std::move(text));
    }

    Display* display_ = nullptr;
    Window window_ = 0;
    Atom clipboard_ = None, utf8_ = None, targets_ = None, property_ = None;
    int wake_ = -1;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable answerReady_;
    bool wantOwn_ = false;
    bool wantRead_ = false;
    std::optional<std::string> owned_;
    std::optional<std::string> answer_;
    bool answered_ = false;
    bool converting_ = false;
};

} // namespace

std::unique_ptr<ClipboardSource> CreateX11ClipboardSource() {
    return std::make_unique<X11ClipboardSource>();
}

} // namespace vexmo
