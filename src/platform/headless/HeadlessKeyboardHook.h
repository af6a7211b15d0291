#pragma once
// Keys the headless desktop's keyboard hooks see: a test presses them here (they need not go
// to any of our windows, like keys typed into another program).
#include <cstdint>

namespace vexmo {

// Posts the key to every started hook's window, stamped with the virtual clock. UI thread.
void HookedKeyDown(uint32_t virtualKey);
void HookedKeyUp(uint32_t virtualKey);
// How many hooks are running now.
int RunningKeyboardHooks();

} // namespace vexmo
