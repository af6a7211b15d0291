#pragma once
// One four-byte macro action. B0 below 8 is a delay whose duration is the 24-bit big-endian
// number B1 B2 B3 in milliseconds; any other B0 is a key or mouse event whose code is B0, with
// the release flag in B1 and, for the mouse movement codes, a signed amount in B3.
#include <cstdint>

namespace vexmo {

// Every delay the program creates uses this code; the upload recognises delays by it.
inline constexpr uint8_t kDelayActionCode = 3;
// Codes below this one are delays for the editors and the action list.
inline constexpr uint8_t kFirstEventCode = 8;
inline constexpr uint8_t kReleaseFlag = 0x80;
inline constexpr uint32_t kMaxDelayMs = 0xFFFFFF;

// Event codes that are not keyboard keys.
inline constexpr uint8_t kMouseLeftCode = 224;
inline constexpr uint8_t kMouseRightCode = 225;
inline constexpr uint8_t kMouseMiddleCode = 226;
inline constexpr uint8_t kMouseKey4Code = 227;
inline constexpr uint8_t kMouseKey5Code = 228;
inline constexpr uint8_t kMouseMoveXCode = 229;
inline constexpr uint8_t kMouseMoveYCode = 230;
inline constexpr uint8_t kMouseWheelCode = 231;

struct MacroAction {
    uint8_t b0 = 0;
    uint8_t b1 = 0;
    uint8_t b2 = 0;
    uint8_t b3 = 0;

    bool IsDelay() const { return b0 < kFirstEventCode; }
    bool IsRelease() const { return (b1 & kReleaseFlag) != 0; }
    uint32_t DelayMs() const { return (uint32_t{b1} << 16) | (uint32_t{b2} << 8) | b3; }
    // The signed amount of a mouse movement or wheel action.
    int Amount() const { return static_cast<int8_t>(b3); }

    // A delay action (code 3); durations beyond the 24-bit field are cut to its maximum.
    static MacroAction Delay(uint32_t ms);
    static MacroAction Press(uint8_t code) { return {code, 0x00, 0, 0}; }
    static MacroAction Release(uint8_t code) { return {code, kReleaseFlag, 0, 0}; }

    friend bool operator==(const MacroAction&, const MacroAction&) = default;
};

} // namespace vexmo
