#include "macros/MacroAction.h"

#include <algorithm>

namespace vexmo {

MacroAction MacroAction::Delay(uint32_t ms) {
    const uint32_t duration = std::min(ms, kMaxDelayMs);
    return {kDelayActionCode, static_cast<uint8_t>(duration >> 16), static_cast<uint8_t>(duration >> 8),
            static_cast<uint8_t>(duration)};
}

} // namespace vexmo
