#pragma once
// Windows virtual-key codes (and the program's own key numbers 0E, E0-E7, F0-FB) to the
// keyboard usage codes the mouse is sent; 0 means the key has no usage.
#include <array>
#include <cstdint>

namespace vexmo {

const std::array<uint8_t, 256>& VirtualKeyUsageTable();
// 0 for keys without a usage and for codes above 255.
uint8_t VirtualKeyUsage(uint32_t virtualKey);

} // namespace vexmo
