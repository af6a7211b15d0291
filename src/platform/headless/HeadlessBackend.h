#pragma once
// The in-memory screen: windows, stacking and pixels kept here, input injected by tests,
// time virtual. Behaves like the X11 backend for everything the core decides (message order,
// capture, activation, double clicks, hover), so tests of windows need no display.
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include "platform/core/WindowBackend.h"
#include "platform/headless/VirtualClock.h"

namespace vexmo {

class HeadlessBackend final : public WindowBackend {
public:
    static constexpr Size kDefaultScreen{1920, 1080};
    static constexpr uint64_t kDefaultIdleLimitMs = 10 * 60 * 1000;

    HeadlessBackend();

    VirtualClock& Time() { return clock_; }
    void SetScreenSize(Size size, int taskbarHeight = 40);

    // Input, as the user would give it (UI thread). Points are screen coordinates.
    void MoveMouse(Point screen, uint32_t modifiers = 0);
    void Press(MouseButton button = MouseButton::Left);
    void Release(MouseButton button = MouseButton::Left);
    void Click(Point screen, MouseButton button = MouseButton::Left);
    void KeyDown(uint32_t virtualKey, const std::string& text = {});
    void KeyUp(uint32_t virtualKey);
    void Key(uint32_t virtualKey, const std::string& text = {});

    // Runs `action` once the virtual clock reaches now + delayMs, inside whichever loop is
    // running then (a modal dialog's included). Actions at the same time run in order.
    void Schedule(uint64_t delayMs, std::function<void()> action);
    // Handles everything ready, then lets `ms` of virtual time pass, firing timers, hovers
    // and planned actions in time order.
    void RunFor(uint64_t ms);
    void RunUntilIdle() { RunFor(0); }
    // How long the loop may go without anything planned before it gives up (a loop that
    // waits for input nobody will give must not spin through virtual years).
    void SetIdleLimit(uint64_t ms) { idleLimitMs_ = ms; }

    // What the screen shows: every shown window composed in stacking order over `desktop`.
    CCanvas Screenshot(COLORREF desktop = RGB(0x20, 0x20, 0x20));
    bool SaveScreenshot(const std::filesystem::path& path);
    // The pixels a window last put on the screen (empty before its first frame).
    CCanvas WindowPixels(HWND window);
    int PresentCount(HWND window);
    HWND FocusedWindow() const { return focused_; }
    std::vector<HWND> Stacking() const { return stacking_; }

    // WindowBackend
    Clock& GetClock() override { return clock_; }
    Size ScreenSize() override { return screen_; }
    Rect WorkArea() override { return workArea_; }
    bool CreateNative(WindowRecord& w) override;
    void DestroyNative(WindowRecord& w) override;
    void ShowNative(WindowRecord&, bool) override {}
    void MinimizeNative(WindowRecord&, bool) override {}
    void MoveNative(WindowRecord&) override {}
    void StyleChanged(WindowRecord&) override {}
    void Restack(const std::vector<WindowRecord*>& backToFront) override;
    void Focus(WindowRecord& w) override { focused_ = w.handle; }
    void Present(WindowRecord& w, const Rect& client) override;
    void GrabPointer(WindowRecord* w) override { grab_ = w ? w->handle : 0; }
    bool BeginDesktopDrag(WindowRecord&, Point) override { return false; }
    Point CursorPos() override { return cursor_; }
    void PumpEvents(EventSink& sink) override;
    bool WaitForEvents(uint64_t deadlineMs) override;
    void Wake() override;

private:
    struct Planned {
        uint64_t at;
        uint64_t order;
        std::function<void()> action;
    };
    struct Shown {
        CCanvas pixels;
        int presents = 0;
    };
    EventSink* Sink();
    uint64_t NextPlanned() const;

    VirtualClock clock_;
    Size screen_ = kDefaultScreen;
    Rect workArea_{0, 0, kDefaultScreen.cx, kDefaultScreen.cy - 40};
    Point cursor_{0, 0};
    uint32_t modifiers_ = 0;
    HWND focused_ = 0;
    HWND grab_ = 0;
    std::vector<HWND> stacking_;
    std::map<HWND, Shown> shown_;
    std::vector<Planned> planned_;
    uint64_t plannedCounter_ = 0;
    uint64_t lastActivity_ = 0;
    uint64_t idleLimitMs_ = kDefaultIdleLimitMs;

    std::mutex wakeMutex_;
    std::condition_variable wakeCondition_;
    bool woken_ = false;
};

} // namespace vexmo
