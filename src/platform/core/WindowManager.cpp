#include "platform/core/WindowManager.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "platform/core/TextLayout.h"

namespace vexmo {

namespace {
WindowManager* g_current = nullptr;
constexpr uint64_t kNoDeadline = std::numeric_limits<uint64_t>::max();
constexpr uint32_t kDefaultHoverMs = 400;
constexpr LPARAM kKeyUpBits = static_cast<LPARAM>(0xC0000001u);
constexpr LPARAM kKeyDownBits = 1; // repeat count 1
} // namespace

WindowManager* WindowManager::Current() { return g_current; }
void WindowManager::SetCurrent(WindowManager* manager) { g_current = manager; }

WindowManager::WindowManager(std::unique_ptr<WindowBackend> backend) : backend_(std::move(backend)) {}

WindowManager::~WindowManager() { DestroyAll(); }

WindowRecord* WindowManager::Find(HWND h) {
    auto it = windows_.find(h);
    return it == windows_.end() ? nullptr : it->second.get();
}

HWND WindowManager::Create(CWnd& wnd, uint32_t exStyle, const std::string& title, uint32_t style, const Rect& rect,
                           HWND owner, uint32_t classStyle) {
    auto rec = std::make_unique<WindowRecord>();
    rec->handle = nextHandle_++;
    rec->wnd = &wnd;
    rec->owner = Find(owner) ? owner : 0;
    rec->rect = rect;
    if (rec->rect.right < rec->rect.left) rec->rect.right = rec->rect.left;
    if (rec->rect.bottom < rec->rect.top) rec->rect.bottom = rec->rect.top;
    rec->title = title;
    rec->style = style & ~WS_VISIBLE;
    rec->exStyle = exStyle;
    rec->classStyle = classStyle;
    rec->enabled = (style & WS_DISABLED) == 0;
    if (!backend_->CreateNative(*rec)) return 0;
    const HWND h = rec->handle;
    windows_.emplace(h, std::move(rec));
    zorder_.push_back(h);
    return h;
}

void WindowManager::DestroyAll() {
    while (!windows_.empty()) {
        // Owners take their owned windows with them; start from the last created.
        Destroy(windows_.rbegin()->first);
    }
}

void WindowManager::Destroy(HWND h) {
    WindowRecord* rec = Find(h);
    if (!rec || rec->destroying) return;
    rec->destroying = true;
    std::vector<HWND> owned;
    for (auto& [other, r] : windows_)
        if (r->owner == h) owned.push_back(other);
    for (HWND o : owned) Destroy(o);

    const HWND owner = rec->owner;
    const bool wasActive = active_ == h;
    if (rec->visible) {
        rec->visible = false;
        backend_->ShowNative(*rec, false);
    }
    if (capture_ == h) {
        capture_ = 0;
        backend_->GrabPointer(nullptr);
    }
    if (wasActive) active_ = 0;
    Send(h, WM_DESTROY, 0, 0);
    std::erase_if(timers_, [h](const Timer& t) { return t.window == h; });
    std::erase(zorder_, h);
    rec = Find(h);
    if (!rec) return;
    backend_->DestroyNative(*rec);
    Send(h, WM_NCDESTROY, 0, 0);
    CWnd* wnd = rec->wnd;
    windows_.erase(h);
    if (pointerWindow_ == h) pointerWindow_ = 0;
    if (dragWindow_ == h) dragWindow_ = 0;
    if (lastPressWindow_ == h) lastPressValid_ = false;
    if (wnd) {
        wnd->hwnd_ = 0;
        wnd->PostNcDestroy();
    }
    if (wasActive) ActivateSuccessor(owner);
}

void WindowManager::ActivateSuccessor(HWND owner) {
    WindowRecord* o = Find(owner);
    if (o && o->visible && !o->minimized && o->enabled) {
        Activate(owner, WA_ACTIVE);
        return;
    }
    // Otherwise the frontmost window that can take it.
    auto order = StackingOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        WindowRecord* r = *it;
        if (r->enabled && !r->minimized && !(r->exStyle & WS_EX_NOACTIVATE)) {
            Activate(r->handle, WA_ACTIVE);
            return;
        }
    }
}

