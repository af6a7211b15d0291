#pragma once
// Where an item sits in the macro library: its level and its slot at each level.
// Kept tiny on purpose: the process globals include it.

namespace vexmo {

struct LibraryLocation {
    int stage = -1;      // 0, 1 or 2; -1 when no item is meant
    int stage0Index = 0; // slot at level 0 (the item's or its top folder's)
    int stage1Index = 0; // slot in the level-1 group; 0 when it does not apply
    int stage2Index = 0; // slot in the level-2 group; 0 when it does not apply

    friend bool operator==(const LibraryLocation&, const LibraryLocation&) = default;
};

inline constexpr LibraryLocation kNoLibraryLocation{-1, 0, 0, 0};

} // namespace vexmo
