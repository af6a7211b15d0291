#pragma once
// CWnd: a top-level window and its message handlers. Typed virtual handlers for the system
// events, OnMessage for every other number (control notifications use the control's id).
// The object owns its window: destroying the object destroys the window. A window whose
// object must outlive its handler (popups) deletes itself in PostNcDestroy.
#include <cstdint>
#include <string>

#include "platform/core/Canvas.h"
#include "platform/core/Messages.h"
#include "platform/core/Types.h"

namespace vexmo {

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Creates the window at `rect` (screen coordinates; the client area is the whole
    // window). Sends WM_CREATE; a handler answering -1 destroys it again and gives false.
    bool CreateEx(uint32_t exStyle, const std::string& title, uint32_t style, const Rect& rect, HWND owner = 0,
                  uint32_t classStyle = CS_DBLCLKS);
    bool DestroyWindow();
    HWND GetSafeHwnd() const { return hwnd_; }
    HWND Handle() const { return hwnd_; }
    HWND GetOwner() const;

    // Visibility and placement.
    bool ShowWindow(int command);
    bool IsWindowVisible() const;
    bool IsIconic() const;
    bool IsZoomed() const { return false; } // borderless windows are never maximised here
    void MoveWindow(const Rect& screenRect, bool repaint = true);
    void SetWindowPos(int x, int y);
    void SetWindowSize(int width, int height);
    Rect GetWindowRect() const;
    Rect GetClientRect() const;
    Point ClientToScreen(Point p) const;
    Point ScreenToClient(Point p) const;
    void CenterWindow(HWND over = 0);
    void SetTopmost(bool topmost);
    bool SetForegroundWindow();
    void BringWindowToTop();
    void EnableWindow(bool enable);
    bool IsWindowEnabled() const;
    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    uint32_t GetStyle() const;
    uint32_t GetExStyle() const;
    void ModifyStyleEx(uint32_t remove, uint32_t add);
    // The window's icon (both sizes: the desktop scales the one picture).
    void SetIcon(const Image& icon);
    // Constant alpha for a layered window (255 = opaque).
    void SetLayeredAlpha(uint8_t alpha);
    // Shows `image` as the window's whole content at `screenPos` (an opaque layered window):
    // the window takes the image's size.
    void UpdateLayered(const CCanvas& image, Point screenPos);

    // Painting: invalid areas are painted once the queue is empty, or now by UpdateWindow.
    void Invalidate(bool erase = true);
    void InvalidateRect(const Rect& client, bool erase = true);
    void ValidateRect();
    void UpdateWindow();

    // Messages to this window.
    LRESULT SendMessage(uint32_t message, WPARAM wParam = 0, LPARAM lParam = 0);
    bool PostMessage(uint32_t message, WPARAM wParam = 0, LPARAM lParam = 0);

    // Timers: WM_TIMER with wParam = id every `elapseMs`; setting a running id restarts it.
    uintptr_t SetTimer(uintptr_t id, uint32_t elapseMs);
    bool KillTimer(uintptr_t id);

    HWND SetCapture();
    // Leave and hover reports (TME_LEAVE, TME_HOVER; TME_CANCEL to stop). The hover report
    // comes once the pointer rests `hoverMs` within a few pixels; then hover tracking ends.
    bool TrackMouseEvent(uint32_t flags, uint32_t hoverMs = HOVER_DEFAULT);

    // The whole dispatch; override to see every message first.
    virtual LRESULT WindowProc(uint32_t message, WPARAM wParam, LPARAM lParam);
    // Key and mouse messages pass here (the target window's, then its owners') before they
    // are dispatched; true swallows the message.
    virtual bool PreTranslateMessage(Message& message);

protected:
    // What the system does with a message nobody handled: WM_CLOSE destroys the window,
    // WM_NCLBUTTONDOWN with HTCAPTION drags it, WM_NCACTIVATE answers TRUE.
    LRESULT DefWindowProc(uint32_t message, WPARAM wParam, LPARAM lParam);

    virtual int OnCreate() { return 0; }
    virtual void OnDestroy() {}
    // dc is the window's pixels with the invalid area as clip.
    virtual void OnPaint(CCanvas& /*dc*/) {}
    // True when the background was erased; by default nothing is.
    virtual bool OnEraseBkgnd(CCanvas& /*dc*/) { return false; }
    virtual void OnMouseMove(WPARAM /*flags*/, Point /*point*/) {}
    virtual void OnLButtonDown(WPARAM /*flags*/, Point /*point*/) {}
    virtual void OnLButtonUp(WPARAM /*flags*/, Point /*point*/) {}
    virtual void OnLButtonDblClk(WPARAM /*flags*/, Point /*point*/) {}
    virtual void OnRButtonDown(WPARAM /*flags*/, Point /*point*/) {}
    virtual void OnRButtonUp(WPARAM /*flags*/, Point /*point*/) {}
    virtual void OnMouseLeave() {}
    virtual void OnMouseHover(WPARAM /*flags*/, Point /*point*/) {}
    virtual void OnKeyDown(uint32_t /*virtualKey*/, uint32_t /*repeat*/, uint32_t /*flags*/) {}
    virtual void OnKeyUp(uint32_t /*virtualKey*/, uint32_t /*repeat*/, uint32_t /*flags*/) {}
    // One typed character (a Unicode code point); Utf8() of it for text.
    virtual void OnChar(char32_t /*character*/, uint32_t /*repeat*/) {}
    virtual void OnActivate(WPARAM /*state*/, HWND /*other*/) {}
    // Return TRUE to let the change happen (the default).
    virtual bool OnNcActivate(bool /*active*/) { return true; }
    virtual void OnSetFocus(HWND /*previous*/) {}
    virtual void OnKillFocus(HWND /*next*/) {}
    virtual void OnCaptureChanged(HWND /*newCapture*/) {}
    virtual void OnClose() { DestroyWindow(); }
    virtual void OnTimer(uintptr_t /*id*/) {}
    // Everything without a typed handler, control notifications included.
    virtual LRESULT OnMessage(uint32_t message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProc(message, wParam, lParam);
    }
    // Called after the window is gone; `delete this` is allowed here.
    virtual void PostNcDestroy() {}

private:
    friend class WindowManager;
    HWND hwnd_ = 0;
};

// UTF-8 of one code point.
std::string Utf8(char32_t codepoint);

} // namespace vexmo
