#include "device/MacroSlots.h"

#include "settings/KeyAssignment.h"

#include <vector>

namespace vexmo {

namespace {
constexpr uint8_t kCountedLoopType = 2;
constexpr uint8_t kSlotMask = 0x0F;

// Visits the items of one group in slot order up to its first free slot; true when `match`
// accepted one.
template <typename Match>
bool SearchGroup(const MacroLibrary& library, LibraryLocation location, Match&& match) {
    int& slot = location.stage == 0   ? location.stage0Index
                : location.stage == 1 ? location.stage1Index
                                      : location.stage2Index;
    for (slot = 0; slot < kLibrarySlots; ++slot) {
        const LibraryItem* item = library.ItemAt(location);
        if (item == nullptr || item->IsFree()) {
            return false;
        }
        if (match(location, *item)) {
            return true;
        }
    }
    return false;
}
} // namespace

std::optional<FoundMacro> FindLibraryMacro(const MacroLibrary& library, uint32_t macroKeyIndex) {
    if (macroKeyIndex == 0) {
        return std::nullopt;
    }
    std::optional<FoundMacro> found;
    auto match = [&](const LibraryLocation& location, const LibraryItem& item) {
        if (!item.IsNamedMacro() || item.Macro == nullptr || item.Macro->MacroKeyIndex != macroKeyIndex) {
            return false;
        }
        found = FoundMacro{location, item.Macro.get()};
        return true;
    };
    if (SearchGroup(library, {0, 0, 0, 0}, match)) {
        return found;
    }
    for (int j = 0; j < kLibrarySlots; ++j) {
        if (SearchGroup(library, {1, j, 0, 0}, match)) {
            return found;
        }
    }
    for (int j = 0; j < kLibrarySlots; ++j) {
        for (int k = 0; k < kLibrarySlots; ++k) {
            if (SearchGroup(library, {2, j, k, 0}, match)) {
                return found;
            }
        }
    }
    return std::nullopt;
}

MacroBindings AssignMacroSlots(ProfileRecord& profile, const MacroLibrary& library, bool copyMacros,
                               const std::string& noFunctionName) {
    MacroBindings bindings;
    std::vector<std::pair<LibraryLocation, uint8_t>> slotOfPosition;
    uint8_t nextSlot = 1;
    for (size_t button = 0; button < kButtonSlots; ++button) {
        KeyAssignment& key = profile.keys[button];
        if (key.code.category != kMacroCategory) {
            continue;
        }
        const std::optional<FoundMacro> found = FindLibraryMacro(library, key.MacroKeyIndex);
        if (!found) {
            key.name = noFunctionName;
            key.code = kNoFunctionCode;
            continue;
        }
        uint8_t slot = 0;
        for (const auto& [location, taken] : slotOfPosition) {
            if (location == found->location) {
                slot = taken;
            }
        }
        if (slot == 0) {
            slot = nextSlot++;
            slotOfPosition.emplace_back(found->location, slot);
        }
        if (copyMacros) {
            AssignMacroToKey(key, found->macro);
        }
        const MacroRecord& macro = *found->macro;
        key.code = {kMacroCategory, static_cast<uint8_t>((macro.LoopType << 4) | (slot & kSlotMask)),
                    macro.LoopType == kCountedLoopType ? macro.LoopCount : uint8_t{0}};
        bindings[button] = MacroBinding{slot, found->macro};
    }
    return bindings;
}

} // namespace vexmo
