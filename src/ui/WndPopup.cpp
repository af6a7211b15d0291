#include "ui/WndPopup.h"

#include <array>

#include "platform/core/WindowSystem.h"
#include "settings/Globals.h"
#include "ui/ControlBase.h"
#include "ui/DlgBase.h"

namespace vexmo {

namespace {
constexpr uint32_t kPopupHoverMs = 50;
constexpr COLORREF kPopupBackground = 0x000000;
constexpr int kCaptionSideInset = 2;

struct KindMessage {
    int kind;
    uint32_t message;
};
constexpr std::array kDeactivationMessages{
    KindMessage{0, 1029},  KindMessage{1, 1032},  KindMessage{2, 1042},  KindMessage{3, 1045},
    KindMessage{6, 1057},  KindMessage{7, 1126},  KindMessage{8, 1136},  KindMessage{9, 1146},
    KindMessage{10, 1156}, KindMessage{11, 1159}, KindMessage{12, 1162}, KindMessage{13, 1165},
    KindMessage{14, 1168}, KindMessage{15, 1170},
};
} // namespace

uint32_t CWndPopup::DeactivationMessage(int popupKind) {
    for (const KindMessage& entry : kDeactivationMessages)
        if (entry.kind == popupKind)
            return entry.message;
    return 0;
}

CWndPopup::CWndPopup(int popupKind) : kind(popupKind) {
    font.Create(ControlFontSpec(UiFontHeight, UiFontFace));
}

CWndPopup::~CWndPopup() = default;

bool CWndPopup::Create(HWND parent, const Rect& rect, uint32_t message, int value) {
    parent_ = parent;
    originX = rect.left;
    originY = rect.top;
    notifyMessage = message;
    ownerValue = value;
    ++handlerDepth_; // a window destroyed during its own creation is deleted here, not under CreateEx
    const bool created = CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "", WS_POPUP, rect, parent, CS_DBLCLKS);
    --handlerDepth_;
    if (!created || !Alive()) {
        if (Alive())
            DestroyWindow();
        delete this;
        return false;
    }
    return true;
}

LRESULT CWndPopup::WindowProc(uint32_t message, WPARAM wParam, LPARAM lParam) {
    ++handlerDepth_;
    const LRESULT answer = CWnd::WindowProc(message, wParam, lParam);
    --handlerDepth_;
    if (handlerDepth_ == 0 && deletePending_)
        delete this;
    return answer;
}

void CWndPopup::PostNcDestroy() {
    if (handlerDepth_ > 0) {
        deletePending_ = true;
        return;
    }
    delete this;
}

int CWndPopup::OnCreate() {
    InitItems();
    Render();
    SetWindowPos(originX, originY);
    ShowWindow(SW_SHOW);
    return 1;
}

int CWndPopup::AddItem(const std::string& caption, int value, int hasSubmenu) {
    PopupItem item;
    item.value = value;
    item.caption = caption;
    item.hasSubmenu = hasSubmenu;
    items.push_back(std::move(item));
    LayOut();
    return static_cast<int>(items.size());
}

void CWndPopup::AddSeparator() {
    PopupItem item;
    item.separator = 1;
    items.push_back(std::move(item));
    LayOut();
}

void CWndPopup::LayOut() {
    const LayoutMetrics m = Metrics();
    const double s = UiScale;
    const int edge = static_cast<int>(s);
    int y = edge;
    for (PopupItem& item : items) {
        if (item.separator) {
            item.rect = {edge, static_cast<int>(y + 2 * s), static_cast<int>(m.separatorWidth * s),
                         static_cast<int>(y + 3 * s)};
            y = static_cast<int>(y + 4 * s);
        } else {
            item.rect = {m.rowLeft ? edge : 0, y, static_cast<int>(m.rowWidth * s),
                         static_cast<int>(y + m.rowHeight * s)};
            y = static_cast<int>(y + m.rowHeight * s);
        }
    }
    if (Alive())
        SetWindowSize(static_cast<int>(m.windowWidth * s), static_cast<int>(y + s));
}

CCanvas CWndPopup::RenderImage() {
    const Rect client = GetClientRect();
    CCanvas image(client.Width(), client.Height());
    if (image.IsEmpty())
        return image;
    image.SetBkMode(TRANSPARENT);
    image.FillSolidRect(client, kPopupBackground);
    image.FillSolidRect({client.left + 1, client.top + 1, client.right - 1, client.bottom - 1},
                        kPopupBackground);
    DrawItems(image, client);
    return image;
}

