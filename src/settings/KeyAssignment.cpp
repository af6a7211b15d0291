#include "settings/KeyAssignment.h"

#include <algorithm>

namespace vexmo {

void AssignMacroToKey(KeyAssignment& key, const MacroRecord* macro) {
    MacroRecord& own = key.macro;
    own.ActionCount = 0;
    own.Actions.fill(MacroAction{});
    if (macro == nullptr) {
        return;
    }
    own.Name = macro->Name;
    own.MacroKeyIndex = macro->MacroKeyIndex;
    own.LoopType = macro->LoopType;
    own.LoopCount = macro->LoopCount;
    own.CommandCount = macro->CommandCount;
    const uint32_t count = std::min(macro->ActionCount, kMacroActionSlots);
    for (uint32_t i = 0; i < count; ++i) {
        own.InsertAction(i, macro->Actions[i]);
    }
}

void AssignFunctionToKey(KeyAssignment& key, const KeyFunctionChoice& choice) {
    key.name = choice.name;
    key.code = choice.code;
    AssignMacroToKey(key, choice.macro);
    if (choice.macro != nullptr) {
        key.MacroKeyIndex = choice.macro->MacroKeyIndex;
    }
}

} // namespace vexmo
