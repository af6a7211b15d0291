#include "platform/headless/HeadlessBackend.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>

#include "platform/core/WindowManager.h"

namespace vexmo {

namespace {
constexpr uint64_t kNever = std::numeric_limits<uint64_t>::max();
// How long a loop with nothing planned waits for another thread's post before giving up.
constexpr auto kCrossThreadGrace = std::chrono::seconds(2);
} // namespace

std::unique_ptr<WindowBackend> CreateHeadlessBackend() { return std::make_unique<HeadlessBackend>(); }

HeadlessBackend* AsHeadless(WindowBackend& backend) { return dynamic_cast<HeadlessBackend*>(&backend); }

HeadlessBackend::HeadlessBackend() { lastActivity_ = clock_.NowMs(); }

void HeadlessBackend::SetScreenSize(Size size, int taskbarHeight) {
    screen_ = size;
    workArea_ = {0, 0, size.cx, std::max(0, size.cy - taskbarHeight)};
}

EventSink* HeadlessBackend::Sink() { return WindowManager::Current(); }

void HeadlessBackend::MoveMouse(Point screen, uint32_t modifiers) {
    cursor_ = screen;
    modifiers_ = modifiers;
    lastActivity_ = clock_.NowMs();
    if (EventSink* sink = Sink()) sink->PointerMoved(EventSink::kUnknownWindow, screen, modifiers);
}

void HeadlessBackend::Press(MouseButton button) {
    lastActivity_ = clock_.NowMs();
    if (EventSink* sink = Sink()) sink->ButtonChanged(EventSink::kUnknownWindow, cursor_, button, true, modifiers_);
}

void HeadlessBackend::Release(MouseButton button) {
    lastActivity_ = clock_.NowMs();
    if (EventSink* sink = Sink()) sink->ButtonChanged(EventSink::kUnknownWindow, cursor_, button, false, modifiers_);
}

void HeadlessBackend::Click(Point screen, MouseButton button) {
    MoveMouse(screen, modifiers_);
    Press(button);
    Release(button);
}

void HeadlessBackend::KeyDown(uint32_t virtualKey, const std::string& text) {
    lastActivity_ = clock_.NowMs();
    if (EventSink* sink = Sink()) sink->KeyChanged(true, virtualKey, text);
}

void HeadlessBackend::KeyUp(uint32_t virtualKey) {
    lastActivity_ = clock_.NowMs();
    if (EventSink* sink = Sink()) sink->KeyChanged(false, virtualKey, {});
}

void HeadlessBackend::Key(uint32_t virtualKey, const std::string& text) {
    KeyDown(virtualKey, text);
    KeyUp(virtualKey);
}

void HeadlessBackend::Schedule(uint64_t delayMs, std::function<void()> action) {
    planned_.push_back({clock_.NowMs() + delayMs, plannedCounter_++, std::move(action)});
}

uint64_t HeadlessBackend::NextPlanned() const {
    uint64_t next = kNever;
    for (const Planned& p : planned_) next = std::min(next, p.at);
    return next;
}

void HeadlessBackend::PumpEvents(EventSink& /*sink*/) {
    // Planned actions that are due, earliest (then first planned) first. An action may plan
    // more; those wait for the next pump.
    while (true) {
        const uint64_t now = clock_.NowMs();
        auto due = planned_.end();
        for (auto it = planned_.begin(); it != planned_.end(); ++it)
            if (it->at <= now && (due == planned_.end() || std::tie(it->at, it->order) < std::tie(due->at, due->order)))
                due = it;
        if (due == planned_.end()) return;
        std::function<void()> action = std::move(due->action);
        planned_.erase(due);
        lastActivity_ = now;
        action();
    }
}

bool HeadlessBackend::WaitForEvents(uint64_t deadlineMs) {
    {
        std::unique_lock lock(wakeMutex_);
        if (woken_) {
            woken_ = false;
            return true;
        }
    }
    const uint64_t planned = NextPlanned();
    const uint64_t next = std::min(deadlineMs, planned);
    if (next == kNever || (planned == kNever && next > lastActivity_ + idleLimitMs_)) {
        // Only another thread could still post something.
        std::unique_lock lock(wakeMutex_);
        if (wakeCondition_.wait_for(lock, kCrossThreadGrace, [this] { return woken_; })) {
            woken_ = false;
            return true;
        }
        std::fputs("headless: the loop waits for input that nothing is going to give; ending it\n", stderr);
        return false;
    }
    clock_.AdvanceTo(next);
    return true;
}

void HeadlessBackend::Wake() {
    {
        std::lock_guard lock(wakeMutex_);
        woken_ = true;
    }
    wakeCondition_.notify_all();
}

void HeadlessBackend::RunFor(uint64_t ms) {
    WindowManager* m = WindowManager::Current();
    if (!m) return;
    const uint64_t target = clock_.NowMs() + ms;
    while (true) {
        m->PumpReady();
        const uint64_t next = std::min(m->NextDeadline(), NextPlanned());
        if (next > target) break;
        clock_.AdvanceTo(next);
    }
    clock_.AdvanceTo(target);
    m->PumpReady();
    std::lock_guard lock(wakeMutex_);
    woken_ = false;
}

bool HeadlessBackend::CreateNative(WindowRecord& w) {
    shown_[w.handle] = {};
    return true;
}

void HeadlessBackend::DestroyNative(WindowRecord& w) {
    shown_.erase(w.handle);
    std::erase(stacking_, w.handle);
    if (focused_ == w.handle) focused_ = 0;
    if (grab_ == w.handle) grab_ = 0;
}

void HeadlessBackend::Restack(const std::vector<WindowRecord*>& backToFront) {
    stacking_.clear();
    for (WindowRecord* r : backToFront) stacking_.push_back(r->handle);
}

void HeadlessBackend::Present(WindowRecord& w, const Rect& client) {
    Shown& shown = shown_[w.handle];
    std::lock_guard lock(w.surface->mutex);
    const CCanvas& src = w.surface->canvas;
    if (shown.pixels.Width() != src.Width() || shown.pixels.Height() != src.Height()) {
        shown.pixels.Create(src.Width(), src.Height());
        shown.pixels.BitBlt(0, 0, src.Width(), src.Height(), src, 0, 0);
    } else {
        shown.pixels.BitBlt(client.left, client.top, client.Width(), client.Height(), src, client.left, client.top);
    }
    ++shown.presents;
}

CCanvas HeadlessBackend::WindowPixels(HWND window) {
    auto it = shown_.find(window);
    return it == shown_.end() ? CCanvas() : it->second.pixels;
}

int HeadlessBackend::PresentCount(HWND window) {
    auto it = shown_.find(window);
    return it == shown_.end() ? 0 : it->second.presents;
}

CCanvas HeadlessBackend::Screenshot(COLORREF desktop) {
    CCanvas screen(screen_.cx, screen_.cy);
    screen.FillSolidRect(screen.Bounds(), desktop);
    WindowManager* m = WindowManager::Current();
    if (!m) return screen;
    for (WindowRecord* rec : m->StackingOrder()) {
        if (rec->minimized) continue;
        auto it = shown_.find(rec->handle);
        if (it == shown_.end() || it->second.pixels.IsEmpty()) continue;
        const CCanvas& px = it->second.pixels;
        if ((rec->exStyle & WS_EX_LAYERED) && rec->alpha < 255) {
            const Image img = px.ToImage();
            const auto w = static_cast<float>(px.Width()), h = static_cast<float>(px.Height());
            screen.DrawImageAlpha(img, {static_cast<float>(rec->rect.left), static_cast<float>(rec->rect.top), w, h},
                                  {0, 0, w, h}, rec->alpha);
        } else {
            screen.BitBlt(rec->rect.left, rec->rect.top, px.Width(), px.Height(), px, 0, 0);
        }
    }
    return screen;
}

bool HeadlessBackend::SaveScreenshot(const std::filesystem::path& path) {
    return WritePngFile(Screenshot().ToImage(), path);
}

} // namespace vexmo
