#include "ui/DlgBase.h"

#include <algorithm>

#include "platform/core/Resources.h"
#include "platform/core/WindowSystem.h"
#include "settings/Globals.h"
#include "ui/SkinImage.h"
#include "ui/TabControl.h"
#include "ui/UiGlobals.h"
#include "ui/WndPopup.h"

namespace vexmo {

namespace {
constexpr const char* kWindowTitle = "Vexmo";
// The dialog font: 10 points at the screen's 96 pixels per inch, semi-bold.
constexpr int kDialogFontPoints = 10;
constexpr int kScreenDpi = 96;
constexpr int kDialogFontWeight = 600;
constexpr int kMaxBackgroundTrim = 100;
// Hover reports come almost at once: the dialog only uses them to refresh the hover look.
constexpr uint32_t kDialogHoverMs = 1;
constexpr uint32_t kWholeWindowIds[] = {2040};
} // namespace

bool RepaintsWholeWindow(uint32_t id) {
    return IsPageTab(id) ||
           std::find(std::begin(kWholeWindowIds), std::end(kWholeWindowIds), id) != std::end(kWholeWindowIds);
}

CDlgBase::CDlgBase(HWND owner) : CDialog(owner) {}

CDlgBase::~CDlgBase() {
    UnregisterOpenWindow(registeredWindow_);
    registeredWindow_ = 0;
    hoverControl = nullptr;
    pressedControl = nullptr;
    for (auto& list : controls)
        list.clear();
}

bool CDlgBase::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(kWindowTitle);
    dialogFont.Create(-kDialogFontPoints * kScreenDpi / 72, UiFontFace, kDialogFontWeight);
    SetWindowSize(windowWidth, windowHeight);
    SetTopmost(false);
    ShowWindow(SW_SHOW);
    CreateControls(GetClientRect());
    CenterWindow();
    return true;
}

void CDlgBase::OnDestroy() {
    UnregisterOpenWindow(registeredWindow_);
    registeredWindow_ = 0;
}

void CDlgBase::RegisterInOpenWindowTable() {
    if (registeredWindow_ == 0 && RegisterOpenWindow(Handle()))
        registeredWindow_ = Handle();
}

template <typename Visit> void CDlgBase::ForEachControl(Visit&& visit) const {
    for (const auto& list : controls)
        for (const auto& control : list)
            if (control)
                visit(*control);
}

void CDlgBase::DrawControls(CCanvas& dc, const Rect& clip) {
    ForEachControl([&](CControlBase& control) {
        if (control.IsDrawn() && !control.rect.Intersect(clip).IsEmpty())
            control.Draw(dc, clip);
    });
}

void CDlgBase::SetListVisible(int list, bool visible) {
    for (auto& control : controls[static_cast<size_t>(list)])
        if (control)
            control->SetVisible(visible);
}

CControlBase* CDlgBase::FindControl(uint32_t id) const {
    CControlBase* found = nullptr;
    ForEachControl([&](CControlBase& control) {
        if (!found && control.id == id)
            found = &control;
    });
    return found;
}

void CDlgBase::ReleaseAllImages() {
    ForEachControl([](CControlBase& control) { control.ReleaseImages(); });
}

bool CDlgBase::LoadBackgroundResource(uint32_t bitmapResourceId) {
    const Image picture = DecodeImage(FindResource(bitmapResourceId, ResourceType::Bitmap));
    if (picture.IsEmpty())
        return false;
    backgroundSize = {picture.Width(), picture.Height()};
    PrepareBackground(CCanvas::FromImage(picture, RGB(0, 0, 0)), backgroundSize);
    return true;
}

bool CDlgBase::LoadBackgroundFile(std::string_view path) {
    CCanvas picture;
    if (!LoadBitmapFile(path, picture, backgroundSize))
        return false;
    PrepareBackground(picture, backgroundSize);
    return true;
}

