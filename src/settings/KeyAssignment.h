#pragma once
// One programmable button of a profile: the name shown for its function, the function code,
// the library id of the macro last bound to it, and its own copy of that macro. The copy is
// owned by the key alone; binding a macro copies it in, nothing points into the library.
#include "macros/MacroRecord.h"
#include "settings/KeyFunctionChoice.h"
#include "settings/KeyFunctionCode.h"

#include <cstdint>
#include <string>

namespace vexmo {

struct KeyAssignment {
    std::string name;
    KeyFunctionCode code;
    uint32_t MacroKeyIndex = 0; // 0 when no macro was ever bound
    MacroRecord macro;

    friend bool operator==(const KeyAssignment&, const KeyAssignment&) = default;
};

// Makes the key's macro a copy of `macro` (name, library id, loop settings, command count and
// actions), or an empty macro when `macro` is null. Action slots past the copied count are
// cleared, so nothing of an earlier, longer macro stays behind in the key or its file.
// The key's own MacroKeyIndex is left alone.
void AssignMacroToKey(KeyAssignment& key, const MacroRecord* macro);

// Hands a function to the button: its name and code, a copy of the macro (emptied when the
// choice carries none), and for a macro the macro's library id as the key's MacroKeyIndex.
void AssignFunctionToKey(KeyAssignment& key, const KeyFunctionChoice& choice);

} // namespace vexmo
