#include "device/MacroEncoding.h"

#include "settings/VirtualKeyUsage.h"

#include <algorithm>

namespace vexmo {

namespace {
constexpr uint8_t kKeyType = 0x30;
constexpr uint8_t kModifierType = 0x20;
constexpr uint8_t kMouseButtonType = 0x10;
constexpr uint8_t kMoveXType = 0x40;
constexpr uint8_t kMoveYType = 0x50;
constexpr uint8_t kWheelType = 0x60;
constexpr uint8_t kOtherType = 0x00;

constexpr uint8_t kBlockMarker = 0x09;
constexpr uint8_t kBlockCategory = 0x90;
constexpr size_t kBlockEventsOffset = 4;

struct TypeAndCode {
    uint8_t type;
    uint8_t code;
};

TypeAndCode Classify(MacroAction action) {
    const uint8_t usage = VirtualKeyUsage(action.b0);
    const uint8_t bit = static_cast<uint8_t>(1u << (usage & 7));
    if (usage < 0x91) {
        return {kKeyType, usage};
    }
    if (usage <= 0xE7) {
        return {kModifierType, bit};
    }
    if (usage >= 0xF0 && usage <= 0xF4) {
        return {kMouseButtonType, bit};
    }
    switch (usage) {
    case 0xF5:
        return {kMoveXType, action.b3};
    case 0xF6:
        return {kMoveYType, action.b3};
    case 0xF7:
        return {kWheelType, action.b3};
    default:
        return {kOtherType, usage};
    }
}

// Keys, modifiers and mouse buttons stay down until released; movements do not.
bool IsHeld(uint8_t type) {
    return type == kKeyType || type == kModifierType || type == kMouseButtonType;
}

MacroEvent Encode(MacroAction action, uint32_t delayMs) {
    const TypeAndCode tc = Classify(action);
    const uint32_t delay = std::min(delayMs, kMaxEventDelayMs);
    return {static_cast<uint8_t>((action.b1 & kReleaseFlag) | ((delay >> 8) & 0x0F) | tc.type),
            static_cast<uint8_t>(delay & 0xFF), tc.code};
}

uint32_t UsedActions(const MacroRecord& macro) {
    return std::min(macro.ActionCount, kMacroActionSlots);
}

bool IsDeviceDelay(MacroAction action) {
    return action.b0 == kDelayActionCode;
}

// The most events of `events` that, with a release for every key they leave down, still fit
// one transfer; `held` receives those keys.
size_t LongestFittingPrefix(const MacroRecord& macro, const std::vector<uint32_t>& events,
                            std::vector<uint8_t>& held) {
    std::vector<uint8_t> heldNow;
    size_t kept = 0;
    held.clear();
    for (size_t n = 1; n <= kMaxDeviceMacroEvents; ++n) {
        const MacroAction action = macro.Actions[events[n - 1]];
        if (IsHeld(Classify(action).type)) {
            std::erase(heldNow, action.b0);
            if (!action.IsRelease()) {
                heldNow.push_back(action.b0);
            }
        }
        if (n + heldNow.size() <= kMaxDeviceMacroEvents) {
            kept = n;
            held = heldNow;
        }
    }
    return kept;
}
} // namespace

MacroEvent EncodeMacroEvent(const MacroRecord& macro, uint32_t index) {
    const uint32_t next = index + 1;
    uint32_t delay = 0;
    if (next < UsedActions(macro) && IsDeviceDelay(macro.Actions[next])) {
        delay = macro.Actions[next].DelayMs();
    }
    return Encode(macro.Actions[index], delay);
}

MacroEvent EncodeMacroEvent(MacroAction action) {
    return Encode(action, 0);
}

DeviceMacro EncodeMacroForDevice(const MacroRecord& macro) {
    std::vector<uint32_t> events; // action indexes
    for (uint32_t i = 0; i < UsedActions(macro); ++i) {
        if (!IsDeviceDelay(macro.Actions[i])) {
            events.push_back(i);
        }
    }
    DeviceMacro result;
    result.sourceEvents = static_cast<uint32_t>(events.size());

    size_t kept = events.size();
    std::vector<uint8_t> held; // key codes the kept part leaves down, in press order
    if (events.size() > kMaxDeviceMacroEvents) {
        kept = LongestFittingPrefix(macro, events, held);
    }
    for (size_t i = 0; i < kept; ++i) {
        const MacroEvent event = EncodeMacroEvent(macro, events[i]);
        result.data.insert(result.data.end(), event.begin(), event.end());
    }
    for (uint8_t code : held) {
        const MacroEvent event = EncodeMacroEvent(MacroAction::Release(code));
        result.data.insert(result.data.end(), event.begin(), event.end());
    }
    result.eventCount = static_cast<uint32_t>(kept + held.size());
    return result;
}

MacroBlock BuildMacroBlock(uint8_t slot, const DeviceMacro& macro) {
    MacroBlock block{};
    block[0] = kBlockMarker;
    block[1] = kBlockCategory;
    block[2] = slot;
    block[3] = static_cast<uint8_t>(macro.eventCount);
    const size_t bytes = std::min(macro.data.size(), kMacroBlockLength - kBlockEventsOffset);
    std::copy_n(macro.data.begin(), bytes, block.begin() + kBlockEventsOffset);
    return block;
}

} // namespace vexmo