void CDlgBase::PrepareBackground(const CCanvas& picture, Size pictureSize) {
    const bool coversWindow = pictureSize.cx >= windowWidth && pictureSize.cy >= windowHeight;
    backgroundTrim =
        coversWindow ? 0 : std::min(std::min(pictureSize.cx, kMaxBackgroundTrim), pictureSize.cy);
    AverageColour(picture, pictureSize, averageColour);
    const int width = static_cast<int>((pictureSize.cx - backgroundTrim) * UiScale);
    const int height = static_cast<int>((pictureSize.cy - backgroundTrim) * UiScale);
    if (!backgroundBitmap.Create(std::max(width, 1), std::max(height, 1)))
        return;
    // The source area is the main window's design size; a smaller picture is not spread
    // beyond its own pixels.
    const Rect source{0, 0, std::min(kBackgroundSourceSize.cx, pictureSize.cx),
                      std::min(kBackgroundSourceSize.cy, pictureSize.cy)};
    backgroundBitmap.StretchBlt({0, 0, width, height}, picture, source);
}

void CDlgBase::DrawSmallDialog(CCanvas& dc, const Rect& client, std::string_view framePath, Size frameSize) {
    dc.FillSolidRect(client, averageColour);
    if (!backgroundBitmap.IsEmpty())
        dc.BitBlt(0, 0, std::min(backgroundSize.cx, client.Width()),
                  std::min(backgroundSize.cy, client.Height()), backgroundBitmap, 0, 0);
    CCanvas frame;
    Size size;
    if (LoadBitmapFile(framePath, frame, size))
        dc.StretchBlt({0, 0, ScaleI(frameSize.cx), ScaleI(frameSize.cy)}, frame, {0, 0, size.cx, size.cy});
    DrawControls(dc, client);
}

void CDlgBase::OnPaint(CCanvas& dc) {
    if (IsIconic()) {
        ValidateRect();
        return;
    }
    const Rect client = GetClientRect();
    // One off-screen canvas of the client size, kept between paints so a hover change does not
    // allocate and clear a whole window's worth of pixels; only the invalid area is redrawn.
    if (paintBuffer_.Width() != client.Width() || paintBuffer_.Height() != client.Height()) {
        if (!paintBuffer_.Create(client.Width(), client.Height()))
            return;
    }
    paintBuffer_.SetClipRect(dc.GetClipRect());
    // A fresh device context's text state: no font of an earlier paint stays selected.
    paintBuffer_.SelectFont(nullptr);
    paintBuffer_.SetTextColor(RGB(0, 0, 0));
    paintBuffer_.SetBkColor(RGB(255, 255, 255));
    paintBuffer_.SetBkMode(OPAQUE);
    DrawBackground(paintBuffer_, client);
    paintBuffer_.ResetClip();
    dc.BitBlt(0, 0, client.Width(), client.Height(), paintBuffer_, 0, 0);
}

void CDlgBase::InvalidateControl(const CControlBase* control) {
    if (control)
        InvalidateRect(control->rect, true);
}

void CDlgBase::OnMouseMove(WPARAM flags, Point point) {
    if (!tracking)
        tracking = TrackMouseEvent(TME_LEAVE | TME_HOVER, kDialogHoverMs);
    if (hoverControl && hoverControl->Contains(point.x, point.y) && tracking) {
        lastMouse = point;
        if (hoverControl->OnMouseMove(flags, point.x, point.y))
            InvalidateControl(hoverControl);
        return;
    }
    if (mouseDown)
        return;
    lastMouse = point;
    CControlBase* const old = hoverControl;
    CControlBase* found = nullptr;
    if (tracking) {
        ForEachControl([&](CControlBase& control) {
            if (!control.TakesInput())
                return;
            control.OnMouseMove(flags, lastMouse.x, lastMouse.y);
            if (control.Contains(lastMouse.x, lastMouse.y))
                found = &control;
        });
    }
    InvalidateControl(old);
    hoverControl = found;
    InvalidateControl(found);
}

void CDlgBase::OnMouseLeave() {
    tracking = false;
    if (mouseDown || !hoverControl)
        return;
    const Point cursor = ScreenToClient(GetCursorPos());
    lastMouse = (IsZoomed() && hoverControl->Contains(cursor.x, cursor.y)) ? cursor : Point{-1, -1};
    CControlBase* const control = hoverControl;
    control->OnMouseMove(0, lastMouse.x, lastMouse.y);
    InvalidateControl(control);
    hoverControl = nullptr;
}

void CDlgBase::OnMouseHover(WPARAM, Point) {
    if (!hoverControl)
        return;
    const Point cursor = ScreenToClient(GetCursorPos());
    if (!hoverControl->Contains(cursor.x, cursor.y))
        return;
    lastMouse = cursor;
    InvalidateControl(hoverControl);
}

