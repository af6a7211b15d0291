#include "platform/desktop/EditBox.h"

#include <algorithm>

#include "platform/core/TextLayout.h"
#include "platform/core/VirtualKeys.h"
#include "platform/core/WindowSystem.h"
#include "platform/desktop/Clipboard.h"

namespace vexmo {
namespace {

constexpr int kPadding = 2;
constexpr COLORREF kSelectionBack = RGB(0x33, 0x99, 0xFF);
constexpr COLORREF kSelectionText = RGB(0xFF, 0xFF, 0xFF);
constexpr int kDefaultFontHeight = 16;
constexpr char kDefaultFace[] = "Tahoma";

std::string ToUtf8(std::u32string_view text) {
    std::string out;
    for (const char32_t c : text)
        out += Utf8(c);
    return out;
}

bool IsShift(uint32_t key) {
    return key == VK_SHIFT || key == VK_LSHIFT || key == VK_RSHIFT;
}
bool IsControl(uint32_t key) {
    return key == VK_CONTROL || key == VK_LCONTROL || key == VK_RCONTROL;
}

// Line breaks and other control characters never enter a single-line box.
std::u32string SingleLine(std::u32string text) {
    std::erase_if(text, [](char32_t c) { return c < 0x20 || c == 0x7F; });
    return text;
}

} // namespace

bool CEditBox::Create(uint32_t style, const Rect& rect, CWnd* owner, uint32_t id) {
    if (!owner)
        return false;
    owner_ = owner;
    id_ = id;
    style_ = style;
    rect_ = rect;
    visible_ = (style & WS_VISIBLE) != 0;
    if (!defaultFont_.IsValid())
        defaultFont_.Create(kDefaultFontHeight, kDefaultFace);
    Redraw();
    return true;
}

void CEditBox::SetWindowText(const std::string& text) {
    text_ = SingleLine(DecodeUtf8(text));
    caret_ = anchor_ = 0;
    scroll_ = 0;
    Changed();
}

std::string CEditBox::GetWindowText() const {
    return ToUtf8(text_);
}

void CEditBox::SetSel(int start, int end) {
    const int length = static_cast<int>(text_.size());
    auto clamp = [&](int v) { return v < 0 ? length : std::min(v, length); };
    anchor_ = start < 0 ? 0 : clamp(start); // (-1, 0) removes the selection, as the system does
    caret_ = clamp(end);
    if (start < 0)
        anchor_ = caret_;
    Redraw();
}

void CEditBox::GetSel(int& start, int& end) const {
    Selection(start, end);
}

int CEditBox::Selection(int& from, int& to) const {
    from = std::min(caret_, anchor_);
    to = std::max(caret_, anchor_);
    return to - from;
}

void CEditBox::ReplaceSel(const std::string& text) {
    int from = 0, to = 0;
    Selection(from, to);
    Replace(from, to, SingleLine(DecodeUtf8(text)));
}

void CEditBox::Copy() const {
    int from = 0, to = 0;
    if (Selection(from, to) == 0)
        return;
    SetClipboardText(
        ToUtf8(std::u32string_view(text_).substr(static_cast<size_t>(from), static_cast<size_t>(to - from))));
}

void CEditBox::Cut() {
    Copy();
    Clear();
}

void CEditBox::Paste() {
    const std::optional<std::string> text = GetClipboardText();
    if (text && !text->empty())
        ReplaceSel(*text);
}

void CEditBox::Clear() {
    int from = 0, to = 0;
    if (Selection(from, to) > 0)
        Replace(from, to, {});
}

void CEditBox::Replace(int from, int to, const std::u32string& with) {
    if (from == to && with.empty())
        return;
    text_.replace(static_cast<size_t>(from), static_cast<size_t>(to - from), with);
    caret_ = anchor_ = from + static_cast<int>(with.size());
    Changed();
}

void CEditBox::Changed() {
    Redraw();
    if (owner_ && owner_->GetSafeHwnd())
        owner_->SendMessage(id_, 0, EN_CHANGE);
}

void CEditBox::SetFont(const CFont* font) {
    font_ = font;
    Redraw();
}

void CEditBox::SetColors(COLORREF text, COLORREF background) {
    textColour_ = text;
    backColour_ = background;
    Redraw();
}

void CEditBox::ShowWindow(int command) {
    const bool show = command != SW_HIDE;
    if (show == visible_)
        return;
    visible_ = show;
    if (!show)
        KillFocus();
    if (owner_ && owner_->GetSafeHwnd())
        owner_->InvalidateRect(rect_, false);
}

void CEditBox::MoveWindow(const Rect& rect) {
    if (owner_ && owner_->GetSafeHwnd())
        owner_->InvalidateRect(rect_, false);
    rect_ = rect;
    Redraw();
}

void CEditBox::EnableWindow(bool enable) {
    enabled_ = enable;
    if (!enable)
        KillFocus();
    Redraw();
}

void CEditBox::SetFocus() {
    if (focused_ || !visible_ || !enabled_)
        return;
    focused_ = true;
    shiftDown_ = controlDown_ = false;
    Redraw();
    if (owner_ && owner_->GetSafeHwnd())
        owner_->SendMessage(id_, 0, EN_SETFOCUS);
}

void CEditBox::KillFocus() {
    if (!focused_)
        return;
    focused_ = false;
    mouseSelecting_ = false;
    Redraw();
    if (owner_ && owner_->GetSafeHwnd())
        owner_->SendMessage(id_, 0, EN_KILLFOCUS);
}

bool CEditBox::RouteMessage(const Message& m) {
    if (!visible_ || !enabled_)
        return false;
    const Point p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
    switch (m.message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!rect_.Contains(p)) {
            KillFocus();
            return false;
        }
        SetFocus();
        if (m.message == WM_LBUTTONDBLCLK) {
            SetSel(0, -1);
            return true;
        }
        MoveCaret(IndexAtX(p.x), (m.wParam & MK_SHIFT) != 0);
        mouseSelecting_ = true;
        owner_->SetCapture();
        return true;
    case WM_MOUSEMOVE:
        if (!mouseSelecting_)
            return false;
        MoveCaret(IndexAtX(p.x), true);
        return true;
    case WM_LBUTTONUP:
        if (!mouseSelecting_)
            return false;
        mouseSelecting_ = false;
        if (GetCapture() == owner_->GetSafeHwnd())
            ReleaseCapture();
        return true;
    case WM_KEYDOWN:
        return focused_ && OnKeyDown(static_cast<uint32_t>(m.wParam));
    case WM_KEYUP:
        if (!focused_)
            return false;
        if (IsShift(static_cast<uint32_t>(m.wParam)))
            shiftDown_ = false;
        if (IsControl(static_cast<uint32_t>(m.wParam)))
            controlDown_ = false;
        return true;
    case WM_CHAR:
        return focused_ && OnChar(static_cast<char32_t>(m.wParam));
    case WM_KILLFOCUS:
        KillFocus();
        return false;
    default:
        return false;
    }
}