LRESULT WindowManager::Send(HWND h, uint32_t message, WPARAM w, LPARAM l) {
    WindowRecord* rec = Find(h);
    if (!rec || !rec->wnd) return 0;
    return rec->wnd->WindowProc(message, w, l);
}

void WindowManager::Enqueue(QueueItem item) {
    {
        std::lock_guard lock(queueMutex_);
        queue_.push_back(std::move(item));
    }
    backend_->Wake();
}

bool WindowManager::Post(HWND h, uint32_t message, WPARAM w, LPARAM l) {
    QueueItem item;
    item.msg = {h, message, w, l};
    Enqueue(std::move(item));
    return true;
}

void WindowManager::PostQuit(int code) { Post(0, WM_QUIT, static_cast<WPARAM>(code), 0); }

void WindowManager::PresentWorkerDrawing() {
    for (auto& [h, rec] : windows_) {
        Rect dirty;
        {
            std::lock_guard lock(rec->surface->mutex);
            dirty = rec->surface->pendingPresent;
            rec->surface->pendingPresent = {};
        }
        if (!dirty.IsEmpty() && rec->visible && !rec->minimized) backend_->Present(*rec, dirty);
    }
}

bool WindowManager::Pump(int* exitCode) {
    backend_->PumpEvents(*this);
    PresentWorkerDrawing();
    QueueItem item;
    bool have = false;
    {
        std::lock_guard lock(queueMutex_);
        if (!queue_.empty()) {
            item = std::move(queue_.front());
            queue_.pop_front();
            have = true;
        }
    }
    if (have) {
        if (item.isInput) {
            Route(item.input);
            return true;
        }
        if (item.msg.message == WM_QUIT && item.msg.hwnd == 0) {
            if (exitCode) *exitCode = static_cast<int>(item.msg.wParam);
            return false;
        }
        Dispatch(item.msg);
        return true;
    }
    if (PaintOne()) return true;
    if (FireDue(GetClock().NowMs())) return true;
    if (connectionLost_) {
        if (exitCode) *exitCode = 1;
        return false;
    }
    if (!backend_->WaitForEvents(NextDeadline())) {
        if (exitCode) *exitCode = -1;
        return false;
    }
    return true;
}

void WindowManager::PumpReady() {
    while (true) {
        backend_->PumpEvents(*this);
        PresentWorkerDrawing();
        QueueItem item;
        bool have = false;
        {
            std::lock_guard lock(queueMutex_);
            // WM_QUIT stays queued for the loop that owns it.
            if (!queue_.empty() && !(queue_.front().msg.message == WM_QUIT && !queue_.front().isInput &&
                                     queue_.front().msg.hwnd == 0)) {
                item = std::move(queue_.front());
                queue_.pop_front();
                have = true;
            }
        }
        if (have) {
            if (item.isInput) Route(item.input);
            else Dispatch(item.msg);
            continue;
        }
        if (PaintOne()) continue;
        if (FireDue(GetClock().NowMs())) continue;
        return;
    }
}

bool WindowManager::PreTranslate(Message& msg) {
    HWND h = msg.hwnd;
    for (int depth = 0; h && depth < 64; ++depth) {
        WindowRecord* rec = Find(h);
        if (!rec || !rec->wnd) return false;
        const HWND owner = rec->owner;
        if (rec->wnd->PreTranslateMessage(msg)) return true;
        h = owner;
    }
    return false;
}

