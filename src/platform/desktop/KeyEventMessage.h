#pragma once
// The key event message the keyboard hook posts to its window.
#include <cstdint>

#include "platform/core/Types.h"

namespace vexmo {

constexpr uint32_t kKeyEventMessage = 0x401;
constexpr LPARAM kKeyReleaseBit = LPARAM{1} << 31;
constexpr uint32_t kKeyTimeMask = 0x7FFFFFFF; // the event clock wraps at 2^31 ms

// lParam of a key event: the time in bits 0 to 30, bit 31 set for a release.
constexpr LPARAM KeyEventLParam(uint64_t timeMs, bool release) {
    return static_cast<LPARAM>(timeMs & kKeyTimeMask) | (release ? kKeyReleaseBit : 0);
}

} // namespace vexmo
