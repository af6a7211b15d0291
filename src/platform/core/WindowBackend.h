#pragma once
// What a window-system backend provides (X11, headless; Win32 later). The shared core in
// WindowSystem.cpp owns every window's state, the queue, timers, capture, activation and
// input translation; a backend only mirrors windows on its screen and reports raw input.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/Clock.h"
#include "platform/core/Canvas.h"
#include "platform/core/Types.h"

namespace vexmo {

class CWnd;

// A window's pixels. The UI thread paints into it; a worker may draw through CClientDC.
// Guarded by `mutex` because of that one worker; `pendingPresent` collects what a worker
// drew so the UI thread shows it.
struct WindowSurface {
    std::recursive_mutex mutex; // a paint handler may open a CClientDC on its own window
    CCanvas canvas;
    Rect pendingPresent;
};

struct WindowRecord {
    HWND handle = 0;
    CWnd* wnd = nullptr;
    HWND owner = 0;
    Rect rect;               // screen coordinates; the client area is the whole window
    std::string title;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    uint32_t classStyle = 0;
    bool visible = false;
    bool minimized = false;
    bool enabled = true;
    bool destroying = false;
    uint8_t alpha = 255;     // constant alpha of a layered window
    Image icon;              // for the taskbar and the window switcher
    std::shared_ptr<WindowSurface> surface = std::make_shared<WindowSurface>();
    Rect invalid;            // client coordinates
    bool eraseBackground = false;
    // TrackMouseEvent state.
    uint32_t trackFlags = 0;
    uint32_t hoverMs = 0;
    Point hoverAnchor{-1, -1};
    uint64_t hoverDue = 0;
    void* native = nullptr;  // the backend's own data
};

enum class MouseButton { Left, Right };

// How a backend reports native events; implemented by the core. UI thread only.
class EventSink {
public:
    static constexpr HWND kUnknownWindow = 0xFFFFFFFF; // let the core hit-test
    virtual ~EventSink() = default;
    virtual void PointerMoved(HWND under, Point screen, uint32_t modifiers) = 0;
    virtual void ButtonChanged(HWND under, Point screen, MouseButton button, bool down, uint32_t modifiers) = 0;
    // `text` is the UTF-8 the key types (empty for keys that type nothing).
    virtual void KeyChanged(bool down, uint32_t virtualKey, const std::string& text) = 0;
    virtual void Exposed(HWND window, const Rect& client) = 0;
    virtual void CloseRequested(HWND window) = 0;
    // The desktop (a window manager) gave our window the focus, or took it away (0).
    virtual void FocusChanged(HWND window) = 0;
    virtual void MovedByDesktop(HWND window, const Rect& screen) = 0;
    virtual void ConnectionLost() = 0;
};

class WindowBackend {
public:
    virtual ~WindowBackend() = default;
    virtual Clock& GetClock() = 0;
    virtual Size ScreenSize() = 0;
    virtual Rect WorkArea() = 0;
    // Logical pixels per inch of the screen (96 unless the desktop says otherwise).
    virtual int LogicalDpi() { return 96; }

    virtual bool CreateNative(WindowRecord& w) = 0;
    virtual void DestroyNative(WindowRecord& w) = 0;
    virtual void ShowNative(WindowRecord& w, bool show) = 0;
    virtual void MinimizeNative(WindowRecord& w, bool minimized) = 0;
    virtual void MoveNative(WindowRecord& w) = 0;     // w.rect changed
    virtual void StyleChanged(WindowRecord& w) = 0;   // topmost, alpha, title
    // Stacking order, back to front, of every shown window.
    virtual void Restack(const std::vector<WindowRecord*>& backToFront) = 0;
    virtual void Focus(WindowRecord& w) = 0;
    virtual void Present(WindowRecord& w, const Rect& client) = 0;
    virtual void GrabPointer(WindowRecord* w) = 0;    // null releases
    // Starts a window drag by the desktop's own means; false when the core must move it.
    virtual bool BeginDesktopDrag(WindowRecord& w, Point screen) = 0;
    virtual Point CursorPos() = 0;

    // Delivers pending native events; never blocks.
    virtual void PumpEvents(EventSink& sink) = 0;
    // Blocks until a native event, Wake() or the clock reaches `deadlineMs` (UINT64_MAX for
    // none). False when nothing can ever arrive (the headless screen with nothing planned).
    virtual bool WaitForEvents(uint64_t deadlineMs) = 0;
    // Any thread.
    virtual void Wake() = 0;
    // Returns once the screen shows everything sent to it so far.
    virtual void Sync() {}
};

} // namespace vexmo
