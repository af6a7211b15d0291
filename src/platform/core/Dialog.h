#pragma once
// CDialog: a window run modally (DoModal runs a nested loop with the owner disabled until
// EndDialog) or modelessly. Enter and Escape reach OnOK and OnCancel through the dialog's
// pre-translation unless a subclass takes them first.
#include "platform/core/Wnd.h"

namespace vexmo {

class CDialog : public CWnd {
public:
    explicit CDialog(HWND owner = 0) : owner_(owner) {}

    // Creates the window, runs OnInitDialog, shows and activates it and runs its loop.
    // Returns the EndDialog code, or -1 when the window could not be made or the loop was
    // ended by WM_QUIT (which is posted again for the outer loop).
    intptr_t DoModal();
    // Creates and initialises the window without a loop of its own.
    bool CreateModeless(HWND owner = 0);
    // Ends the modal loop with `result`; the window is destroyed when DoModal returns.
    // For a modeless dialog it hides the window.
    void EndDialog(intptr_t result);
    bool IsModalRunning() const { return modalRunning_; }

    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    bool PreTranslateMessage(Message& message) override;

protected:
    // Style used at creation: a borderless popup; owner-less dialogs get a taskbar entry.
    uint32_t dialogStyle = WS_POPUP;
    uint32_t dialogExStyle = 0;
    // Where the window is first created (dialogs resize themselves in OnInitDialog).
    Rect initialRect{0, 0, 100, 100};

    void OnClose() override { OnCancel(); }

private:
    bool CreateDialogWindow(HWND owner);

    HWND owner_ = 0;
    bool modalRunning_ = false;
    bool endRequested_ = false;
    intptr_t result_ = -1;
};

} // namespace vexmo
