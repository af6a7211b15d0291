#pragma once
// CEditBox: a single-line edit control inside one of our windows (the role of the system's
// native edit box in the dialogs). It has no window of its own: the owner hands it its
// messages (RouteMessage, after the owner's own pre-translation has had them) and paints it
// (Paint, after its own background). The box keeps the text, caret and selection, takes typed
// Unicode text, Backspace, Delete, arrows, Home, End, Shift selection, mouse selection and
// the clipboard keys (Ctrl+C, Ctrl+X, Ctrl+V, Ctrl+A, Shift+Delete, Shift+Insert,
// Ctrl+Insert), and reports each change of the text to the owner by SendMessage(id, 0,
// EN_CHANGE). Font and colours are set by the owner. UI thread only; the owner outlives it.
#include <cstdint>
#include <string>

#include "platform/core/Canvas.h"
#include "platform/core/Font.h"
#include "platform/core/Messages.h"
#include "platform/core/Wnd.h"

namespace vexmo {

constexpr uint32_t ES_LEFT = 0x0000;
constexpr uint32_t ES_CENTER = 0x0001;
constexpr uint32_t WS_CHILD = 0x40000000;
constexpr uint32_t WS_TABSTOP = 0x00010000;
constexpr LPARAM EN_SETFOCUS = 0x0100;
constexpr LPARAM EN_KILLFOCUS = 0x0200;
constexpr LPARAM EN_CHANGE = 0x0300;

class CEditBox {
public:
    // `rect` is in the owner's client coordinates. WS_VISIBLE in `style` shows it at once.
    bool Create(uint32_t style, const Rect& rect, CWnd* owner, uint32_t id);
    uint32_t GetDlgCtrlID() const { return id_; }
    CWnd* Owner() const { return owner_; }

    // Text (UTF-8). Setting it puts the caret at the start and reports EN_CHANGE, like the
    // system's edit box.
    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    int GetWindowTextLength() const { return static_cast<int>(text_.size()); }

    // Selection in characters; end -1 means the end of the text. The caret sits at `end`.
    void SetSel(int start, int end);
    void GetSel(int& start, int& end) const;
    // Replaces the selection (or inserts at the caret) and reports EN_CHANGE.
    void ReplaceSel(const std::string& text);
    void Copy() const;
    void Cut();
    void Paste();
    void Clear();

    // The WM_CTLCOLOR role: the owner decides; the font must outlive the box.
    void SetFont(const CFont* font);
    void SetColors(COLORREF text, COLORREF background);

    void ShowWindow(int command);
    bool IsWindowVisible() const { return visible_; }
    void MoveWindow(const Rect& rect);
    Rect GetRect() const { return rect_; }
    void EnableWindow(bool enable);

    // Keyboard focus among the owner's parts: only a focused box takes keys.
    void SetFocus();
    void KillFocus();
    bool HasFocus() const { return focused_; }

    // Hands the box one of the owner's messages; true when the box used it up. A press
    // elsewhere in the owner takes the focus away (and is not used up).
    bool RouteMessage(const Message& message);
    void Paint(CCanvas& dc);

    // The character index nearest to x (owner client coordinates), for mouse placement.
    int IndexAtX(int x) const;

private:
    bool OnKeyDown(uint32_t key);
    bool OnChar(char32_t c);
    void MoveCaret(int index, bool extend);
    void Replace(int from, int to, const std::u32string& with);
    void Changed();
    void Redraw();
    int Selection(int& from, int& to) const;
    int TextLeft() const;
    int AdvanceTo(int index) const;

    CWnd* owner_ = nullptr;
    uint32_t id_ = 0;
    uint32_t style_ = 0;
    Rect rect_;
    bool visible_ = false;
    bool enabled_ = true;
    bool focused_ = false;
    bool mouseSelecting_ = false;
    bool shiftDown_ = false;
    bool controlDown_ = false;
    const CFont* font_ = nullptr;
    CFont defaultFont_;
    COLORREF textColour_ = RGB(0, 0, 0);
    COLORREF backColour_ = RGB(255, 255, 255);
    std::u32string text_;
    int caret_ = 0;
    int anchor_ = 0;
    mutable int scroll_ = 0; // pixels the text is moved left so the caret stays in view (kept by painting)
};

} // namespace vexmo
