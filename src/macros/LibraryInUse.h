#pragma once
// Whether a library item may be deleted: not while it is, or holds, a macro bound to a button
// of the active profile. Only buttons whose function is a macro count; a stale MacroKeyIndex
// left on a button that now does something else does not hold the item.
#include "macros/LibraryLocation.h"

namespace vexmo {

class MacroLibrary;
struct ProfileRecord;

bool ItemBoundInProfile(const MacroLibrary& library, const ProfileRecord& profile,
                        const LibraryLocation& location);

} // namespace vexmo
