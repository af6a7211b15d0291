#pragma once
// A macro as the mouse stores it: three bytes per key, button or movement event (delays are
// folded into the event before them), at most as many events as fit the 15 chunks of one
// transfer.
#include "macros/MacroRecord.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vexmo {

using MacroEvent = std::array<uint8_t, 3>;

// The longest delay one event can carry.
inline constexpr uint32_t kMaxEventDelayMs = 4095;
// 15 chunks of 25 bytes hold 125 three-byte events.
inline constexpr uint32_t kMaxDeviceMacroEvents = 125;

// The event for the action at `index` (a key, button or movement: not a delay), with the
// delay that follows it when the next action is a delay.
MacroEvent EncodeMacroEvent(const MacroRecord& macro, uint32_t index);
// The event for `action` with no delay after it.
MacroEvent EncodeMacroEvent(MacroAction action);

struct DeviceMacro {
    std::vector<uint8_t> data; // three bytes per event
    uint32_t eventCount = 0;   // events in `data`
    uint32_t sourceEvents = 0; // events the macro itself has
    bool Shortened() const { return eventCount != sourceEvents; }
};

// All events of the macro's used actions, in order. A macro with more events than one
// transfer holds is cut so that it still fits: the events that fit are kept, and every key or
// button the kept part leaves pressed gets its release appended, so the mouse never replays
// a key held down for good.
DeviceMacro EncodeMacroForDevice(const MacroRecord& macro);

// The 512-byte macro block the shadows compare: 0x09, 0x90, the slot, the event count, the
// events.
inline constexpr size_t kMacroBlockLength = 512;
using MacroBlock = std::array<uint8_t, kMacroBlockLength>;
MacroBlock BuildMacroBlock(uint8_t slot, const DeviceMacro& macro);

} // namespace vexmo
