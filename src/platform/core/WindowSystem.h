#pragma once
// The window system front: choosing a backend, queue and loop, messages, capture, focus,
// screen facts. Everything here runs on the user-interface thread except PostMessage,
// PostQuitMessage and the worker-side CClientDC.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/Messages.h"
#include "platform/core/Types.h"
#include "platform/core/WindowBackend.h"

namespace vexmo {

class HeadlessBackend;

enum class WindowSystemKind { X11, Headless };

// Starts the window system. X11 needs a reachable display; on failure `whyNot` says why
// (one line for the user) and nothing else is touched.
bool InitWindowSystem(WindowSystemKind kind, std::string* whyNot = nullptr);
// Destroys every window and the backend. Safe to call when nothing was started.
void ShutdownWindowSystem();
bool WindowSystemRunning();
WindowBackend& Backend();
// The headless screen when that backend runs, else null.
HeadlessBackend* Headless();
// The clock timers and pauses run on: the backend's (virtual when headless), else steady.
Clock& PlatformClock();

// Messages.
LRESULT SendMessage(HWND window, uint32_t message, WPARAM wParam = 0, LPARAM lParam = 0);
bool PostMessage(HWND window, uint32_t message, WPARAM wParam = 0, LPARAM lParam = 0);
void PostQuitMessage(int exitCode);
bool IsWindow(HWND window);
CWnd* FromHandle(HWND window);

// One step of the loop: a queued message, else a paint, else a due timer or hover, else
// wait. False on WM_QUIT (its code in exitCode) or when nothing can happen any more.
bool PumpMessage(int* exitCode = nullptr);
// Runs until WM_QUIT; returns its code. (Also ends, returning -1, when nothing can happen.)
int RunMessageLoop();
// Handles whatever is ready now without waiting (paints and due timers included).
void PumpPendingMessages();

// Returns once the screen shows everything painted so far (tests, start-up timing).
void SyncWindowSystem();

// Mouse capture and focus.
HWND GetCapture();
void ReleaseCapture();
HWND GetActiveWindow();
HWND GetForegroundWindow();
Point GetCursorPos();

// The screen.
Size GetScreenSize();
Rect GetWorkArea();
// Logical pixels per inch (for the text scale factor: dpi / 96).
int GetLogicalDpi();

// Double clicks: presses this close in time (ms) and place (pixels either way).
constexpr uint32_t kDoubleClickMs = 500;
constexpr int kDoubleClickSlop = 2;
// Pointer travel that restarts the hover time.
constexpr int kHoverSlop = 2;

// UI thread: the pixels of a window for a worker's CClientDC; null when gone.
std::shared_ptr<WindowSurface> WindowSurfaceOf(HWND window);

// Draws into a window from any thread, outside WM_PAINT (what a worker thread's own
// device context does). Holds the window's pixels for its lifetime; what was drawn reaches
// the screen right after. A handle that is gone gives an empty canvas, safely.
class CClientDC {
public:
    // UI thread: the window's pixels by handle.
    explicit CClientDC(HWND window);
    // Any thread: pixels taken earlier on the UI thread with WindowSurfaceOf(); they stay
    // valid (and harmless to draw into) even after the window is gone.
    explicit CClientDC(std::shared_ptr<WindowSurface> surface);
    ~CClientDC();
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    CCanvas& Canvas() { return surface_ ? surface_->canvas : empty_; }

private:
    std::shared_ptr<WindowSurface> surface_;
    CCanvas empty_;
};

} // namespace vexmo
