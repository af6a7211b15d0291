#pragma once
// The one table from X11 keysyms to virtual-key codes; the rest of the program sees only
// virtual keys. Declared without X11 headers so any platform file can use it.
#include <cstdint>

namespace vexmo {

// 0 for keysyms without a virtual key.
uint32_t VirtualKeyFromKeysym(unsigned long keysym);

} // namespace vexmo