void CDlgBase::OnLButtonDown(WPARAM flags, Point point) {
    if (pressedControl && pressedControl != hoverControl) {
        pressedControl->ReleasePress(0);
        pressedControl = nullptr;
    }
    if (hoverControl && hoverControl->Contains(point.x, point.y)) {
        CControlBase* const control = hoverControl;
        mouseDown = true;
        pressedControl = control;
        pressedRect = control->rect;
        if (control->OnLButtonDown(flags, point.x, point.y))
            InvalidateControl(control);
        if (!captured) {
            SetCapture();
            captured = true;
        }
        return;
    }
    pressedRect = kNoRect;
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
}

void CDlgBase::OnLButtonUp(WPARAM flags, Point point) {
    if (captured) {
        captured = false;
        ReleaseCapture();
    }
    mouseDown = false;
    if (hoverControl) {
        const Rect controlRect = hoverControl->rect;
        const uint32_t controlId = hoverControl->id;
        const bool changed = hoverControl->OnLButtonUp(flags, point.x, point.y);
        // The click's handler may have moved the hover away (a dialog it opened, a page switch).
        if (changed && hoverControl) {
            if (RepaintsWholeWindow(controlId))
                Invalidate(true);
            else
                InvalidateRect(controlRect, true);
        }
        if (hoverControl) {
            if (pressedRect.Contains(point) || controlRect.Contains(point)) {
                lastMouse = point;
            } else {
                lastMouse = {-1, -1};
                hoverControl = nullptr;
            }
        }
    }
    doubleClicked = false;
    pressedRect = kNoRect;
}

void CDlgBase::OnLButtonDblClk(WPARAM flags, Point point) {
    if (!hoverControl)
        return;
    const CControlBase* containing = nullptr;
    ForEachControl([&](CControlBase& control) {
        if (control.IsDrawn() && control.Contains(point.x, point.y))
            containing = &control;
    });
    if (!containing)
        return;
    const Rect containingRect = containing->rect;
    if (hoverControl->OnLButtonDblClk(flags, point.x, point.y) && hoverControl)
        InvalidateControl(hoverControl);
    pressedRect = containingRect;
    doubleClicked = true;
}

void CDlgBase::OnRButtonUp(WPARAM flags, Point point) {
    if (!hoverControl)
        return;
    for (const auto& control : controls[0]) {
        if (!control || !control->IsDrawn() || !control->Contains(point.x, point.y))
            continue;
        if (hoverControl->OnRButtonUp(flags, point.x, point.y) && hoverControl)
            InvalidateControl(hoverControl);
        return;
    }
}

CWndPopup* CDlgBase::OpenPopup(int slot, CWndPopup* popup, const Rect& screenRect, uint32_t notifyMessage,
                               int ownerValue) {
    if (!popup)
        return nullptr;
    ClosePopup(slot);
    PopupSlot& entry = popups_[static_cast<size_t>(slot)];
    const CWnd* window = popup;
    if (!popup->Create(Handle(), screenRect, notifyMessage, ownerValue))
        return nullptr; // it deleted itself
    entry = {popup, window, popup->Handle()};
    return Popup(slot);
}

CWndPopup* CDlgBase::Popup(int slot) const {
    const PopupSlot& entry = popups_[static_cast<size_t>(slot)];
    if (!entry.popup || !entry.handle)
        return nullptr;
    // Handles never repeat, so a live handle still belongs to the object the slot stored.
    return FromHandle(entry.handle) == entry.window ? entry.popup : nullptr;
}

void CDlgBase::ClosePopup(int slot) {
    PopupSlot& entry = popups_[static_cast<size_t>(slot)];
    if (!entry.popup)
        return;
    if (pressedControl && pressedControl != hoverControl) {
        pressedControl->ReleasePress(0);
        pressedControl = nullptr;
    }
    if (IsWindow(entry.handle))
        vexmo::PostMessage(entry.handle, WM_CLOSE, 0, 0);
    entry = {};
}

LRESULT CDlgBase::OnCloseOrCancel(WPARAM, LPARAM lParam) {
    if (lParam != CN_CLICKED)
        return 0;
    ReleaseAllImages();
    OnCancel();
    return 0;
}

} // namespace vexmo
