#include "platform/core/WindowSystem.h"

#include "platform/core/WindowManager.h"

namespace vexmo {

// Backend factories live with their backends.
std::unique_ptr<WindowBackend> CreateHeadlessBackend();
std::unique_ptr<WindowBackend> CreateX11Backend(std::string* whyNot);
HeadlessBackend* AsHeadless(WindowBackend& backend);

namespace {
WindowManager* Manager() { return WindowManager::Current(); }
} // namespace

bool InitWindowSystem(WindowSystemKind kind, std::string* whyNot) {
    if (Manager()) {
        if (whyNot) *whyNot = "the window system is already running";
        return false;
    }
    std::unique_ptr<WindowBackend> backend =
        kind == WindowSystemKind::Headless ? CreateHeadlessBackend() : CreateX11Backend(whyNot);
    if (!backend) return false;
    WindowManager::SetCurrent(new WindowManager(std::move(backend)));
    return true;
}

void ShutdownWindowSystem() {
    WindowManager* manager = Manager();
    if (!manager) return;
    manager->DestroyAll();
    WindowManager::SetCurrent(nullptr);
    delete manager;
}

bool WindowSystemRunning() { return Manager() != nullptr; }

WindowBackend& Backend() { return Manager()->Backend(); }

HeadlessBackend* Headless() { return Manager() ? AsHeadless(Manager()->Backend()) : nullptr; }

Clock& PlatformClock() { return Manager() ? Manager()->GetClock() : SteadyClock(); }

LRESULT SendMessage(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam) {
    return Manager() ? Manager()->Send(window, message, wParam, lParam) : 0;
}

bool PostMessage(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam) {
    return Manager() && Manager()->Post(window, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    if (Manager()) Manager()->PostQuit(exitCode);
}

bool IsWindow(HWND window) {
    if (!Manager()) return false;
    WindowRecord* rec = Manager()->Find(window);
    return rec && !rec->destroying;
}

CWnd* FromHandle(HWND window) {
    if (!Manager()) return nullptr;
    WindowRecord* rec = Manager()->Find(window);
    return rec ? rec->wnd : nullptr;
}

bool PumpMessage(int* exitCode) {
    if (!Manager()) {
        if (exitCode) *exitCode = -1;
        return false;
    }
    return Manager()->Pump(exitCode);
}

int RunMessageLoop() {
    int code = 0;
    while (PumpMessage(&code)) {
    }
    return code;
}

void PumpPendingMessages() {
    if (Manager()) Manager()->PumpReady();
}

void SyncWindowSystem() {
    if (Manager()) Manager()->Backend().Sync();
}

HWND GetCapture() { return Manager() ? Manager()->Capture() : 0; }
void ReleaseCapture() {
    if (Manager()) Manager()->ReleaseCapture();
}
HWND GetActiveWindow() { return Manager() ? Manager()->Active() : 0; }
HWND GetForegroundWindow() { return GetActiveWindow(); }
Point GetCursorPos() { return Manager() ? Manager()->Backend().CursorPos() : Point{}; }
Size GetScreenSize() { return Manager() ? Manager()->Backend().ScreenSize() : Size{}; }
int GetLogicalDpi() { return Manager() ? Manager()->Backend().LogicalDpi() : 96; }
Rect GetWorkArea() { return Manager() ? Manager()->Backend().WorkArea() : Rect{}; }

std::shared_ptr<WindowSurface> WindowSurfaceOf(HWND window) {
    WindowRecord* rec = Manager() ? Manager()->Find(window) : nullptr;
    return rec ? rec->surface : nullptr;
}

CClientDC::CClientDC(HWND window) : CClientDC(WindowSurfaceOf(window)) {}

CClientDC::CClientDC(std::shared_ptr<WindowSurface> surface) : surface_(std::move(surface)) {
    if (!surface_) return;
    surface_->mutex.lock();
    surface_->canvas.ResetClip();
}

CClientDC::~CClientDC() {
    if (!surface_) return;
    surface_->pendingPresent = surface_->pendingPresent.Union(surface_->canvas.Bounds());
    surface_->mutex.unlock();
    if (Manager()) Manager()->Backend().Wake();
}

} // namespace vexmo
