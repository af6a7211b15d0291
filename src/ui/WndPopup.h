#pragma once
// CWndPopup: a drop-down list or menu as a top-level window (topmost tool window without
// border), rendered whole off-screen and shown as an opaque layered window. It tracks the row
// under the pointer and reports choices to its parent with SendMessage; when it loses the
// activation it sends its kind's deactivation message and stays open until the parent closes it
// (CDlgBase::ClosePopup). On WM_CLOSE it sends 0x401 to the parent.
//
// Ownership: a popup owns itself. Make it with new and hand it to Create (normally through
// CDlgBase::OpenPopup); it deletes itself once its window is destroyed, and never while one of
// its own handlers is still running, so a parent may close or destroy it from inside a report.
// After its window is gone nobody may touch the pointer (the dialog's slots check the handle).
#include <string>
#include <vector>

#include "platform/core/Font.h"
#include "platform/core/Wnd.h"
#include "ui/PopupItem.h"

namespace vexmo {

class CWndPopup : public CWnd {
public:
    explicit CWndPopup(int kind);
    ~CWndPopup() override;

    // Creates the window at `rect` (screen) owned by `parent`. False when the window could not
    // be made; the popup has then deleted itself.
    bool Create(HWND parent, const Rect& rect, uint32_t notifyMessage, int ownerValue);
    // Appends a row, lays every row out again and resizes the window; returns the row count.
    int AddItem(const std::string& caption, int value, int hasSubmenu);
    void AddSeparator();

    // Renders the rows and pushes them to the screen.
    void Render();

    // Row geometry of the class, in design pixels.
    struct LayoutMetrics {
        int separatorWidth = 0;
        int rowWidth = 0;
        int rowHeight = 0;
        int rowLeft = 1;     // 1: rows start one UiScale in; 0: at the left edge
        int windowWidth = 0; // design width of the window
    };
    // The deactivation message of `kind`, 0 for kinds that send none.
    static uint32_t DeactivationMessage(int kind);

    bool tracking = false;
    bool buttonDown = false;
    bool captured = false;
    CFont font;
    int originX = 0;
    int originY = 0;
    uint32_t notifyMessage = 0;
    int ownerValue = 0;
    int kind = 0;

    std::vector<PopupItem> items;
    int hotIndex = -1;
    PopupResult result;
    std::vector<std::string> captions;

protected:
    virtual void DrawItems(CCanvas& /*dc*/, const Rect& /*client*/) {}
    virtual void DrawIcons(CCanvas& /*dc*/, const Rect& /*client*/) {}
    virtual void InitItems() {}
    // True asks for a new render.
    virtual bool OnHover(int x, int y);
    virtual bool OnPress(int x, int y);
    virtual bool OnRelease(int /*x*/, int /*y*/) { return false; }
    virtual bool OnRightRelease(int /*x*/, int /*y*/) { return false; }
    virtual LayoutMetrics Metrics() const = 0;

    // The shared hot-row rule: the first selectable row under the point becomes hot.
    bool TrackHotRow(int x, int y);
    // The hot row when it holds the point, else null.
    const PopupItem* HotItemAt(int x, int y) const;
    // Reports to the parent; false when this popup's window went away during the report
    // (the caller must then return at once and touch nothing).
    bool Report(uint32_t message, WPARAM wParam, LPARAM lParam);
    bool Alive() const { return Handle() != 0; }
    // Row caption in the common colours and flags.
    void DrawRowCaption(CCanvas& dc, const PopupItem& item, bool hot, uint32_t flags, int leftInset) const;
    // The small right-pointing triangle of submenu rows.
    static void DrawSubmenuArrow(CCanvas& dc, const Rect& row);

    LRESULT WindowProc(uint32_t message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate() override;
    bool OnEraseBkgnd(CCanvas&) override { return true; }
    void OnPaint(CCanvas& dc) override;
    void OnMouseMove(WPARAM flags, Point point) override;
    void OnMouseLeave() override;
    void OnMouseHover(WPARAM flags, Point point) override;
    void OnLButtonDown(WPARAM flags, Point point) override;
    void OnLButtonUp(WPARAM flags, Point point) override;
    void OnRButtonUp(WPARAM flags, Point point) override;
    bool OnNcActivate(bool active) override;
    void OnClose() override;
    void PostNcDestroy() override;

private:
    void LayOut();
    CCanvas RenderImage();

    HWND parent_ = 0;
    int handlerDepth_ = 0;
    bool deletePending_ = false;
};

// Colours shared by the popup rows.
inline constexpr COLORREF kPopupSeparator = 0xDEA035;
inline constexpr COLORREF kPopupHotCaption = 0xFFFFFF;
inline constexpr COLORREF kPopupCaption = 0xB4B4B4;
inline constexpr COLORREF kPopupArrow = 0x0E9C90;
inline constexpr uint32_t kPopupCaptionFlags = DT_WORD_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_CENTER;

} // namespace vexmo
