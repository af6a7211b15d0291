#pragma once
// CDlgBase: the skinned dialog every window of the program is built on. It paints itself whole
// through one off-screen canvas, owns its windowless controls in seven lists (painted, hit-
// tested and released in list order, so later controls lie on top), routes the mouse to them,
// lets the user drag the window by any point that is not a control, and keeps the popup windows
// it opened in slots.
//
// Ownership: the dialog owns its controls (deleted with it). Popups own themselves (they delete
// themselves when their window goes); a slot only remembers which popup it opened and never
// touches one whose window is gone.
#include <array>
#include <memory>
#include <vector>

#include "platform/core/Dialog.h"
#include "ui/ControlBase.h"

namespace vexmo {

class CWndPopup;

inline constexpr int kControlLists = 7;
inline constexpr int kPopupSlots = 11;

// Standard button ids of the secondary dialogs.
inline constexpr uint32_t kCloseButtonId = 2004;
inline constexpr uint32_t kConfirmButtonId = 2010;
inline constexpr uint32_t kCancelButtonId = 2011;
inline constexpr uint32_t kEditBoxId = 2017;
// What a popup sends its parent when it closes.
inline constexpr uint32_t kPopupClosedMessage = 0x401;
// The design size of the main window's background, the source area of every background.
inline constexpr Size kBackgroundSourceSize{1127, 740};
inline constexpr Rect kNoRect{-1, -1, -1, -1};

class CDlgBase : public CDialog {
public:
    explicit CDlgBase(HWND owner = 0);
    ~CDlgBase() override;

    bool OnInitDialog() override;

    // Paints the whole client area into `dc`, then the controls (DrawControls).
    virtual void DrawBackground(CCanvas& dc, const Rect& client) = 0;
    // Draws every shown control of lists 0 to 6 that meets `clip`.
    virtual void DrawControls(CCanvas& dc, const Rect& clip);
    virtual void CreateControls(Rect client) = 0;

    // Adds a control to list `list` (0..6); the dialog owns it from now on. Returns it.
    template <typename Control> Control* AddControl(int list, std::unique_ptr<Control> control) {
        Control* raw = control.get();
        controls[static_cast<size_t>(list)].push_back(std::move(control));
        return raw;
    }
    // Every control of list `list` becomes visible or hidden (the caller repaints).
    void SetListVisible(int list, bool visible);
    // The first control with `id`, or null.
    CControlBase* FindControl(uint32_t id) const;
    // ReleaseImages on every control, lists 0 to 6.
    void ReleaseAllImages();

    // Background pictures; both prepare the background copy (see PrepareBackground).
    bool LoadBackgroundResource(uint32_t bitmapResourceId);
    bool LoadBackgroundFile(std::string_view path);

    // Popup slots. OpenPopup closes the slot's previous popup, stores `popup` (made with new;
    // it owns itself) and creates its window; null when the window could not be made (the
    // popup is then gone). Popup(slot) gives the open popup or null, also when its window went
    // away by other means: a slot never hands out a popup that deleted itself.
    CWndPopup* OpenPopup(int slot, CWndPopup* popup, const Rect& screenRect, uint32_t notifyMessage,
                         int ownerValue);
    CWndPopup* Popup(int slot) const;
    void ClosePopup(int slot);

    // The shared handler of the close and cancel buttons: on CN_CLICKED releases the pictures
    // and cancels the dialog. Returns 0.
    LRESULT OnCloseOrCancel(WPARAM wParam, LPARAM lParam);
    // The shared painter of the small dialogs: average colour, background copy, the frame
    // picture `framePath` stretched to `frameSize` design pixels, then the controls.
    void DrawSmallDialog(CCanvas& dc, const Rect& client, std::string_view framePath, Size frameSize);

    // Registers the window in the OpenWindowTable (secondary dialogs, in their OnInitDialog);
    // it is removed again when the dialog is destroyed.
    void RegisterInOpenWindowTable();

    int windowWidth = 2254;
    int windowHeight = 1480;
    COLORREF averageColour = 0xEFE2BA;
    CFont dialogFont;
    Size backgroundSize{100, 100};
    CCanvas backgroundBitmap;
    int backgroundTrim = 0;
    bool tracking = false;
    bool mouseDown = false;
    Rect pressedRect = kNoRect;
    bool doubleClicked = false;
    bool captured = false;
    Point lastMouse{-1, -1};
    std::array<std::vector<std::unique_ptr<CControlBase>>, kControlLists> controls;
    CControlBase* hoverControl = nullptr;
    CControlBase* pressedControl = nullptr;

protected:
    void OnPaint(CCanvas& dc) override;
    bool OnEraseBkgnd(CCanvas&) override { return true; }
    void OnMouseMove(WPARAM flags, Point point) override;
    void OnMouseLeave() override;
    void OnMouseHover(WPARAM flags, Point point) override;
    void OnLButtonDown(WPARAM flags, Point point) override;
    void OnLButtonUp(WPARAM flags, Point point) override;
    void OnLButtonDblClk(WPARAM flags, Point point) override;
    void OnRButtonUp(WPARAM flags, Point point) override;
    void OnDestroy() override;

private:
    struct PopupSlot {
        CWndPopup* popup = nullptr;
        const CWnd* window = nullptr; // the same object seen as a window, compared only
        HWND handle = 0;
    };
    void PrepareBackground(const CCanvas& picture, Size pictureSize);
    void InvalidateControl(const CControlBase* control);
    template <typename Visit> void ForEachControl(Visit&& visit) const;

    std::array<PopupSlot, kPopupSlots> popups_{};
    CCanvas paintBuffer_;
    HWND registeredWindow_ = 0;
};

// Ids after whose click the dialog repaints the whole window (the page tabs).
bool RepaintsWholeWindow(uint32_t id);

} // namespace vexmo