void CWndPopup::Render() {
    if (!Alive())
        return;
    const CCanvas image = RenderImage();
    if (image.IsEmpty())
        return;
    ModifyStyleEx(0, WS_EX_LAYERED);
    const Rect window = GetWindowRect();
    UpdateLayered(image, {window.left, window.top});
}

void CWndPopup::OnPaint(CCanvas& dc) {
    const CCanvas image = RenderImage();
    if (!image.IsEmpty())
        dc.BitBlt(0, 0, image.Width(), image.Height(), image, 0, 0);
}

bool CWndPopup::TrackHotRow(int x, int y) {
    bool changed = false;
    if (hotIndex != -1) {
        if (items[static_cast<size_t>(hotIndex)].rect.Contains({x, y}))
            return false;
        hotIndex = -1;
        changed = true;
    }
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].separator || !items[i].rect.Contains({x, y}))
            continue;
        hotIndex = static_cast<int>(i);
        return true;
    }
    return changed;
}

bool CWndPopup::OnHover(int x, int y) {
    return TrackHotRow(x, y);
}

bool CWndPopup::OnPress(int x, int y) {
    if (hotIndex != -1 && !items[static_cast<size_t>(hotIndex)].rect.Contains({x, y}))
        hotIndex = -1;
    return false;
}

const PopupItem* CWndPopup::HotItemAt(int x, int y) const {
    if (hotIndex < 0 || hotIndex >= static_cast<int>(items.size()))
        return nullptr;
    const PopupItem& item = items[static_cast<size_t>(hotIndex)];
    return item.rect.Contains({x, y}) ? &item : nullptr;
}

bool CWndPopup::Report(uint32_t message, WPARAM wParam, LPARAM lParam) {
    vexmo::SendMessage(parent_, message, wParam, lParam);
    return Alive();
}

void CWndPopup::DrawRowCaption(CCanvas& dc, const PopupItem& item, bool hot, uint32_t flags,
                               int leftInset) const {
    const Rect area{item.rect.left + leftInset, item.rect.top, item.rect.right - kCaptionSideInset,
                    item.rect.bottom};
    DrawCaption(dc, font, item.caption, area, flags, hot ? kPopupHotCaption : kPopupCaption);
}

void CWndPopup::DrawSubmenuArrow(CCanvas& dc, const Rect& row) {
    constexpr int kArrowColumns = 5;
    for (int i = 0; i < kArrowColumns; ++i) {
        const int x = row.right - 6 - i;
        for (int y = row.top + 11 - i; y <= row.top + 11 + i; ++y)
            dc.SetPixel(x, y, kPopupArrow);
    }
}

void CWndPopup::OnMouseMove(WPARAM, Point point) {
    if (!tracking)
        tracking = TrackMouseEvent(TME_LEAVE | TME_HOVER, kPopupHoverMs);
    if (!buttonDown && OnHover(point.x, point.y))
        Render();
}

void CWndPopup::OnMouseLeave() {
    tracking = false;
    if (buttonDown)
        return;
    const Point cursor = ScreenToClient(GetCursorPos());
    if (OnHover(cursor.x, cursor.y))
        Render();
}

void CWndPopup::OnMouseHover(WPARAM, Point) {
    const Point cursor = ScreenToClient(GetCursorPos());
    OnHover(cursor.x, cursor.y);
}

void CWndPopup::OnLButtonDown(WPARAM, Point point) {
    buttonDown = true;
    SetCapture();
    captured = true;
    if (OnPress(point.x, point.y))
        Render();
}

void CWndPopup::OnLButtonUp(WPARAM, Point point) {
    if (captured) {
        captured = false;
        ReleaseCapture();
    }
    buttonDown = false;
    if (OnRelease(point.x, point.y))
        Render();
}

void CWndPopup::OnRButtonUp(WPARAM, Point point) {
    if (OnRightRelease(point.x, point.y))
        Render();
}

bool CWndPopup::OnNcActivate(bool active) {
    if (active)
        return true;
    const uint32_t message = DeactivationMessage(kind);
    if (message != 0)
        Report(message, static_cast<WPARAM>(ownerValue), kind);
    return true;
}

void CWndPopup::OnClose() {
    if (!Report(kPopupClosedMessage, 0, 0))
        return;
    DestroyWindow();
}

} // namespace vexmo
