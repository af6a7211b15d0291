#pragma once
// A function as the lists and dialogs hand it to a button: the name to show, the code, and
// for a macro the record to copy into the button (borrowed: the caller's macro outlives it).
#include "settings/KeyFunctionCode.h"

#include <string>

namespace vexmo {

struct MacroRecord;

struct KeyFunctionChoice {
    std::string name;
    KeyFunctionCode code;
    const MacroRecord* macro = nullptr;
};

// Drops one trailing "+" (the fire-key and shortcut names end without it).
std::string WithoutTrailingPlus(std::string text);

} // namespace vexmo
