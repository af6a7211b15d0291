#include "platform/core/Wnd.h"

#include "platform/core/WindowManager.h"

namespace vexmo {

namespace {
WindowManager* M() { return WindowManager::Current(); }
Point PointFrom(LPARAM l) { return {GET_X_LPARAM(l), GET_Y_LPARAM(l)}; }
} // namespace

std::string Utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        s.push_back(static_cast<char>(0xC0 | (c >> 6)));
        s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        s.push_back(static_cast<char>(0xE0 | (c >> 12)));
        s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c <= 0x10FFFF) {
        s.push_back(static_cast<char>(0xF0 | (c >> 18)));
        s.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
    return s;
}

CWnd::~CWnd() {
    if (hwnd_ && M()) {
        WindowRecord* rec = M()->Find(hwnd_);
        if (rec) rec->wnd = nullptr; // no handler of a half-destroyed object runs
        M()->Destroy(hwnd_);
    }
}

bool CWnd::CreateEx(uint32_t exStyle, const std::string& title, uint32_t style, const Rect& rect, HWND owner,
                    uint32_t classStyle) {
    if (!M() || hwnd_) return false;
    const HWND h = M()->Create(*this, exStyle, title, style, rect, owner, classStyle);
    if (!h) return false;
    hwnd_ = h;
    if (SendMessage(WM_CREATE) == -1) {
        DestroyWindow();
        return false;
    }
    if (hwnd_ && (style & WS_VISIBLE)) ShowWindow(SW_SHOW);
    return hwnd_ != 0;
}

bool CWnd::DestroyWindow() {
    if (!hwnd_ || !M()) return false;
    M()->Destroy(hwnd_);
    return true;
}

HWND CWnd::GetOwner() const {
    WindowRecord* rec = M() ? M()->Find(hwnd_) : nullptr;
    return rec ? rec->owner : 0;
}

bool CWnd::ShowWindow(int command) {
    WindowRecord* rec = M() ? M()->Find(hwnd_) : nullptr;
    if (!rec) return false;
    const bool was = rec->visible;
    M()->Show(hwnd_, command);
    return was;
}

bool CWnd::IsWindowVisible() const {
    WindowRecord* rec = M() ? M()->Find(hwnd_) : nullptr;
    return rec && rec->visible;
}

bool CWnd::IsIconic() const {
    WindowRecord* rec = M() ? M()->Find(hwnd_) : nullptr;
    return rec && rec->minimized;
}

void CWnd::MoveWindow(const Rect& screenRect, bool repaint) {
    if (!M()) return;
    M()->Move(hwnd_, screenRect);
    if (repaint) Invalidate(true);
}

void CWnd::SetWindowPos(int x, int y) {
    const Rect r = GetWindowRect();
    if (M()) M()->Move(hwnd_, {x, y, x + r.Width(), y + r.Height()});
}

void CWnd::SetWindowSize(int width, int height) {
    const Rect r = GetWindowRect();
    if (M()) M()->Move(hwnd_, {r.left, r.top, r.left + std::max(width, 0), r.top + std::max(height, 0)});
}

Rect CWnd::GetWindowRect() const {
    WindowRecord* rec = M() ? M()->Find(hwnd_) : nullptr;
    return rec ? rec->rect : Rect{};
}

Rect CWnd::GetClientRect() const {
    const Rect r = GetWindowRect();
    return {0, 0, r.Width(), r.Height()};
}

Point CWnd::ClientToScreen(Point p) const {
    const Rect r = GetWindowRect();
    return {p.x + r.left, p.y + r.top};
}

Point CWnd::ScreenToClient(Point p) const {
    const Rect r = GetWindowRect();
    return {p.x - r.left, p.y - r.top};
}

void CWnd::CenterWindow(HWND over) {
    Rect area = GetWorkArea();
    if (WindowRecord* o = M() ? M()->Find(over ? over : GetOwner()) : nullptr; o && o->visible && !o->minimized)
        area = o->rect;
    const Rect r = GetWindowRect();
    SetWindowPos(area.left + (area.Width() - r.Width()) / 2, area.top + (area.Height() - r.Height()) / 2);
}

void CWnd::SetTopmost(bool topmost) {
    if (M()) M()->SetTopmost(hwnd_, topmost);
}

bool CWnd::SetForegroundWindow() {
    WindowRecord* rec = M() ? M()->Find(hwnd_) : nullptr;
    if (!rec || !rec->visible) return false;
    M()->Activate(hwnd_, WA_ACTIVE);
    return true;
}

void CWnd::BringWindowToTop() { SetForegroundWindow(); }

void CWnd::EnableWindow(bool enable) {
    if (M()) M()->SetEnabled(hwnd_, enable);
}

bool CWnd::IsWindowEnabled() const {
    WindowRecord* rec = M() ? M()->Find(hwnd_) : nullptr;
    return rec && rec->enabled;
}

void CWnd::SetWindowText(const std::string& text) {
    WindowRecord* rec = M() ? M()->Find(hwnd_) : nullptr;
    if (!rec) return;
    rec->title = text;
    M()->StyleChanged(hwnd_);
}

std::string CWnd::GetWindowText() const {
    WindowRecord* rec = M() ? M()->Find(hwnd_) : nullptr;
    return rec ? rec->title : std::string();
}

uint32_t CWnd::GetStyle() const {
    WindowRecord* rec = M() ? M()->Find(hwnd_) : nullptr;
    return rec ? rec->style | (rec->visible ? WS_VISIBLE : 0) | (rec->enabled ? 0 : WS_DISABLED) : 0;
}