bool CEditBox::OnKeyDown(uint32_t key) {
    const int length = static_cast<int>(text_.size());
    int from = 0, to = 0;
    const bool selected = Selection(from, to) > 0;
    if (IsShift(key))
        shiftDown_ = true;
    if (IsControl(key))
        controlDown_ = true;
    switch (key) {
    case VK_LEFT:
        MoveCaret(!shiftDown_ && selected ? from : caret_ - 1, shiftDown_);
        return true;
    case VK_RIGHT:
        MoveCaret(!shiftDown_ && selected ? to : caret_ + 1, shiftDown_);
        return true;
    case VK_HOME:
        MoveCaret(0, shiftDown_);
        return true;
    case VK_END:
        MoveCaret(length, shiftDown_);
        return true;
    case VK_BACK:
        if (selected)
            Replace(from, to, {});
        else if (caret_ > 0)
            Replace(caret_ - 1, caret_, {});
        return true;
    case VK_DELETE:
        if (shiftDown_)
            Cut();
        else if (selected)
            Replace(from, to, {});
        else if (caret_ < length)
            Replace(caret_, caret_ + 1, {});
        return true;
    case VK_INSERT:
        if (controlDown_)
            Copy();
        else if (shiftDown_)
            Paste();
        return true;
    default:
        break;
    }
    if (!controlDown_)
        return true;
    switch (key) {
    case 'A':
        SetSel(0, -1);
        break;
    case 'C':
        Copy();
        break;
    case 'X':
        Cut();
        break;
    case 'V':
        Paste();
        break;
    default:
        break;
    }
    return true;
}

