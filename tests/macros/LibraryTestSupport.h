#pragma once
// Helpers shared by the library tests: build small trees and describe them in one line.
#include "macros/MacroLibrary.h"
#include "settings/Globals.h"

#include <gtest/gtest.h>

#include <string>

namespace vexmo::test {

// "a@0 f/@1 x@1,0 y@1,0,0": every named item in file order, folders marked with "/",
// then the slot indexes that apply to its stage.
inline std::string Layout(const MacroLibrary& library) {
    std::string text;
    library.ForEachNamedItem([&](const LibraryLocation& at, const LibraryItem& item) {
        if (!text.empty()) {
            text += ' ';
        }
        text += item.Name + (item.IsFolder != 0 ? "/" : "") + "@" + std::to_string(at.stage0Index);
        if (at.stage >= 1) {
            text += "," + std::to_string(at.stage1Index);
        }
        if (at.stage == 2) {
            text += "," + std::to_string(at.stage2Index);
        }
    });
    return text;
}

inline LibraryLocation At(int j) {
    return {0, j, 0, 0};
}
inline LibraryLocation At(int j, int k) {
    return {1, j, k, 0};
}
inline LibraryLocation At(int j, int k, int m) {
    return {2, j, k, m};
}

// Creates an item where `selection` points and leaves the selection unchanged.
inline LibraryLocation AddMacro(MacroLibrary& library, const LibraryLocation& selection,
                                const std::string& name) {
    LibraryLocation where = selection;
    EXPECT_EQ(library.TryCreateMacro(name, where), CreateOutcome::Created) << name;
    return where;
}

inline LibraryLocation AddFolder(MacroLibrary& library, const LibraryLocation& selection,
                                 const std::string& name) {
    LibraryLocation where = selection;
    EXPECT_EQ(library.TryCreateFolder(name, where), CreateOutcome::Created) << name;
    return where;
}

// The tree most tests start from:
//   a            (macro, slot 0)
//   F/           (folder, slot 1)
//     b          (1,0)
//     G/         (1,1)
//       c        (1,1,0)
//       d        (1,1,1)
//     e          (1,2)
//   h            (macro, slot 2)
//   K/           (folder, slot 3)
//     k1         (3,0)
inline void BuildSampleTree(MacroLibrary& library) {
    const LibraryLocation none = kNoLibraryLocation;
    AddMacro(library, none, "a");
    const LibraryLocation f = AddFolder(library, none, "F");
    AddMacro(library, f, "b");
    const LibraryLocation g = AddFolder(library, f, "G");
    AddMacro(library, g, "c");
    AddMacro(library, g, "d");
    AddMacro(library, f, "e");
    AddMacro(library, none, "h");
    const LibraryLocation k = AddFolder(library, none, "K");
    AddMacro(library, k, "k1");
}

inline constexpr const char* kSampleLayout = "a@0 F/@1 h@2 K/@3 b@1,0 G/@1,1 e@1,2 k1@3,0 c@1,1,0 d@1,1,1";

// Resets the process globals the library operations use around each test.
class LibraryGlobalsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetGlobals(); }
    void TearDown() override { ResetGlobals(); }
    static void ResetGlobals() {
        LibrarySelection = kNoLibraryLocation;
        ImportSelection = kNoLibraryLocation;
        ImportLibrary.Clear();
        ImportLibrary.SetNextMacroKeyIndex(kFirstMacroKeyIndex);
    }
};

} // namespace vexmo::test
