#pragma once
// The macro library: a tree of three levels with 60 slots per group. Level 0 is one group;
// level-1 group j holds the children of level-0 slot j; level-2 group (j, k) holds the
// children of level-1 slot k of group j. Within a group the used slots are contiguous from
// slot 0 and names are unique (the editing operations keep this; the file reader stores what
// the file says).
//
// Groups are allocated only when something is stored in them and released when they empty,
// so an empty library is a few kilobytes. Each macro item owns its MacroRecord.
#include "macros/LibraryItem.h"
#include "macros/LibraryLocation.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

namespace vexmo {

inline constexpr int kLibrarySlots = 60;
inline constexpr int kLibraryLevels = 3;
inline constexpr uint32_t kFirstMacroKeyIndex = 1;

// What an attempt to create an item came to.
enum class CreateOutcome {
    Created,
    NameUsed,   // the destination group already holds the name
    GroupFull,  // all 60 slots of the destination group are named
    NotAllowed, // a folder inside a level-1 folder, or an empty name
};

class MacroLibrary {
public:
    MacroLibrary();
    ~MacroLibrary();
    MacroLibrary(const MacroLibrary&) = delete;
    MacroLibrary& operator=(const MacroLibrary&) = delete;

    // True when the location's stage is 0 to 2 and the indexes that apply lie in 0..59.
    static bool IsValidLocation(const LibraryLocation& location);

    // The slot at `location`, or none for an invalid location. The const form returns a shared
    // free item for a slot whose group was never used; the mutable form returns none there.
    const LibraryItem* ItemAt(const LibraryLocation& location) const;
    LibraryItem* ItemAt(const LibraryLocation& location);

    // Create a macro (a new MacroKeyIndex) or a folder where `selection` points (see
    // DestinationOf); on success `selection` becomes the new item's location.
    CreateOutcome TryCreateMacro(std::string_view name, LibraryLocation& selection);
    CreateOutcome TryCreateFolder(std::string_view name, LibraryLocation& selection);
    // The same on LibrarySelection; true only when the name is already used there.
    bool CreateMacro(std::string_view name);
    bool CreateFolder(std::string_view name);

    // Deletes the item with everything under it; the later slots of its group move down one.
    void DeleteItem(const LibraryLocation& location);
    // Deletes every item; NextMacroKeyIndex is kept.
    void Clear();

    // Store an item at an explicit location (the file reader); an existing item there is
    // replaced. False, and nothing stored, for an invalid location.
    bool AddMacroAt(const LibraryLocation& location, std::string_view name,
                    std::unique_ptr<MacroRecord> macro);
    bool AddFolderAt(const LibraryLocation& location, std::string_view name, bool isOpen);
    // Replaces the name of a stored item; an empty name is refused (it would free the slot
    // while its content stays). The caller checks for duplicates with NameUsedBySibling.
    bool RenameItem(const LibraryLocation& location, std::string_view name);

    bool NameUsedBySibling(const LibraryLocation& location, std::string_view name) const;
    bool NameUsedAtDestination(const LibraryLocation& destination, std::string_view name) const;
    // The item is a macro with this key, or a folder holding one (two levels down for a
    // level-0 folder).
    bool MacroInUse(uint32_t macroKeyIndex, const LibraryLocation& location) const;

    // The list's rows: named level-0 slots in order, each open folder followed by its
    // children's rows; free slots are skipped.
    int VisibleRowCount() const;
    LibraryLocation RowToLocation(int row) const;             // stage -1 when out of range
    int LocationToRow(const LibraryLocation& location) const; // -1 when not shown

    // Every folder of levels 0 and 1 closed.
    void CloseAllFolders();

    uint32_t NextMacroKeyIndex() const { return nextMacroKeyIndex_; }
    void SetNextMacroKeyIndex(uint32_t value) { nextMacroKeyIndex_ = value; }

    // Calls visit(location, item) for every named item in file order: all of level 0, then
    // level 1 by group, then level 2 by group.
    template <typename Visit> void ForEachNamedItem(Visit&& visit) const;
    int NamedItemCount() const;
    // How many groups are allocated (level 0 counts as one): for the memory figures.
    int AllocatedGroupCount() const;

private:
    using Group = std::array<LibraryItem, kLibrarySlots>;
    using GroupPtr = std::unique_ptr<Group>;
    // The level-2 groups under one level-0 slot, by level-1 slot.
    using GroupRow = std::array<GroupPtr, kLibrarySlots>;

    // The group a new item created at `selection` enters.
    struct Destination {
        int stage = 0;
        int parent0 = 0;
        int parent1 = 0;
    };
    bool DestinationOf(const LibraryLocation& selection, bool forFolder, Destination& destination) const;
    CreateOutcome CreateItem(std::string_view name, bool isFolder, LibraryLocation& selection);

    const Group* GroupOf(int stage, int parent0, int parent1) const;
    Group& GroupFor(int stage, int parent0, int parent1); // allocates on first use
    const GroupPtr* Level2Group(int j, int k) const;
    void ReleaseLevel1Children(int j);
    void ReleaseEmptyGroups(int stage, int j, int k);

    void DeleteAtLevel0(int j);
    void DeleteAtLevel1(int j, int k);
    void DeleteAtLevel2(int j, int k, int m);

    bool GroupHasMacro(const Group* group, uint32_t key) const;

    // Walks the rows; visit(location, item) returns true to stop. Returns the rows walked.
    template <typename Visit> int WalkRows(Visit&& visit) const;

    Group level0_;
    std::array<GroupPtr, kLibrarySlots> level1_;
    std::array<std::unique_ptr<GroupRow>, kLibrarySlots> level2_;
    uint32_t nextMacroKeyIndex_ = kFirstMacroKeyIndex;
};

template <typename Visit> void MacroLibrary::ForEachNamedItem(Visit&& visit) const {
    for (int j = 0; j < kLibrarySlots; ++j) {
        if (!level0_[j].IsFree()) {
            visit(LibraryLocation{0, j, 0, 0}, level0_[j]);
        }
    }
    for (int j = 0; j < kLibrarySlots; ++j) {
        if (!level1_[j]) {
            continue;
        }
        for (int k = 0; k < kLibrarySlots; ++k) {
            if (!(*level1_[j])[k].IsFree()) {
                visit(LibraryLocation{1, j, k, 0}, (*level1_[j])[k]);
            }
        }
    }
    for (int j = 0; j < kLibrarySlots; ++j) {
        if (!level2_[j]) {
            continue;
        }
        for (int k = 0; k < kLibrarySlots; ++k) {
            const GroupPtr& group = (*level2_[j])[k];
            for (int m = 0; group && m < kLibrarySlots; ++m) {
                if (!(*group)[m].IsFree()) {
                    visit(LibraryLocation{2, j, k, m}, (*group)[m]);
                }
            }
        }
    }
}

} // namespace vexmo
