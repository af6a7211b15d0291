#pragma once
// One slot of the macro library: a folder, a macro (which owns its record), or free.
#include "macros/MacroRecord.h"

#include <memory>
#include <string>

namespace vexmo {

struct LibraryItem {
    std::string Name;                   // empty: the slot is free; compared case-sensitively
    std::unique_ptr<MacroRecord> Macro; // present for a macro item only
    int IsFolder = 0;                   // 1 for a folder
    int IsOpen = 0;                     // 1 when a folder shows its children; always 0 for macros

    bool IsFree() const { return Name.empty(); }
    bool IsNamedFolder() const { return !Name.empty() && IsFolder != 0; }
    bool IsNamedMacro() const { return !Name.empty() && IsFolder == 0; }
};

} // namespace vexmo