uint32_t CWnd::GetExStyle() const {
    WindowRecord* rec = M() ? M()->Find(hwnd_) : nullptr;
    return rec ? rec->exStyle : 0;
}

void CWnd::ModifyStyleEx(uint32_t remove, uint32_t add) {
    WindowRecord* rec = M() ? M()->Find(hwnd_) : nullptr;
    if (!rec) return;
    const bool topmostBefore = rec->exStyle & WS_EX_TOPMOST;
    rec->exStyle = (rec->exStyle & ~remove) | add;
    if (topmostBefore != static_cast<bool>(rec->exStyle & WS_EX_TOPMOST)) M()->SetTopmost(hwnd_, rec->exStyle & WS_EX_TOPMOST);
    else M()->StyleChanged(hwnd_);
}

void CWnd::SetIcon(const Image& icon) {
    WindowRecord* rec = M() ? M()->Find(hwnd_) : nullptr;
    if (!rec) return;
    rec->icon = icon;
    M()->StyleChanged(hwnd_);
}

void CWnd::SetLayeredAlpha(uint8_t alpha) {
    WindowRecord* rec = M() ? M()->Find(hwnd_) : nullptr;
    if (!rec) return;
    rec->exStyle |= WS_EX_LAYERED;
    rec->alpha = alpha;
    M()->StyleChanged(hwnd_);
}

void CWnd::UpdateLayered(const CCanvas& image, Point screenPos) {
    WindowRecord* rec = M() ? M()->Find(hwnd_) : nullptr;
    if (!rec) return;
    rec->exStyle |= WS_EX_LAYERED;
    M()->PresentWhole(hwnd_, image, screenPos);
}

void CWnd::Invalidate(bool erase) {
    if (M()) M()->Invalidate(hwnd_, GetClientRect(), erase);
}

void CWnd::InvalidateRect(const Rect& client, bool erase) {
    if (M()) M()->Invalidate(hwnd_, client, erase);
}

void CWnd::ValidateRect() {
    if (M()) M()->Validate(hwnd_);
}

void CWnd::UpdateWindow() {
    if (M()) M()->PaintNow(hwnd_);
}

LRESULT CWnd::SendMessage(uint32_t message, WPARAM wParam, LPARAM lParam) {
    return M() ? M()->Send(hwnd_, message, wParam, lParam) : 0;
}

bool CWnd::PostMessage(uint32_t message, WPARAM wParam, LPARAM lParam) {
    return M() && hwnd_ && M()->Post(hwnd_, message, wParam, lParam);
}

uintptr_t CWnd::SetTimer(uintptr_t id, uint32_t elapseMs) { return M() ? M()->SetTimer(hwnd_, id, elapseMs) : 0; }

bool CWnd::KillTimer(uintptr_t id) { return M() && M()->KillTimer(hwnd_, id); }

HWND CWnd::SetCapture() { return M() ? M()->SetCapture(hwnd_) : 0; }

bool CWnd::TrackMouseEvent(uint32_t flags, uint32_t hoverMs) { return M() && M()->Track(hwnd_, flags, hoverMs); }

bool CWnd::PreTranslateMessage(Message& /*message*/) { return false; }

LRESULT CWnd::DefWindowProc(uint32_t message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_NCACTIVATE:
        return 1;
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCAPTION && M()) M()->StartDrag(hwnd_, M()->Cursor());
        return 0;
    default:
        return 0;
    }
}

LRESULT CWnd::WindowProc(uint32_t message, WPARAM wParam, LPARAM lParam) {
    // Nothing may touch `this` after a handler returns: it may have deleted the object.
    switch (message) {
    case WM_CREATE: return OnCreate();
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_PAINT: OnPaint(*reinterpret_cast<CCanvas*>(wParam)); return 0;
    case WM_ERASEBKGND: return OnEraseBkgnd(*reinterpret_cast<CCanvas*>(wParam)) ? 1 : 0;
    case WM_MOUSEMOVE: OnMouseMove(wParam, PointFrom(lParam)); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(wParam, PointFrom(lParam)); return 0;
    case WM_LBUTTONUP: OnLButtonUp(wParam, PointFrom(lParam)); return 0;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(wParam, PointFrom(lParam)); return 0;
    case WM_RBUTTONDOWN: OnRButtonDown(wParam, PointFrom(lParam)); return 0;
    case WM_RBUTTONUP: OnRButtonUp(wParam, PointFrom(lParam)); return 0;
    case WM_MOUSELEAVE: OnMouseLeave(); return 0;
    case WM_MOUSEHOVER: OnMouseHover(wParam, PointFrom(lParam)); return 0;
    case WM_KEYDOWN: OnKeyDown(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam & 0xFFFF), static_cast<uint32_t>(lParam >> 16)); return 0;
    case WM_KEYUP: OnKeyUp(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam & 0xFFFF), static_cast<uint32_t>((lParam >> 16) & 0xFFFF)); return 0;
    case WM_CHAR: OnChar(static_cast<char32_t>(wParam), static_cast<uint32_t>(lParam & 0xFFFF)); return 0;
    case WM_ACTIVATE: OnActivate(wParam, static_cast<HWND>(lParam)); return 0;
    case WM_NCACTIVATE: return OnNcActivate(wParam != 0) ? 1 : 0;
    case WM_SETFOCUS: OnSetFocus(static_cast<HWND>(wParam)); return 0;
    case WM_KILLFOCUS: OnKillFocus(static_cast<HWND>(wParam)); return 0;
    case WM_CAPTURECHANGED: OnCaptureChanged(static_cast<HWND>(lParam)); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    default: return OnMessage(message, wParam, lParam);
    }
}

} // namespace vexmo
