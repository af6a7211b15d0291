#include "platform/core/Dialog.h"

#include "platform/core/VirtualKeys.h"
#include "platform/core/WindowManager.h"

namespace vexmo {

bool CDialog::CreateDialogWindow(HWND owner) {
    owner_ = owner;
    const uint32_t exStyle = dialogExStyle | (owner ? 0 : WS_EX_APPWINDOW);
    if (!CreateEx(exStyle, "", dialogStyle & ~WS_VISIBLE, initialRect, owner)) return false;
    OnInitDialog();
    return Handle() != 0;
}

bool CDialog::CreateModeless(HWND owner) {
    if (!CreateDialogWindow(owner ? owner : owner_)) return false;
    ShowWindow(SW_SHOW);
    return true;
}

intptr_t CDialog::DoModal() {
    WindowManager* m = WindowManager::Current();
    if (!m || Handle()) return -1;
    const HWND owner = owner_;
    const bool ownerWasEnabled = owner && IsWindow(owner) && FromHandle(owner)->IsWindowEnabled();
    if (ownerWasEnabled) FromHandle(owner)->EnableWindow(false);
    endRequested_ = false;
    result_ = -1;
    modalRunning_ = true;
    if (CreateDialogWindow(owner) && !endRequested_) ShowWindow(SW_SHOW);
    int quitCode = 0;
    bool quit = false;
    while (Handle() && !endRequested_) {
        if (!PumpMessage(&quitCode)) {
            quit = true;
            break;
        }
    }
    modalRunning_ = false;
    if (ownerWasEnabled && IsWindow(owner)) FromHandle(owner)->EnableWindow(true);
    // Hand the activation back before the window goes, as the system does.
    if (Handle() && IsWindowVisible()) {
        if (owner && IsWindow(owner) && FromHandle(owner)->IsWindowVisible()) FromHandle(owner)->SetForegroundWindow();
        ShowWindow(SW_HIDE);
    }
    DestroyWindow();
    if (quit) {
        if (quitCode != -1) PostQuitMessage(quitCode);
        return -1;
    }
    return result_;
}

void CDialog::EndDialog(intptr_t result) {
    result_ = result;
    endRequested_ = true;
    if (!modalRunning_) {
        ShowWindow(SW_HIDE);
        return;
    }
    PostMessage(WM_NULL); // wakes the loop so it sees the end
}

bool CDialog::PreTranslateMessage(Message& message) {
    if (message.message != WM_KEYDOWN || message.hwnd != Handle()) return false;
    if (message.wParam == VK_RETURN) {
        OnOK();
        return true;
    }
    if (message.wParam == VK_ESCAPE) {
        OnCancel();
        return true;
    }
    return false;
}

} // namespace vexmo
