#pragma once
// One macro: a name, its library id, its loop settings and up to 336 action slots.
// The library owns one record per macro item and every button of a profile owns its own copy;
// records are plain values, copied whole (no sharing, no allocation in the editing operations).
#include "macros/MacroAction.h"
#include "macros/MacroActionText.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vexmo {

inline constexpr uint32_t kMacroActionSlots = 336;
// Non-delay actions per macro; the recorder and the insert commands enforce it.
inline constexpr uint32_t kMacroCommandLimit = 168;
// Eight hexadecimal digits per slot, all 336 slots.
inline constexpr size_t kAllActionTextLength = kMacroActionSlots * 8;
inline constexpr uint8_t kDefaultLoopType = 2;
inline constexpr uint8_t kDefaultLoopCount = 1;

struct MacroRecord {
    MacroRecord() = default;
    explicit MacroRecord(std::string name) : Name(std::move(name)) {}

    std::string Name;
    uint32_t MacroKeyIndex = 0;
    uint32_t ActionCount = 0; // used slots, 0 to 336
    std::array<MacroAction, kMacroActionSlots> Actions{};
    uint8_t LoopType = kDefaultLoopType;   // 1, 2 or 4
    uint8_t LoopCount = kDefaultLoopCount; // 1 to 255, used with loop type 2
    uint8_t CommandCount = 0;              // non-delay actions, kept by the editors

    // Stores the action at slot `index` (0 to 335); ActionCount is not changed.
    bool SetAction(uint32_t index, MacroAction action);
    // Inserts at `position`, moving the later actions up; a position past the end appends.
    // Fails when all 336 slots are in use.
    bool InsertAction(uint32_t position, MacroAction action);
    // Removes the action at `index`, moving the later slots down and zeroing slot 335.
    bool RemoveAction(uint32_t index);

    friend bool operator==(const MacroRecord&, const MacroRecord&) = default;
};

// Copies everything but MacroKeyIndex: the target keeps its own library id.
void CopyMacroContent(const MacroRecord& from, MacroRecord& to);

// "%.2X%.2X%.2X%.2X" of B0..B3.
std::string FormatAction(MacroAction action);
// The AllAction value: all 336 slots in order, 2688 digits, whatever ActionCount is.
std::string FormatAllActions(const MacroRecord& macro);
// Reads an AllAction value into all 336 slots. False, with the record untouched, unless the
// text is exactly 2688 characters; a pair that is not hexadecimal reads as 0.
bool ParseAllActions(std::string_view text, MacroRecord& macro);
// Reads a MacroActionNum value (decimal). False when it is empty, negative or above 336:
// such a count would reach past the action slots, so the file holding it is malformed.
bool ParseActionCount(std::string_view text, uint32_t& count);

} // namespace vexmo