bool CEditBox::OnChar(char32_t c) {
    // Control characters (Backspace, Enter, Ctrl+letter) are the key handler's business.
    if (c < 0x20 || c == 0x7F || controlDown_)
        return true;
    int from = 0, to = 0;
    Selection(from, to);
    Replace(from, to, std::u32string(1, c));
    return true;
}

void CEditBox::MoveCaret(int index, bool extend) {
    caret_ = std::clamp(index, 0, static_cast<int>(text_.size()));
    if (!extend)
        anchor_ = caret_;
    Redraw();
}

int CEditBox::AdvanceTo(int index) const {
    const CFont* font = font_ ? font_ : &defaultFont_;
    if (!font->Glyphs())
        return 0;
    return MeasureText(*font->Glyphs(), std::u32string_view(text_).substr(0, static_cast<size_t>(index)));
}

// Where the text starts: centred (ES_CENTER) or at the left, moved left so the caret shows.
int CEditBox::TextLeft() const {
    const int inner = rect_.Width() - 2 * kPadding;
    const int width = AdvanceTo(static_cast<int>(text_.size()));
    if (width <= inner) {
        const int offset = (style_ & ES_CENTER) ? (inner - width) / 2 : 0;
        return rect_.left + kPadding + offset;
    }
    const int caretX = AdvanceTo(caret_);
    int scroll = std::clamp(scroll_, 0, width - inner);
    if (caretX - scroll > inner)
        scroll = caretX - inner;
    if (caretX < scroll)
        scroll = caretX;
    scroll_ = scroll;
    return rect_.left + kPadding - scroll;
}

int CEditBox::IndexAtX(int x) const {
    const int left = TextLeft();
    int best = 0;
    int bestDistance = std::abs(x - left);
    for (int i = 1; i <= static_cast<int>(text_.size()); ++i) {
        const int distance = std::abs(x - (left + AdvanceTo(i)));
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void CEditBox::Redraw() {
    if (visible_ && owner_ && owner_->GetSafeHwnd())
        owner_->InvalidateRect(rect_, false);
}

void CEditBox::Paint(CCanvas& dc) {
    if (!visible_ || rect_.IsEmpty())
        return;
    const Rect oldClip = dc.GetClipRect();
    dc.SetClipRect(oldClip.Intersect(rect_));
    dc.FillSolidRect(rect_, backColour_);
    const CFont* font = font_ ? font_ : &defaultFont_;
    const CFont* oldFont = dc.SelectFont(font);
    dc.SetBkMode(TRANSPARENT);
    const int lineHeight = font->Glyphs() ? font->Glyphs()->Height() : 0;
    const int top = rect_.top + (rect_.Height() - lineHeight) / 2;
    const int left = TextLeft();
    int from = 0, to = 0;
    Selection(from, to);
    const auto run = [&](int a, int b, COLORREF colour) {
        if (a >= b)
            return;
        dc.SetTextColor(colour);
        dc.TextOut(
            left + AdvanceTo(a), top,
            ToUtf8(std::u32string_view(text_).substr(static_cast<size_t>(a), static_cast<size_t>(b - a))));
    };
    if (focused_ && to > from) {
        dc.FillSolidRect({left + AdvanceTo(from), top, left + AdvanceTo(to), top + lineHeight},
                         kSelectionBack);
    }
    const bool showSelection = focused_ && to > from;
    run(0, showSelection ? from : static_cast<int>(text_.size()), textColour_);
    if (showSelection) {
        run(from, to, kSelectionText);
        run(to, static_cast<int>(text_.size()), textColour_);
    }
    if (focused_) {
        const int x = left + AdvanceTo(caret_);
        dc.FillSolidRect({x, top, x + 1, top + lineHeight}, textColour_);
    }
    dc.SelectFont(oldFont);
    dc.SetClipRect(oldClip);
}

} // namespace vexmo
