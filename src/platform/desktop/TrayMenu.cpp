#include "platform/desktop/TrayMenu.h"

#include <algorithm>

#include "platform/core/Messages.h"
#include "platform/core/VirtualKeys.h"
#include "platform/core/WindowSystem.h"

namespace vexmo {
namespace {

constexpr COLORREF kBackground = RGB(0xF2, 0xF2, 0xF2);
constexpr COLORREF kBorder = RGB(0x97, 0x97, 0x97);
constexpr COLORREF kText = RGB(0x10, 0x10, 0x10);
constexpr COLORREF kHotBackground = RGB(0x91, 0xC9, 0xF7);
constexpr COLORREF kSeparator = RGB(0xC8, 0xC8, 0xC8);
constexpr int kFontHeight = 16;
constexpr char kFontFace[] = "Tahoma";

// The menu's window: painted rows, the hot row under the pointer, the pointer captured so a
// click anywhere else ends the menu.
class MenuWindow final : public CWnd {
public:
    explicit MenuWindow(const std::vector<CTrayMenu::Item>& items) : items_(items) {
        font_.Create(kFontHeight, kFontFace);
    }

    Size Measure() {
        CCanvas probe(1, 1);
        probe.SelectFont(&font_);
        int width = CTrayMenu::kMinWidth;
        int height = 2;
        for (const auto& item : items_) {
            if (item.id)
                width = std::max(width, probe.GetTextExtent(item.text).cx + 2 * CTrayMenu::kTextPadding);
            height += item.id ? CTrayMenu::kItemHeight : CTrayMenu::kSeparatorHeight;
        }
        return {width, height};
    }

    bool done = false;
    uint32_t chosen = 0;

protected:
    void OnPaint(CCanvas& dc) override {
        const Rect client = GetClientRect();
        dc.FillSolidRect(client, kBackground);
        dc.FrameRect(client, kBorder);
        dc.SelectFont(&font_);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(kText);
        int y = 1;
        for (size_t i = 0; i < items_.size(); ++i) {
            const auto& item = items_[i];
            if (!item.id) {
                dc.FillSolidRect({4, y + CTrayMenu::kSeparatorHeight / 2, client.right - 4,
                                  y + CTrayMenu::kSeparatorHeight / 2 + 1},
                                 kSeparator);
                y += CTrayMenu::kSeparatorHeight;
                continue;
            }
            Rect row{1, y, client.right - 1, y + CTrayMenu::kItemHeight};
            if (static_cast<int>(i) == hot_)
                dc.FillSolidRect(row, kHotBackground);
            Rect text{CTrayMenu::kTextPadding, row.top, row.right, row.bottom};
            dc.DrawText(item.text, text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
            y += CTrayMenu::kItemHeight;
        }
    }
    void OnMouseMove(WPARAM, Point p) override { SetHot(RowAt(p)); }
    void OnLButtonDown(WPARAM, Point p) override { PressAt(p); }
    void OnRButtonDown(WPARAM, Point p) override { PressAt(p); }
    void OnLButtonUp(WPARAM, Point p) override { ReleaseAt(p); }
    void OnRButtonUp(WPARAM, Point p) override { ReleaseAt(p); }
    void OnKeyDown(uint32_t key, uint32_t, uint32_t) override {
        if (key == VK_ESCAPE)
            Finish(0);
        if (key == VK_RETURN && hot_ >= 0)
            Finish(items_[static_cast<size_t>(hot_)].id);
        if (key == VK_DOWN || key == VK_UP)
            Step(key == VK_DOWN ? 1 : -1);
    }
    void OnActivate(WPARAM state, HWND) override {
        if (state == WA_INACTIVE)
            Finish(0);
    }
    void OnCaptureChanged(HWND newCapture) override {
        if (newCapture != Handle())
            Finish(0);
    }

private:
    int RowAt(Point p) const {
        if (!GetClientRect().Contains(p))
            return -1;
        int y = 1;
        for (size_t i = 0; i < items_.size(); ++i) {
            const int h = items_[i].id ? CTrayMenu::kItemHeight : CTrayMenu::kSeparatorHeight;
            if (p.y >= y && p.y < y + h)
                return items_[i].id ? static_cast<int>(i) : -1;
            y += h;
        }
        return -1;
    }
    void SetHot(int row) {
        if (row == hot_)
            return;
        hot_ = row;
        Invalidate();
    }
    void Step(int delta) {
        const int count = static_cast<int>(items_.size());
        int row = hot_;
        for (int n = 0; n < count; ++n) {
            row = (row + delta + count) % count;
            if (items_[static_cast<size_t>(row)].id)
                break;
        }
        SetHot(row);
    }
    // A press outside ends the menu; inside it only arms the row.
    void PressAt(Point p) {
        if (!GetClientRect().Contains(p))
            Finish(0);
    }
    void ReleaseAt(Point p) {
        const int row = RowAt(p);
        if (row >= 0)
            Finish(items_[static_cast<size_t>(row)].id);
    }
    void Finish(uint32_t id) {
        if (done)
            return;
        done = true;
        chosen = id;
    }

    const std::vector<CTrayMenu::Item>& items_;
    CFont font_;
    int hot_ = -1;
};

} // namespace

void CTrayMenu::AppendItem(uint32_t id, const std::string& text) {
    items_.push_back({id, text});
}

void CTrayMenu::AppendSeparator() {
    items_.push_back({0, {}});
}

uint32_t CTrayMenu::TrackPopupMenu(Point screen, HWND owner) {
    if (!WindowSystemRunning() || items_.empty())
        return 0;
    MenuWindow menu(items_);
    const Size size = menu.Measure();
    const Size screenSize = GetScreenSize();
    // The menu opens above and left of the point when it would run off the screen (a tray at
    // the bottom right).
    const int x = screen.x + size.cx > screenSize.cx ? std::max(0, screen.x - size.cx) : screen.x;
    const int y = screen.y + size.cy > screenSize.cy ? std::max(0, screen.y - size.cy) : screen.y;
    if (!menu.CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "", WS_POPUP, {x, y, x + size.cx, y + size.cy},
                       owner)) {
        return 0;
    }
    menu.ShowWindow(SW_SHOW);
    menu.SetForegroundWindow();
    menu.SetCapture();
    int quitCode = 0;
    bool quit = false;
    while (!menu.done) {
        if (!PumpMessage(&quitCode)) {
            quit = true;
            break;
        }
    }
    menu.done = true;
    if (GetCapture() == menu.Handle())
        ReleaseCapture();
    menu.DestroyWindow();
    if (quit) {
        PostQuitMessage(quitCode); // the outer loop must still see it
        return 0;
    }
    if (menu.chosen && IsWindow(owner))
        PostMessage(owner, WM_COMMAND, menu.chosen, 0);
    return menu.chosen;
}

} // namespace vexmo
