#include "macros/LibraryInUse.h"

#include "macros/MacroLibrary.h"
#include "settings/ProfileRecord.h"

namespace vexmo {

bool ItemBoundInProfile(const MacroLibrary& library, const ProfileRecord& profile,
                        const LibraryLocation& location) {
    for (const KeyAssignment& key : profile.keys) {
        if (key.code.category == kMacroCategory && library.MacroInUse(key.MacroKeyIndex, location)) {
            return true;
        }
    }
    return false;
}

} // namespace vexmo
