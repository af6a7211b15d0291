#pragma once
// Numbers the library macros bound to a profile's buttons (1, 2, 3 ... in the order buttons
// 0 to 5 first use them; one macro on two buttons gets one slot) and rewrites the buttons'
// macro codes with slot and loop settings.
#include "device/ConfigBlocks.h"
#include "macros/LibraryLocation.h"
#include "macros/MacroLibrary.h"
#include "settings/ProfileRecord.h"

#include <array>
#include <optional>
#include <string>

namespace vexmo {

// The library macro with this id, searching level 0 in slot order, then every level-1 group,
// then every level-2 group; each group is searched up to its first free slot. None when the
// id is 0 or no macro item carries it.
struct FoundMacro {
    LibraryLocation location;
    const MacroRecord* macro = nullptr;
};
std::optional<FoundMacro> FindLibraryMacro(const MacroLibrary& library, uint32_t macroKeyIndex);

struct MacroBinding {
    uint8_t slot = 0;
    // The library's record: the events and loop settings the mouse must get, whatever the
    // button's own copy holds (a copy read from a profile file carries no events).
    const MacroRecord* macro = nullptr;
};
using MacroBindings = std::array<std::optional<MacroBinding>, kButtonSlots>; // by profile button

// For every macro button of `profile`: found in the library, the code becomes 90, loop type
// and slot, loop count (for loop type 2), and with `copyMacros` the library macro is copied
// into the button; not found, the button becomes no function named `noFunctionName`.
MacroBindings AssignMacroSlots(ProfileRecord& profile, const MacroLibrary& library, bool copyMacros,
                               const std::string& noFunctionName);

} // namespace vexmo
