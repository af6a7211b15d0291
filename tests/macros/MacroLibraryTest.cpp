#include "macros/MacroLibrary.h"

#include "LibraryTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexmo {
namespace {

using test::AddFolder;
using test::AddMacro;
using test::At;
using test::Layout;

class MacroLibraryTest : public test::LibraryGlobalsTest {
protected:
    uint32_t KeyAt(const LibraryLocation& location) const {
        const LibraryItem* item = library.ItemAt(location);
        return item != nullptr && item->Macro ? item->Macro->MacroKeyIndex : 0;
    }

    MacroLibrary library;
};

TEST_F(MacroLibraryTest, DeletingClosesTheGapButKeysAreNeverReused) {
    EXPECT_FALSE(library.CreateMacro("a"));
    EXPECT_EQ(LibrarySelection, At(0));
    EXPECT_FALSE(library.CreateMacro("b"));
    EXPECT_EQ(LibrarySelection, At(1));
    const uint32_t keyOfB = KeyAt(At(1));
    EXPECT_EQ(KeyAt(At(0)), kFirstMacroKeyIndex);

    library.DeleteItem(At(0));
    EXPECT_EQ(Layout(library), "b@0");
    LibrarySelection = kNoLibraryLocation;
    EXPECT_FALSE(library.CreateMacro("c"));
    EXPECT_EQ(Layout(library), "b@0 c@1");
    EXPECT_EQ(KeyAt(At(1)), keyOfB + 1);
    EXPECT_EQ(library.NextMacroKeyIndex(), keyOfB + 2);
}

TEST_F(MacroLibraryTest, NewItemsGoWhereTheSelectionPoints) {
    struct Case {
        const char* name;
        LibraryLocation selection;
        LibraryLocation newMacro;
        bool folderAllowed;
        LibraryLocation newFolder;
    };
    const LibraryLocation level0End = At(4);
    const Case cases[] = {
        {"nothing selected", kNoLibraryLocation, level0End, true, level0End},
        {"level-0 macro", At(0), level0End, true, level0End},
        {"level-0 folder", At(1), At(1, 3), true, At(1, 3)},
        {"level-1 folder", At(1, 1), At(1, 1, 2), false, {}},
        {"level-1 macro", At(1, 0), level0End, true, level0End},
        {"level-2 macro", At(1, 1, 0), level0End, true, level0End},
        {"free slot", At(10), level0End, true, level0End},
        {"stage above 2", {5, 0, 0, 0}, level0End, true, level0End},
        {"index out of range", {0, 70, 0, 0}, level0End, true, level0End},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (bool folder : {false, true}) {
            MacroLibrary tree;
            test::BuildSampleTree(tree);
            const uint32_t nextKey = tree.NextMacroKeyIndex();
            LibraryLocation selection = c.selection;
            const CreateOutcome outcome =
                folder ? tree.TryCreateFolder("new", selection) : tree.TryCreateMacro("new", selection);
            if (folder && !c.folderAllowed) {
                EXPECT_EQ(outcome, CreateOutcome::NotAllowed);
                EXPECT_EQ(selection, c.selection);
                EXPECT_EQ(Layout(tree), test::kSampleLayout);
                continue;
            }
            ASSERT_EQ(outcome, CreateOutcome::Created);
            const LibraryLocation expected = folder ? c.newFolder : c.newMacro;
            EXPECT_EQ(selection, expected);
            const LibraryItem* item = tree.ItemAt(expected);
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(item->Name, "new");
            EXPECT_EQ(item->IsFolder, folder ? 1 : 0);
            EXPECT_EQ(item->IsOpen, 0);
            EXPECT_EQ(item->Macro != nullptr, !folder);
            if (!folder) {
                EXPECT_EQ(item->Macro->MacroKeyIndex, nextKey);
                EXPECT_EQ(item->Macro->Name, "new");
                EXPECT_EQ(item->Macro->LoopType, kDefaultLoopType);
            }
            EXPECT_EQ(tree.NextMacroKeyIndex(), folder ? nextKey : nextKey + 1);
        }
    }
}

TEST_F(MacroLibraryTest, NamesAreUniquePerGroupAndCaseSensitive) {
    struct Case {
        LibraryLocation selection;
        const char* name;
        bool used;
    };
    const Case cases[] = {
        {kNoLibraryLocation, "a", true},
        {kNoLibraryLocation, "A", false},
        {kNoLibraryLocation, "F", true},
        {At(0), "h", true},
        {At(1), "a", false},
        {At(1), "b", true},
        {At(1), "G", true},
        {At(1, 1), "c", true},
        {At(1, 1), "b", false},
        {At(1, 0), "a", true},
        {At(3), "b", false},
        {At(3), "k1", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " at stage " + std::to_string(c.selection.stage));
        MacroLibrary tree;
        test::BuildSampleTree(tree);
        EXPECT_EQ(tree.NameUsedAtDestination(c.selection, c.name), c.used);
        LibrarySelection = c.selection;
        EXPECT_EQ(tree.CreateMacro(c.name), c.used);
        if (c.used) {
            EXPECT_EQ(Layout(tree), test::kSampleLayout);
            EXPECT_EQ(LibrarySelection, c.selection);
        }
    }
}

TEST_F(MacroLibraryTest, AFullGroupTakesNothingAndSaysNothing) {
    const LibraryLocation folder = AddFolder(library, kNoLibraryLocation, "F");
    for (int i = 1; i < kLibrarySlots; ++i) {
        AddMacro(library, kNoLibraryLocation, "m" + std::to_string(i));
    }
    for (int i = 0; i < kLibrarySlots; ++i) {
        AddMacro(library, folder, "c" + std::to_string(i));
    }
    const uint32_t nextKey = library.NextMacroKeyIndex();
    const std::string before = Layout(library);
    for (const LibraryLocation& selection : {kNoLibraryLocation, folder}) {
        LibrarySelection = selection;
        EXPECT_FALSE(library.CreateMacro("extra"));
        EXPECT_FALSE(library.CreateFolder("extra"));
        LibraryLocation where = selection;
        EXPECT_EQ(library.TryCreateMacro("extra", where), CreateOutcome::GroupFull);
        EXPECT_EQ(LibrarySelection, selection);
    }
    EXPECT_EQ(Layout(library), before);
    EXPECT_EQ(library.NextMacroKeyIndex(), nextKey);
}

TEST_F(MacroLibraryTest, EmptyNamesAreNeverCreated) {
    LibraryLocation where = kNoLibraryLocation;
    EXPECT_EQ(library.TryCreateMacro("", where), CreateOutcome::NotAllowed);
    EXPECT_EQ(library.TryCreateFolder("", where), CreateOutcome::NotAllowed);
    EXPECT_EQ(library.NamedItemCount(), 0);
}

TEST_F(MacroLibraryTest, DeleteClosesTheGapAtEachLevelWithTheChildGroups) {
    struct Case {
        const char* name;
        LibraryLocation location;
        const char* layout;
    };
    const Case cases[] = {
        {"level-0 macro", At(0), "F/@0 h@1 K/@2 b@0,0 G/@0,1 e@0,2 k1@2,0 c@0,1,0 d@0,1,1"},
        {"level-0 folder", At(1), "a@0 h@1 K/@2 k1@2,0"},
        {"last level-0 folder", At(3), "a@0 F/@1 h@2 b@1,0 G/@1,1 e@1,2 c@1,1,0 d@1,1,1"},
        {"level-1 macro", At(1, 0), "a@0 F/@1 h@2 K/@3 G/@1,0 e@1,1 k1@3,0 c@1,0,0 d@1,0,1"},
        {"level-1 folder", At(1, 1), "a@0 F/@1 h@2 K/@3 b@1,0 e@1,1 k1@3,0"},
        {"level-2 macro", At(1, 1, 0), "a@0 F/@1 h@2 K/@3 b@1,0 G/@1,1 e@1,2 k1@3,0 d@1,1,0"},
        {"last level-2 macro", At(1, 1, 1), "a@0 F/@1 h@2 K/@3 b@1,0 G/@1,1 e@1,2 k1@3,0 c@1,1,0"},
        {"out of range", {0, 60, 0, 0}, test::kSampleLayout},
        {"no stage", kNoLibraryLocation, test::kSampleLayout},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MacroLibrary tree;
        test::BuildSampleTree(tree);
        tree.DeleteItem(c.location);
        EXPECT_EQ(Layout(tree), c.layout);
    }
}

TEST_F(MacroLibraryTest, EmptiedGroupsAreReleased) {
    EXPECT_EQ(library.AllocatedGroupCount(), 1);
    test::BuildSampleTree(library);
    EXPECT_EQ(library.AllocatedGroupCount(), 4); // level 0, F's, G's and K's groups
    library.DeleteItem(At(1, 1));
    EXPECT_EQ(library.AllocatedGroupCount(), 3);
    library.DeleteItem(At(3, 0));
    EXPECT_EQ(library.AllocatedGroupCount(), 2);
    library.DeleteItem(At(1));
    EXPECT_EQ(library.AllocatedGroupCount(), 1);
}

TEST_F(MacroLibraryTest, ClearEmptiesEverySlotAndKeepsTheKeyCounter) {
    test::BuildSampleTree(library);
    // A file may leave items after a gap; clearing must not stop at the first free slot.
    ASSERT_TRUE(library.AddMacroAt(At(7), "after-gap", nullptr));
    ASSERT_TRUE(library.AddMacroAt(At(9, 4), "orphan", nullptr));
    const uint32_t nextKey = library.NextMacroKeyIndex();
    library.Clear();
    EXPECT_EQ(library.NamedItemCount(), 0);
    EXPECT_EQ(library.AllocatedGroupCount(), 1);
    EXPECT_EQ(library.NextMacroKeyIndex(), nextKey);
}

TEST_F(MacroLibraryTest, MacroInUseLooksThroughFolders) {
    test::BuildSampleTree(library);
    // Keys in creation order: a 1, b 2, c 3, d 4, e 5, h 6, k1 7.
    struct Case {
        uint32_t key;
        LibraryLocation location;
        bool inUse;
    };
    const Case cases[] = {
        {1, At(0), true},        {2, At(0), false},   {3, At(1), true},
        {4, At(1), true},        {2, At(1), true},    {5, At(1), true},
        {7, At(1), false},       {1, At(1), false},   {4, At(1, 1), true},
        {2, At(1, 1), false},    {5, At(1, 2), true}, {3, At(1, 1, 0), true},
        {4, At(1, 1, 0), false}, {7, At(3), true},    {3, kNoLibraryLocation, false},
        {0, At(10), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("key " + std::to_string(c.key) + " stage " + std::to_string(c.location.stage) +
                     " slot " + std::to_string(c.location.stage0Index));
        EXPECT_EQ(library.MacroInUse(c.key, c.location), c.inUse);
    }
}

TEST_F(MacroLibraryTest, RowsFollowOpenFoldersAndSkipFreeSlots) {
    struct Case {
        const char* name;
        std::vector<LibraryLocation> open;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"all closed", {}, {"a", "F", "h", "K", "z"}},
        {"F open", {At(1)}, {"a", "F", "b", "G", "e", "y", "h", "K", "z"}},
        {"F and G open", {At(1), At(1, 1)}, {"a", "F", "b", "G", "c", "d", "e", "y", "h", "K", "z"}},
        {"G open inside closed F", {At(1, 1)}, {"a", "F", "h", "K", "z"}},
        {"K open", {At(3)}, {"a", "F", "h", "K", "k1", "z"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MacroLibrary tree;
        test::BuildSampleTree(tree);
        // Gaps a file can leave: a level-0 item after free slots, a level-1 item after a gap.
        ASSERT_TRUE(tree.AddMacroAt(At(6), "z", nullptr));
        ASSERT_TRUE(tree.AddMacroAt(At(1, 7), "y", nullptr));
        for (const LibraryLocation& folder : c.open) {
            tree.ItemAt(folder)->IsOpen = 1;
        }
        const int rows = static_cast<int>(c.rows.size());
        ASSERT_EQ(tree.VisibleRowCount(), rows);
        for (int row = 0; row < rows; ++row) {
            const LibraryLocation location = tree.RowToLocation(row);
            ASSERT_NE(tree.ItemAt(location), nullptr) << row;
            EXPECT_EQ(tree.ItemAt(location)->Name, c.rows[row]) << row;
            EXPECT_EQ(tree.LocationToRow(location), row);
        }
        EXPECT_EQ(tree.RowToLocation(rows).stage, -1);
        EXPECT_EQ(tree.RowToLocation(-1).stage, -1);
    }
}

TEST_F(MacroLibraryTest, HiddenFreeAndInvalidLocationsHaveNoRow) {
    test::BuildSampleTree(library);
    EXPECT_EQ(library.LocationToRow(At(1, 0)), -1); // inside a closed folder
    EXPECT_EQ(library.LocationToRow(At(12)), -1);   // free slot
    EXPECT_EQ(library.LocationToRow(kNoLibraryLocation), -1);
    EXPECT_EQ(library.LocationToRow({0, 99, 0, 0}), -1);
    // Indexes that do not apply to the stage do not matter.
    EXPECT_EQ(library.LocationToRow({0, 2, 7, 9}), 2);
}

TEST_F(MacroLibraryTest, CloseAllFoldersClosesBothFolderLevels) {
    test::BuildSampleTree(library);
    for (const LibraryLocation& folder : {At(1), At(1, 1), At(3)}) {
        library.ItemAt(folder)->IsOpen = 1;
    }
    ASSERT_TRUE(library.AddFolderAt(At(8), "after-gap", true));
    library.CloseAllFolders();
    for (const LibraryLocation& folder : {At(1), At(1, 1), At(3), At(8)}) {
        EXPECT_EQ(library.ItemAt(folder)->IsOpen, 0);
    }
    EXPECT_EQ(library.VisibleRowCount(), 5);
}

TEST_F(MacroLibraryTest, InvalidLocationsNameNoItem) {
    test::BuildSampleTree(library);
    const LibraryLocation invalid[] = {
        kNoLibraryLocation, {3, 0, 0, 0},  {0, -1, 0, 0}, {0, 60, 0, 0},
        {1, 0, 60, 0},      {2, 1, 1, 60}, {2, 1, -5, 0},
    };
    for (const LibraryLocation& location : invalid) {
        const MacroLibrary& constant = library;
        EXPECT_EQ(constant.ItemAt(location), nullptr);
        EXPECT_EQ(library.ItemAt(location), nullptr);
        EXPECT_FALSE(library.AddMacroAt(location, "x", nullptr));
        EXPECT_FALSE(library.AddFolderAt(location, "x", false));
    }
    EXPECT_EQ(Layout(library), test::kSampleLayout);
    // A free slot of a group never used reads as free without allocating it.
    const MacroLibrary& constant = library;
    ASSERT_NE(constant.ItemAt(At(20, 5, 5)), nullptr);
    EXPECT_TRUE(constant.ItemAt(At(20, 5, 5))->IsFree());
    EXPECT_EQ(library.AllocatedGroupCount(), 4);
}

TEST_F(MacroLibraryTest, RenameAndSiblingNames) {
    test::BuildSampleTree(library);
    EXPECT_TRUE(library.NameUsedBySibling(At(1, 0), "e"));
    EXPECT_FALSE(library.NameUsedBySibling(At(1, 0), "a"));
    EXPECT_TRUE(library.NameUsedBySibling(kNoLibraryLocation, "h")); // no stage: level 0
    EXPECT_TRUE(library.NameUsedBySibling(At(1, 1, 1), "c"));
    EXPECT_FALSE(library.NameUsedBySibling({3, 0, 0, 0}, "a"));

    EXPECT_TRUE(library.RenameItem(At(1, 0), "renamed"));
    EXPECT_EQ(library.ItemAt(At(1, 0))->Name, "renamed");
    EXPECT_EQ(library.ItemAt(At(1, 0))->Macro->Name, "b"); // the record keeps its old name until reloaded
    EXPECT_FALSE(library.RenameItem(At(1, 0), ""));        // would free the slot and lose the macro
    EXPECT_FALSE(library.RenameItem(At(30), "x"));         // free slot
    EXPECT_EQ(library.ItemAt(At(1, 0))->Name, "renamed");
}

TEST_F(MacroLibraryTest, AddAtReplacesWhatIsStoredThere) {
    auto macro = std::make_unique<MacroRecord>("first");
    macro->MacroKeyIndex = 40;
    ASSERT_TRUE(library.AddMacroAt(At(2, 3, 4), "first", std::move(macro)));
    ASSERT_TRUE(library.AddFolderAt(At(2, 3, 4), "second", true));
    const LibraryItem* item = library.ItemAt(At(2, 3, 4));
    EXPECT_EQ(item->Name, "second");
    EXPECT_EQ(item->IsFolder, 1);
    EXPECT_EQ(item->IsOpen, 1);
    EXPECT_FALSE(item->Macro);
    ASSERT_TRUE(library.AddMacroAt(At(2, 3, 4), "third", nullptr));
    EXPECT_EQ(item->IsFolder, 0);
    EXPECT_EQ(item->IsOpen, 0);
    ASSERT_NE(item->Macro, nullptr);
    EXPECT_EQ(item->Macro->Name, "third");
}

TEST_F(MacroLibraryTest, ANewItemInAFreeSlotDoesNotInheritStrayChildren) {
    // A hand-edited file can put children under a slot that holds no folder.
    ASSERT_TRUE(library.AddMacroAt(At(0, 0), "stray", nullptr));
    const LibraryLocation folder = AddFolder(library, kNoLibraryLocation, "F");
    ASSERT_EQ(folder, At(0));
    EXPECT_EQ(Layout(library), "F/@0");
}

} // namespace
} // namespace vexmo