void WindowManager::Dispatch(Message& msg) {
    const bool translatable = (msg.message >= WM_KEYDOWN && msg.message <= WM_SYSKEYUP) ||
                              (msg.message >= WM_MOUSEMOVE && msg.message <= WM_MOUSEWHEEL);
    if (translatable && PreTranslate(msg)) return;
    Send(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

bool WindowManager::PaintOne() {
    for (HWND h : std::vector<HWND>(zorder_)) {
        WindowRecord* rec = Find(h);
        if (rec && rec->visible && !rec->minimized && !rec->invalid.IsEmpty()) {
            PaintNow(h);
            return true;
        }
    }
    return false;
}

void WindowManager::PaintNow(HWND h) {
    WindowRecord* rec = Find(h);
    if (!rec || !rec->visible || rec->minimized) return;
    std::shared_ptr<WindowSurface> surface = rec->surface;
    std::unique_lock lock(surface->mutex);
    CCanvas& canvas = surface->canvas;
    const int w = rec->rect.Width(), hgt = rec->rect.Height();
    if (canvas.Width() != w || canvas.Height() != hgt) {
        canvas.Create(w, hgt);
        rec->invalid = {0, 0, w, hgt};
    }
    const Rect clip = rec->invalid.Intersect(canvas.Bounds());
    const bool erase = rec->eraseBackground;
    rec->invalid = {};
    rec->eraseBackground = false;
    if (clip.IsEmpty()) return;
    canvas.SetClipRect(clip);
    canvas.SelectFont(nullptr);
    canvas.SetTextColor(RGB(0, 0, 0));
    canvas.SetBkColor(RGB(255, 255, 255));
    canvas.SetBkMode(OPAQUE);
    if (erase) Send(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(&canvas), 0);
    Send(h, WM_PAINT, reinterpret_cast<WPARAM>(&canvas), 0);
    canvas.ResetClip();
    canvas.SelectFont(nullptr);
    lock.unlock();
    rec = Find(h);
    if (rec && rec->visible && !rec->minimized) backend_->Present(*rec, clip);
}

void WindowManager::PresentWhole(HWND h, const CCanvas& image, Point screenPos) {
    WindowRecord* rec = Find(h);
    if (!rec) return;
    {
        std::lock_guard lock(rec->surface->mutex);
        rec->surface->canvas = image;
        rec->surface->canvas.ResetClip();
    }
    const Rect r{screenPos.x, screenPos.y, screenPos.x + image.Width(), screenPos.y + image.Height()};
    if (!(r == rec->rect)) Move(h, r);
    rec = Find(h);
    if (!rec) return;
    rec->invalid = {};
    if (rec->visible && !rec->minimized) backend_->Present(*rec, {0, 0, image.Width(), image.Height()});
}

void WindowManager::Invalidate(HWND h, const Rect& client, bool erase) {
    WindowRecord* rec = Find(h);
    if (!rec) return;
    const Rect r = client.Intersect({0, 0, rec->rect.Width(), rec->rect.Height()});
    if (r.IsEmpty()) return;
    rec->invalid = rec->invalid.Union(r);
    rec->eraseBackground = rec->eraseBackground || erase;
    backend_->Wake();
}

void WindowManager::Validate(HWND h) {
    if (WindowRecord* rec = Find(h)) {
        rec->invalid = {};
        rec->eraseBackground = false;
    }
}

bool WindowManager::FireDue(uint64_t now) {
    // Hover reports first: they are input.
    for (auto& [h, rec] : windows_) {
        if ((rec->trackFlags & TME_HOVER) && rec->hoverDue != 0 && rec->hoverDue <= now) {
            rec->trackFlags &= ~TME_HOVER;
            rec->hoverDue = 0;
            if (pointerWindow_ == h || capture_ == h) {
                const Point p{cursor_.x - rec->rect.left, cursor_.y - rec->rect.top};
                Message msg{h, WM_MOUSEHOVER, ButtonFlags(0), MAKELPARAM(p.x, p.y)};
                Dispatch(msg);
                return true;
            }
        }
    }
    auto due = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it)
        if (it->due <= now && (due == timers_.end() || it->due < due->due)) due = it;
    if (due == timers_.end()) return false;
    due->due = now + std::max<uint32_t>(due->period, 1);
    Message msg{due->window, WM_TIMER, due->id, 0};
    Dispatch(msg);
    return true;
}

uint64_t WindowManager::NextDeadline() {
    uint64_t next = kNoDeadline;
    for (const Timer& t : timers_) next = std::min(next, t.due);
    for (auto& [h, rec] : windows_)
        if ((rec->trackFlags & TME_HOVER) && rec->hoverDue != 0) next = std::min(next, rec->hoverDue);
    return next;
}

uintptr_t WindowManager::SetTimer(HWND h, uintptr_t id, uint32_t ms) {
    if (!Find(h)) return 0;
    const uint64_t due = GetClock().NowMs() + std::max<uint32_t>(ms, 1);
    for (Timer& t : timers_) {
        if (t.window == h && t.id == id) {
            t.period = ms;
            t.due = due;
            return id;
        }
    }
    timers_.push_back({h, id, ms, due});
    backend_->Wake();
    return id;
}

bool WindowManager::KillTimer(HWND h, uintptr_t id) {
    return std::erase_if(timers_, [&](const Timer& t) { return t.window == h && t.id == id; }) > 0;
}

std::vector<WindowRecord*> WindowManager::StackingOrder() {
    std::vector<WindowRecord*> normal, topmost;
    for (HWND h : zorder_) {
        WindowRecord* rec = Find(h);
        if (!rec || !rec->visible) continue;
        (rec->exStyle & WS_EX_TOPMOST ? topmost : normal).push_back(rec);
    }
    normal.insert(normal.end(), topmost.begin(), topmost.end());
    return normal;
}

HWND WindowManager::WindowAt(Point screen) {
    auto order = StackingOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        if (!(*it)->minimized && (*it)->rect.Contains(screen)) return (*it)->handle;
    return 0;
}

void WindowManager::Restack() { backend_->Restack(StackingOrder()); }

void WindowManager::Raise(HWND h) {
    if (!Find(h)) return;
    std::erase(zorder_, h);
    zorder_.push_back(h);
    // Owned windows stay above their owner.
    std::vector<HWND> owned;
    for (HWND o : zorder_)
        if (WindowRecord* r = Find(o); r && r->owner == h) owned.push_back(o);
    for (HWND o : owned) {
        std::erase(zorder_, o);
        zorder_.push_back(o);
    }
    Restack();
}

HWND WindowManager::TopLevelOf(HWND h) { return h; }

bool WindowManager::InputAllowed(HWND h) {
    WindowRecord* rec = Find(h);
    return rec && rec->enabled && rec->visible && !rec->minimized;
}

void WindowManager::Activate(HWND h, WPARAM how, bool fromDesktop) {
    if (h == active_) return;
    WindowRecord* target = Find(h);
    if (h && (!target || !target->visible)) return;
    const HWND old = active_;
    active_ = h;
    if (Find(old)) {
        Send(old, WM_NCACTIVATE, 0, 0);
        Send(old, WM_ACTIVATE, WA_INACTIVE, static_cast<LPARAM>(h));
        Send(old, WM_KILLFOCUS, h, 0);
    }
    if (active_ != h) return; // a handler moved the activation on
    if (WindowRecord* rec = Find(h)) {
        Raise(h);
        if (!fromDesktop) backend_->Focus(*rec);
        Send(h, WM_NCACTIVATE, 1, 0);
        Send(h, WM_ACTIVATE, how, static_cast<LPARAM>(old));
        Send(h, WM_SETFOCUS, old, 0);
    }
}

void WindowManager::Show(HWND h, int command) {
    WindowRecord* rec = Find(h);
    if (!rec || rec->destroying) return;
    const bool wasVisible = rec->visible;
    switch (command) {
    case SW_HIDE: {
        if (!rec->visible) return;
        rec->visible = false;
        backend_->ShowNative(*rec, false);
        Send(h, WM_SHOWWINDOW, 0, 0);
        if (capture_ == h) ReleaseCapture();
        if (active_ == h) {
            active_ = 0;
            Send(h, WM_NCACTIVATE, 0, 0);
            Send(h, WM_ACTIVATE, WA_INACTIVE, 0);
            Send(h, WM_KILLFOCUS, 0, 0);
            if (WindowRecord* r = Find(h)) ActivateSuccessor(r->owner);
        }
        return;
    }
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED: {
        if (!rec->visible) {
            rec->visible = true;
            backend_->ShowNative(*rec, true);
        }
        if (!rec->minimized) {
            rec->minimized = true;
            backend_->MinimizeNative(*rec, true);
        }
        if (!wasVisible) Send(h, WM_SHOWWINDOW, 1, 0);
        if (active_ == h) {
            Activate(0, WA_INACTIVE);
        }
        return;
    }
    default: {
        const bool wasMinimized = rec->minimized;
        rec->visible = true;
        rec->minimized = false;
        if (!wasVisible) backend_->ShowNative(*rec, true);
        if (wasMinimized) backend_->MinimizeNative(*rec, false);
        if (!wasVisible) Send(h, WM_SHOWWINDOW, 1, 0);
        rec = Find(h);
        if (!rec) return;
        if (!wasVisible || wasMinimized) Invalidate(h, {0, 0, rec->rect.Width(), rec->rect.Height()}, true);
        const bool activate = command != SW_SHOWNA && command != SW_SHOWNOACTIVATE && !(rec->exStyle & WS_EX_NOACTIVATE);
        if (activate && rec->enabled) Activate(h, WA_ACTIVE);
        else Raise(h);
        return;
    }
    }
}

void WindowManager::Move(HWND h, const Rect& rect) {
    WindowRecord* rec = Find(h);
    if (!rec) return;
    Rect r = rect;
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    const bool resized = r.Width() != rec->rect.Width() || r.Height() != rec->rect.Height();
    const bool moved = r.left != rec->rect.left || r.top != rec->rect.top;
    if (!resized && !moved) return;
    rec->rect = r;
    backend_->MoveNative(*rec);
    if (moved) Send(h, WM_MOVE, 0, MAKELPARAM(r.left, r.top));
    if (resized) {
        Send(h, WM_SIZE, 0, MAKELPARAM(r.Width(), r.Height()));
        Invalidate(h, {0, 0, r.Width(), r.Height()}, true);
    }
}

void WindowManager::SetEnabled(HWND h, bool enabled) {
    WindowRecord* rec = Find(h);
    if (!rec || rec->enabled == enabled) return;
    rec->enabled = enabled;
    if (!enabled && capture_ == h) ReleaseCapture();
    Send(h, WM_ENABLE, enabled ? 1 : 0, 0);
}

void WindowManager::SetTopmost(HWND h, bool topmost) {
    WindowRecord* rec = Find(h);
    if (!rec) return;
    if (topmost) rec->exStyle |= WS_EX_TOPMOST;
    else rec->exStyle &= ~WS_EX_TOPMOST;
    backend_->StyleChanged(*rec);
    Raise(h);
}

void WindowManager::StyleChanged(HWND h) {
    if (WindowRecord* rec = Find(h)) backend_->StyleChanged(*rec);
}

HWND WindowManager::SetCapture(HWND h) {
    WindowRecord* rec = Find(h);
    const HWND old = capture_;
    if (!rec) return old;
    capture_ = h;
    backend_->GrabPointer(rec);
    if (old && old != h) Send(old, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(h));
    return old;
}

void WindowManager::ReleaseCapture() {
    const HWND old = capture_;
    if (!old) return;
    capture_ = 0;
    backend_->GrabPointer(nullptr);
    Send(old, WM_CAPTURECHANGED, 0, 0);
    // Leave tracking held back while the window had the capture.
    WindowRecord* rec = Find(old);
    if (rec && (rec->trackFlags & TME_LEAVE) && pointerWindow_ != old) {
        rec->trackFlags = 0;
        rec->hoverDue = 0;
        Post(old, WM_MOUSELEAVE, 0, 0);
    }
}

bool WindowManager::Track(HWND h, uint32_t flags, uint32_t hoverMs) {
    WindowRecord* rec = Find(h);
    if (!rec) return false;
    if (flags & TME_CANCEL) {
        rec->trackFlags &= ~(flags & (TME_HOVER | TME_LEAVE));
        if (!(rec->trackFlags & TME_HOVER)) rec->hoverDue = 0;
        return true;
    }
    // Leave tracking asked while the pointer is already elsewhere reports at once.
    if ((flags & TME_LEAVE) && pointerWindow_ != h && capture_ != h) {
        Post(h, WM_MOUSELEAVE, 0, 0);
        flags &= ~TME_LEAVE;
    }
    rec->trackFlags |= flags & (TME_HOVER | TME_LEAVE);
    if (flags & TME_HOVER) {
        rec->hoverMs = hoverMs == HOVER_DEFAULT ? kDefaultHoverMs : hoverMs;
        rec->hoverAnchor = cursor_;
        rec->hoverDue = GetClock().NowMs() + std::max<uint32_t>(rec->hoverMs, 1);
        backend_->Wake();
    }
    return true;
}

void WindowManager::StartDrag(HWND h, Point screen) {
    WindowRecord* rec = Find(h);
    if (!rec || !leftDown_) return;
    if (backend_->BeginDesktopDrag(*rec, screen)) return;
    dragWindow_ = h;
    dragOffset_ = {screen.x - rec->rect.left, screen.y - rec->rect.top};
}

WPARAM WindowManager::ButtonFlags(uint32_t modifiers) const {
    WPARAM flags = modifiers & (MK_SHIFT | MK_CONTROL);
    if (leftDown_) flags |= MK_LBUTTON;
    if (rightDown_) flags |= MK_RBUTTON;
    return flags;
}

// ---- input --------------------------------------------------------------------------

void WindowManager::PointerMoved(HWND under, Point screen, uint32_t modifiers) {
    QueueItem item;
    item.isInput = true;
    item.input.kind = RawInput::Kind::Move;
    item.input.under = under;
    item.input.screen = screen;
    item.input.modifiers = modifiers;
    Enqueue(std::move(item));
}

void WindowManager::ButtonChanged(HWND under, Point screen, MouseButton button, bool down, uint32_t modifiers) {
    QueueItem item;
    item.isInput = true;
    item.input.kind = RawInput::Kind::Button;
    item.input.under = under;
    item.input.screen = screen;
    item.input.button = button;
    item.input.down = down;
    item.input.modifiers = modifiers;
    Enqueue(std::move(item));
}

void WindowManager::KeyChanged(bool down, uint32_t virtualKey, const std::string& text) {
    QueueItem item;
    item.isInput = true;
    item.input.kind = RawInput::Kind::Key;
    item.input.down = down;
    item.input.virtualKey = virtualKey;
    item.input.text = text;
    Enqueue(std::move(item));
}

void WindowManager::Route(const RawInput& input) {
    switch (input.kind) {
    case RawInput::Kind::Move: RouteMove(input); break;
    case RawInput::Kind::Button: RouteButton(input); break;
    case RawInput::Kind::Key: RouteKey(input); break;
    }
}

void WindowManager::LeaveCheck(HWND under) {
    if (pointerWindow_ == under) return;
    const HWND old = pointerWindow_;
    pointerWindow_ = under;
    WindowRecord* rec = Find(old);
    if (!rec || old == capture_ || !(rec->trackFlags & TME_LEAVE)) return;
    rec->trackFlags = 0;
    rec->hoverDue = 0;
    Message msg{old, WM_MOUSELEAVE, 0, 0};
    Dispatch(msg);
}

void WindowManager::DeliverMouse(HWND target, uint32_t message, Point screen, WPARAM flags) {
    WindowRecord* rec = Find(target);
    if (!rec) return;
    Message msg{target, message, flags, MAKELPARAM(screen.x - rec->rect.left, screen.y - rec->rect.top)};
    Dispatch(msg);
}

void WindowManager::RouteMove(const RawInput& in) {
    const HWND under = in.under == kUnknownWindow ? WindowAt(in.screen) : in.under;
    const bool moved = !(cursor_ == in.screen);
    cursor_ = in.screen;
    if (dragWindow_) {
        if (WindowRecord* rec = Find(dragWindow_)) {
            const Rect r = rec->rect;
            Move(dragWindow_, r.Offset(in.screen.x - dragOffset_.x - r.left, in.screen.y - dragOffset_.y - r.top));
        }
        return;
    }
    LeaveCheck(under);
    const HWND target = capture_ ? capture_ : under;
    if (!target || (!capture_ && !InputAllowed(target))) return;
    WindowRecord* rec = Find(target);
    if ((rec->trackFlags & TME_HOVER) && moved &&
        (std::abs(in.screen.x - rec->hoverAnchor.x) > kHoverSlop || std::abs(in.screen.y - rec->hoverAnchor.y) > kHoverSlop)) {
        rec->hoverAnchor = in.screen;
        rec->hoverDue = GetClock().NowMs() + std::max<uint32_t>(rec->hoverMs, 1);
    }
    DeliverMouse(target, WM_MOUSEMOVE, in.screen, ButtonFlags(in.modifiers));
}

void WindowManager::RouteButton(const RawInput& in) {
    const HWND under = in.under == kUnknownWindow ? WindowAt(in.screen) : in.under;
    cursor_ = in.screen;
    const bool left = in.button == MouseButton::Left;
    (left ? leftDown_ : rightDown_) = in.down;
    if (dragWindow_) {
        if (left && !in.down) dragWindow_ = 0;
        return;
    }
    LeaveCheck(under);
    const HWND target = capture_ ? capture_ : under;
    if (!target) {
        if (in.down && active_) Activate(0, WA_INACTIVE); // a press on something not ours
        return;
    }
    if (!capture_ && !InputAllowed(target)) return;
    uint32_t message;
    if (in.down) {
        WindowRecord* rec = Find(target);
        if (active_ != target && !(rec->exStyle & WS_EX_NOACTIVATE)) Activate(target, WA_CLICKACTIVE);
        rec = Find(target);
        if (!rec) return;
        const uint64_t now = GetClock().NowMs();
        const bool dbl = (rec->classStyle & CS_DBLCLKS) && lastPressValid_ && lastPressWindow_ == target &&
                         lastPressButton_ == in.button && now - lastPressTime_ <= kDoubleClickMs &&
                         std::abs(in.screen.x - lastPressPoint_.x) <= kDoubleClickSlop &&
                         std::abs(in.screen.y - lastPressPoint_.y) <= kDoubleClickSlop;
        if (dbl) {
            lastPressValid_ = false; // a third press starts over
            message = left ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK;
        } else {
            lastPressValid_ = true;
            lastPressWindow_ = target;
            lastPressButton_ = in.button;
            lastPressTime_ = now;
            lastPressPoint_ = in.screen;
            message = left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
        }
    } else {
        message = left ? WM_LBUTTONUP : WM_RBUTTONUP;
    }
    DeliverMouse(target, message, in.screen, ButtonFlags(in.modifiers));
}

void WindowManager::RouteKey(const RawInput& in) {
    const HWND target = active_;
    if (!target || !InputAllowed(target)) return;
    Message msg{target, in.down ? WM_KEYDOWN : WM_KEYUP, in.virtualKey, in.down ? kKeyDownBits : kKeyUpBits};
    Dispatch(msg);
    if (!in.down) return;
    for (char32_t c : DecodeUtf8(in.text)) {
        if (!Find(target)) return;
        Message ch{target, WM_CHAR, static_cast<WPARAM>(c), kKeyDownBits};
        Dispatch(ch);
    }
}

void WindowManager::Exposed(HWND window, const Rect& client) { Invalidate(window, client, false); }

void WindowManager::CloseRequested(HWND window) { Post(window, WM_CLOSE, 0, 0); }

void WindowManager::FocusChanged(HWND window) {
    if (window == active_) return;
    if (window && !InputAllowed(window)) return;
    Activate(window, window ? WA_ACTIVE : WA_INACTIVE, true);
}

void WindowManager::MovedByDesktop(HWND window, const Rect& screen) {
    WindowRecord* rec = Find(window);
    if (!rec || rec->rect == screen) return;
    const bool resized = rec->rect.Width() != screen.Width() || rec->rect.Height() != screen.Height();
    rec->rect = screen;
    Send(window, WM_MOVE, 0, MAKELPARAM(screen.left, screen.top));
    if (resized) Invalidate(window, {0, 0, screen.Width(), screen.Height()}, true);
}

void WindowManager::ConnectionLost() {
    if (connectionLost_) return;
    connectionLost_ = true;
    PostQuit(1);
}

} // namespace vexmo
