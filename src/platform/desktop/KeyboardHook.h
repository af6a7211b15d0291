#pragma once
// CKeyboardHook: sees every key the user presses, also while another program has the focus,
// and posts it to one window as the key event message (KeyEventMessage.h). A window that
// records keys holds one as a member. UI thread only.
#include <memory>

#include "platform/core/Types.h"
#include "platform/desktop/KeyboardHookSource.h"

namespace vexmo {

class CKeyboardHook {
public:
    CKeyboardHook();
    virtual ~CKeyboardHook();
    CKeyboardHook(const CKeyboardHook&) = delete;
    CKeyboardHook& operator=(const CKeyboardHook&) = delete;

    // Starts posting to `window` (a running hook moves to the new window). 1 when keys will
    // arrive, 0 when the hook could not start; the caller goes on either way.
    int StartHook(HWND window);
    // Stops posting. Safe when not started or already stopped. Returns 1.
    int StopHook();
    bool IsHooking() const { return source_ != nullptr; }

private:
    std::unique_ptr<KeyboardHookSource> source_;
};

} // namespace vexmo
