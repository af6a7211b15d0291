#pragma once
// Where a keyboard hook gets every key of the desktop from; one per backend.
#include <memory>

#include "platform/core/Types.h"

namespace vexmo {

class KeyboardHookSource {
public:
    virtual ~KeyboardHookSource() = default;
    // From now on posts every key press and release to `window` as the key event message.
    // False when no keys can be seen (nothing is posted then).
    virtual bool Start(HWND window) = 0;
    // No key event is posted after this returns. Harmless when not started.
    virtual void Stop() = 0;
};

// The source for the running window system (headless or X11); null when none runs.
std::unique_ptr<KeyboardHookSource> CreateKeyboardHookSource();

// Per backend.
std::unique_ptr<KeyboardHookSource> CreateX11KeyboardHookSource();
std::unique_ptr<KeyboardHookSource> CreateHeadlessKeyboardHookSource();

} // namespace vexmo
