#pragma once
// The core's window registry, queue, timers and input router. Internal to src/platform.
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/core/WindowBackend.h"
#include "platform/core/WindowSystem.h"
#include "platform/core/Wnd.h"

namespace vexmo {

class WindowManager final : public EventSink {
public:
    explicit WindowManager(std::unique_ptr<WindowBackend> backend);
    ~WindowManager() override;

    static WindowManager* Current();
    static void SetCurrent(WindowManager* manager);

    WindowBackend& Backend() { return *backend_; }
    Clock& GetClock() { return backend_->GetClock(); }

    WindowRecord* Find(HWND h);
    HWND Create(CWnd& wnd, uint32_t exStyle, const std::string& title, uint32_t style, const Rect& rect, HWND owner,
                uint32_t classStyle);
    void Destroy(HWND h);
    void DestroyAll();

    LRESULT Send(HWND h, uint32_t message, WPARAM w, LPARAM l);
    bool Post(HWND h, uint32_t message, WPARAM w, LPARAM l);
    void PostQuit(int code);
    bool Pump(int* exitCode);
    void PumpReady();

    void Show(HWND h, int command);
    void Move(HWND h, const Rect& rect);
    void SetEnabled(HWND h, bool enabled);
    void SetTopmost(HWND h, bool topmost);
    void StyleChanged(HWND h);
    void Activate(HWND h, WPARAM how, bool fromDesktop = false);
    HWND Active() const { return active_; }

    void Invalidate(HWND h, const Rect& client, bool erase);
    void Validate(HWND h);
    void PaintNow(HWND h);
    void PresentWhole(HWND h, const CCanvas& image, Point screenPos);

    uintptr_t SetTimer(HWND h, uintptr_t id, uint32_t ms);
    bool KillTimer(HWND h, uintptr_t id);

    HWND SetCapture(HWND h);
    void ReleaseCapture();
    HWND Capture() const { return capture_; }
    bool Track(HWND h, uint32_t flags, uint32_t hoverMs);
    void StartDrag(HWND h, Point screen);
    Point Cursor() const { return cursor_; }

    // EventSink
    void PointerMoved(HWND under, Point screen, uint32_t modifiers) override;
    void ButtonChanged(HWND under, Point screen, MouseButton button, bool down, uint32_t modifiers) override;
    void KeyChanged(bool down, uint32_t virtualKey, const std::string& text) override;
    void Exposed(HWND window, const Rect& client) override;
    void CloseRequested(HWND window) override;
    void FocusChanged(HWND window) override;
    void MovedByDesktop(HWND window, const Rect& screen) override;
    void ConnectionLost() override;

    // Stacking order of shown windows, back to front (topmost ones last).
    std::vector<WindowRecord*> StackingOrder();
    HWND WindowAt(Point screen);
    // The earliest due timer or hover report (UINT64_MAX when none).
    uint64_t NextDeadline();

private:
    struct Timer {
        HWND window;
        uintptr_t id;
        uint32_t period;
        uint64_t due;
    };

    void Dispatch(Message& msg);
    bool PreTranslate(Message& msg);
    bool PaintOne();
    bool FireDue(uint64_t now);
    void Raise(HWND h);
    void Restack();
    HWND TopLevelOf(HWND h);
    bool InputAllowed(HWND h);
    void DeliverMouse(HWND target, uint32_t message, Point screen, WPARAM flags);
    void LeaveCheck(HWND under);
    WPARAM ButtonFlags(uint32_t modifiers) const;
    void PresentWorkerDrawing();
    void ActivateSuccessor(HWND leaving);

    std::unique_ptr<WindowBackend> backend_;
    std::map<HWND, std::unique_ptr<WindowRecord>> windows_;
    std::vector<HWND> zorder_; // back to front
    HWND nextHandle_ = 1;

    // Raw input waits in the queue with the posted messages and is routed (capture, focus,
    // double clicks) only when its turn comes, as the system does.
    struct RawInput {
        enum class Kind { Move, Button, Key } kind = Kind::Move;
        HWND under = 0;
        Point screen{};
        MouseButton button = MouseButton::Left;
        bool down = false;
        uint32_t modifiers = 0;
        uint32_t virtualKey = 0;
        std::string text;
    };
    struct QueueItem {
        Message msg;
        bool isInput = false;
        RawInput input;
    };
    void Route(const RawInput& input);
    void RouteMove(const RawInput& input);
    void RouteButton(const RawInput& input);
    void RouteKey(const RawInput& input);
    void Enqueue(QueueItem item);

    std::mutex queueMutex_;
    std::deque<QueueItem> queue_;

    std::vector<Timer> timers_;

    HWND capture_ = 0;
    HWND active_ = 0;
    HWND pointerWindow_ = 0;
    Point cursor_{-1, -1};
    bool leftDown_ = false;
    bool rightDown_ = false;
    // Double-click detection.
    HWND lastPressWindow_ = 0;
    MouseButton lastPressButton_ = MouseButton::Left;
    uint64_t lastPressTime_ = 0;
    Point lastPressPoint_{};
    bool lastPressValid_ = false;
    // A drag the core does itself (no window manager).
    HWND dragWindow_ = 0;
    Point dragOffset_{};
    bool connectionLost_ = false;
};

} // namespace vexmo
