#include "macros/MacroLibrary.h"

#include "settings/Globals.h"

#include <algorithm>

namespace vexmo {

namespace {

bool InSlotRange(int index) {
    return index >= 0 && index < kLibrarySlots;
}

// The slot index of a location within its own group.
int SlotOf(const LibraryLocation& location) {
    switch (location.stage) {
    case 0:
        return location.stage0Index;
    case 1:
        return location.stage1Index;
    default:
        return location.stage2Index;
    }
}

// The location with the indexes that do not apply to its stage set to 0.
LibraryLocation Normalized(const LibraryLocation& location) {
    LibraryLocation result = location;
    if (result.stage < 2) {
        result.stage2Index = 0;
    }
    if (result.stage < 1) {
        result.stage1Index = 0;
    }
    return result;
}

const LibraryItem& FreeItem() {
    static const LibraryItem free;
    return free;
}

template <typename Array> void RemoveAndCloseGap(Array& slots, int index) {
    std::rotate(slots.begin() + index, slots.begin() + index + 1, slots.end());
    slots.back() = {};
}

} // namespace

MacroLibrary::MacroLibrary() = default;
MacroLibrary::~MacroLibrary() = default;

bool MacroLibrary::IsValidLocation(const LibraryLocation& location) {
    switch (location.stage) {
    case 2:
        if (!InSlotRange(location.stage2Index)) {
            return false;
        }
        [[fallthrough]];
    case 1:
        if (!InSlotRange(location.stage1Index)) {
            return false;
        }
        [[fallthrough]];
    case 0:
        return InSlotRange(location.stage0Index);
    default:
        return false;
    }
}

const MacroLibrary::Group* MacroLibrary::GroupOf(int stage, int parent0, int parent1) const {
    switch (stage) {
    case 0:
        return &level0_;
    case 1:
        return level1_[parent0].get();
    default: {
        const GroupPtr* group = Level2Group(parent0, parent1);
        return group != nullptr ? group->get() : nullptr;
    }
    }
}

const MacroLibrary::GroupPtr* MacroLibrary::Level2Group(int j, int k) const {
    return level2_[j] ? &(*level2_[j])[k] : nullptr;
}

MacroLibrary::Group& MacroLibrary::GroupFor(int stage, int parent0, int parent1) {
    if (stage == 0) {
        return level0_;
    }
    if (stage == 1) {
        if (!level1_[parent0]) {
            level1_[parent0] = std::make_unique<Group>();
        }
        return *level1_[parent0];
    }
    if (!level2_[parent0]) {
        level2_[parent0] = std::make_unique<GroupRow>();
    }
    GroupPtr& group = (*level2_[parent0])[parent1];
    if (!group) {
        group = std::make_unique<Group>();
    }
    return *group;
}

const LibraryItem* MacroLibrary::ItemAt(const LibraryLocation& location) const {
    if (!IsValidLocation(location)) {
        return nullptr;
    }
    const Group* group = GroupOf(location.stage, location.stage0Index, location.stage1Index);
    return group != nullptr ? &(*group)[SlotOf(location)] : &FreeItem();
}

LibraryItem* MacroLibrary::ItemAt(const LibraryLocation& location) {
    if (!IsValidLocation(location)) {
        return nullptr;
    }
    const Group* group = GroupOf(location.stage, location.stage0Index, location.stage1Index);
    return group != nullptr ? const_cast<LibraryItem*>(&(*group)[SlotOf(location)]) : nullptr;
}

bool MacroLibrary::DestinationOf(const LibraryLocation& selection, bool forFolder,
                                 Destination& destination) const {
    destination = {};
    const LibraryItem* selected = ItemAt(selection);
    if (selected == nullptr || !selected->IsNamedFolder()) {
        return true;
    }
    if (selection.stage == 0) {
        destination = {1, selection.stage0Index, 0};
    } else if (selection.stage == 1) {
        if (forFolder) {
            return false; // the tree has two folder levels at most
        }
        destination = {2, selection.stage0Index, selection.stage1Index};
    }
    return true;
}

CreateOutcome MacroLibrary::CreateItem(std::string_view name, bool isFolder, LibraryLocation& selection) {
    Destination destination;
    if (name.empty() || !DestinationOf(selection, isFolder, destination)) {
        return CreateOutcome::NotAllowed;
    }
    int freeSlot = 0;
    if (const Group* existing = GroupOf(destination.stage, destination.parent0, destination.parent1)) {
        freeSlot = -1;
        for (int m = 0; m < kLibrarySlots; ++m) {
            if ((*existing)[m].Name == name) {
                return CreateOutcome::NameUsed;
            }
            if (freeSlot < 0 && (*existing)[m].IsFree()) {
                freeSlot = m;
            }
        }
        if (freeSlot < 0) {
            return CreateOutcome::GroupFull;
        }
    }
    Group& group = GroupFor(destination.stage, destination.parent0, destination.parent1);
    LibraryItem& item = group[freeSlot];
    item.Name = name;
    item.IsFolder = isFolder ? 1 : 0;
    item.IsOpen = 0;
    item.Macro.reset();
    if (!isFolder) {
        item.Macro = std::make_unique<MacroRecord>(std::string(name));
        item.Macro->MacroKeyIndex = nextMacroKeyIndex_++;
    }
    LibraryLocation created{destination.stage, destination.parent0, destination.parent1, 0};
    switch (destination.stage) {
    case 0:
        created.stage0Index = freeSlot;
        // A free slot can still carry children a hand-edited file put there; a new item starts empty.
        level1_[freeSlot].reset();
        level2_[freeSlot].reset();
        break;
    case 1:
        created.stage1Index = freeSlot;
        if (level2_[destination.parent0]) {
            (*level2_[destination.parent0])[freeSlot].reset();
        }
        break;
    default:
        created.stage2Index = freeSlot;
        break;
    }
    selection = created;
    return CreateOutcome::Created;
}

CreateOutcome MacroLibrary::TryCreateMacro(std::string_view name, LibraryLocation& selection) {
    return CreateItem(name, false, selection);
}

CreateOutcome MacroLibrary::TryCreateFolder(std::string_view name, LibraryLocation& selection) {
    return CreateItem(name, true, selection);
}

bool MacroLibrary::CreateMacro(std::string_view name) {
    return TryCreateMacro(name, LibrarySelection) == CreateOutcome::NameUsed;
}

bool MacroLibrary::CreateFolder(std::string_view name) {
    return TryCreateFolder(name, LibrarySelection) == CreateOutcome::NameUsed;
}

void MacroLibrary::ReleaseLevel1Children(int j) {
    level1_[j].reset();
    level2_[j].reset();
}

void MacroLibrary::DeleteAtLevel0(int j) {
    // Moving the later slots down moves their groups with them; the deleted item's groups
    // (and every macro in them) are freed by the rotation's final reset.
    ReleaseLevel1Children(j);
    RemoveAndCloseGap(level0_, j);
    RemoveAndCloseGap(level1_, j);
    RemoveAndCloseGap(level2_, j);
}

void MacroLibrary::DeleteAtLevel1(int j, int k) {
    if (level2_[j]) {
        (*level2_[j])[k].reset();
        RemoveAndCloseGap(*level2_[j], k);
    }
    if (level1_[j]) {
        RemoveAndCloseGap(*level1_[j], k);
    }
}

void MacroLibrary::DeleteAtLevel2(int j, int k, int m) {
    if (level2_[j] && (*level2_[j])[k]) {
        RemoveAndCloseGap(*(*level2_[j])[k], m);
    }
}

namespace {
template <typename Group> bool IsEmptyGroup(const Group& group) {
    return std::all_of(group.begin(), group.end(),
                       [](const LibraryItem& item) { return item.IsFree() && !item.Macro; });
}
} // namespace

void MacroLibrary::ReleaseEmptyGroups(int stage, int j, int k) {
    if (stage == 1 && level1_[j] && IsEmptyGroup(*level1_[j])) {
        level1_[j].reset();
    }
    if (stage < 1 || !level2_[j]) {
        return;
    }
    GroupRow& row = *level2_[j];
    if (stage == 2 && row[k] && IsEmptyGroup(*row[k])) {
        row[k].reset();
    }
    if (std::all_of(row.begin(), row.end(), [](const GroupPtr& group) { return !group; })) {
        level2_[j].reset();
    }
}

void MacroLibrary::DeleteItem(const LibraryLocation& location) {
    if (!IsValidLocation(location)) {
        return;
    }
    const int j = location.stage0Index;
    const int k = location.stage1Index;
    switch (location.stage) {
    case 0:
        DeleteAtLevel0(j);
        break;
    case 1:
        DeleteAtLevel1(j, k);
        break;
    default:
        DeleteAtLevel2(j, k, location.stage2Index);
        break;
    }
    ReleaseEmptyGroups(location.stage, j, k);
}

void MacroLibrary::Clear() {
    // Every slot, not only the run from slot 0: a file may have left items after a gap.
    for (int j = 0; j < kLibrarySlots; ++j) {
        level0_[j] = {};
        ReleaseLevel1Children(j);
    }
}

bool MacroLibrary::AddMacroAt(const LibraryLocation& location, std::string_view name,
                              std::unique_ptr<MacroRecord> macro) {
    if (!IsValidLocation(location) || name.empty()) {
        return false;
    }
    if (!macro) {
        macro = std::make_unique<MacroRecord>(std::string(name));
    }
    LibraryItem& item =
        GroupFor(location.stage, location.stage0Index, location.stage1Index)[SlotOf(location)];
    item.Name = name;
    item.Macro = std::move(macro);
    item.IsFolder = 0;
    item.IsOpen = 0;
    return true;
}

bool MacroLibrary::AddFolderAt(const LibraryLocation& location, std::string_view name, bool isOpen) {
    if (!IsValidLocation(location) || name.empty()) {
        return false;
    }
    LibraryItem& item =
        GroupFor(location.stage, location.stage0Index, location.stage1Index)[SlotOf(location)];
    item.Name = name;
    item.Macro.reset();
    item.IsFolder = 1;
    item.IsOpen = isOpen ? 1 : 0;
    return true;
}

bool MacroLibrary::RenameItem(const LibraryLocation& location, std::string_view name) {
    LibraryItem* item = ItemAt(location);
    if (item == nullptr || item->IsFree() || name.empty()) {
        return false;
    }
    item->Name = name;
    return true;
}

bool MacroLibrary::NameUsedBySibling(const LibraryLocation& location, std::string_view name) const {
    if (name.empty() || location.stage > 2) {
        return false;
    }
    const LibraryLocation where = location.stage <= 0 ? LibraryLocation{0, 0, 0, 0} : location;
    if (!IsValidLocation(where)) {
        return false;
    }
    const Group* group = GroupOf(where.stage, where.stage0Index, where.stage1Index);
    return group != nullptr && std::any_of(group->begin(), group->end(),
                                           [&](const LibraryItem& item) { return item.Name == name; });
}

bool MacroLibrary::NameUsedAtDestination(const LibraryLocation& destination, std::string_view name) const {
    Destination target;
    if (name.empty() || !DestinationOf(destination, false, target)) {
        return false;
    }
    const Group* group = GroupOf(target.stage, target.parent0, target.parent1);
    return group != nullptr && std::any_of(group->begin(), group->end(),
                                           [&](const LibraryItem& item) { return item.Name == name; });
}

bool MacroLibrary::GroupHasMacro(const Group* group, uint32_t key) const {
    return group != nullptr && std::any_of(group->begin(), group->end(), [key](const LibraryItem& item) {
               return item.Macro && item.Macro->MacroKeyIndex == key;
           });
}

bool MacroLibrary::MacroInUse(uint32_t macroKeyIndex, const LibraryLocation& location) const {
    const LibraryItem* item = ItemAt(location);
    if (item == nullptr || item->IsFree()) {
        return false;
    }
    if (item->IsFolder == 0 || location.stage == 2) {
        return item->Macro && item->Macro->MacroKeyIndex == macroKeyIndex;
    }
    const int j = location.stage0Index;
    if (location.stage == 1) {
        return GroupHasMacro(GroupOf(2, j, location.stage1Index), macroKeyIndex);
    }
    const Group* children = level1_[j].get();
    if (children == nullptr) {
        return false;
    }
    for (int k = 0; k < kLibrarySlots; ++k) {
        const LibraryItem& child = (*children)[k];
        if (child.IsFree()) {
            continue;
        }
        const bool found = child.IsFolder != 0 ? GroupHasMacro(GroupOf(2, j, k), macroKeyIndex)
                                               : child.Macro && child.Macro->MacroKeyIndex == macroKeyIndex;
        if (found) {
            return true;
        }
    }
    return false;
}

template <typename Visit> int MacroLibrary::WalkRows(Visit&& visit) const {
    const auto isOpenFolder = [](const LibraryItem& item) { return item.IsFolder != 0 && item.IsOpen != 0; };
    int row = 0;
    for (int j = 0; j < kLibrarySlots; ++j) {
        const LibraryItem& top = level0_[j];
        if (top.IsFree()) {
            continue;
        }
        if (visit(LibraryLocation{0, j, 0, 0}, row)) {
            return row;
        }
        ++row;
        const Group* children = level1_[j].get();
        if (!isOpenFolder(top) || children == nullptr) {
            continue;
        }
        for (int k = 0; k < kLibrarySlots; ++k) {
            const LibraryItem& middle = (*children)[k];
            if (middle.IsFree()) {
                continue;
            }
            if (visit(LibraryLocation{1, j, k, 0}, row)) {
                return row;
            }
            ++row;
            const Group* grandchildren = GroupOf(2, j, k);
            if (!isOpenFolder(middle) || grandchildren == nullptr) {
                continue;
            }
            for (int m = 0; m < kLibrarySlots; ++m) {
                if ((*grandchildren)[m].IsFree()) {
                    continue;
                }
                if (visit(LibraryLocation{2, j, k, m}, row)) {
                    return row;
                }
                ++row;
            }
        }
    }
    return row;
}

int MacroLibrary::VisibleRowCount() const {
    return WalkRows([](const LibraryLocation&, int) { return false; });
}

LibraryLocation MacroLibrary::RowToLocation(int row) const {
    LibraryLocation found = kNoLibraryLocation;
    if (row < 0) {
        return found;
    }
    WalkRows([&](const LibraryLocation& location, int current) {
        if (current != row) {
            return false;
        }
        found = location;
        return true;
    });
    return found;
}

int MacroLibrary::LocationToRow(const LibraryLocation& location) const {
    if (!IsValidLocation(location)) {
        return -1;
    }
    const LibraryLocation wanted = Normalized(location);
    int found = -1;
    WalkRows([&](const LibraryLocation& candidate, int row) {
        if (candidate != wanted) {
            return false;
        }
        found = row;
        return true;
    });
    return found;
}

void MacroLibrary::CloseAllFolders() {
    for (int j = 0; j < kLibrarySlots; ++j) {
        level0_[j].IsOpen = 0;
        if (level1_[j]) {
            for (LibraryItem& item : *level1_[j]) {
                item.IsOpen = 0;
            }
        }
    }
}

int MacroLibrary::NamedItemCount() const {
    int count = 0;
    ForEachNamedItem([&](const LibraryLocation&, const LibraryItem&) { ++count; });
    return count;
}

int MacroLibrary::AllocatedGroupCount() const {
    int count = 1;
    for (int j = 0; j < kLibrarySlots; ++j) {
        count += level1_[j] ? 1 : 0;
        if (level2_[j]) {
            count += static_cast<int>(std::count_if(level2_[j]->begin(), level2_[j]->end(),
                                                    [](const GroupPtr& group) { return group != nullptr; }));
        }
    }
    return count;
}

} // namespace vexmo
