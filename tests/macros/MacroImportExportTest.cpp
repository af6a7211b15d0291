#include "macros/MacroExport.h"
#include "macros/MacroImport.h"

#include "LibraryTestSupport.h"
#include "macros/LibraryFile.h"
#include "macros/MacroLibrary.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vexmo {
namespace {

using test::AddFolder;
using test::AddMacro;
using test::At;
using test::Layout;

// Stands in for the macro manager: answers the file dialog and records what it was asked.
class FakeHost : public LibraryTransferHost {
public:
    std::optional<std::filesystem::path> AskLibraryFilePath(const LibraryFileRequest& request) override {
        requests.push_back(request);
        return answer;
    }
    void ShowAttention(int textNumber) override { notices.push_back(textNumber); }
    void ShowLibraryRow(int row) override { rows.push_back(row); }
    void ImportFinished() override { ++finished; }

    std::optional<std::filesystem::path> answer;
    std::vector<LibraryFileRequest> requests;
    std::vector<int> notices;
    std::vector<int> rows;
    int finished = 0;
};

class MacroTransferTest : public test::LibraryGlobalsTest {
protected:
    void SetUp() override {
        test::LibraryGlobalsTest::SetUp();
        test::BuildSampleTree(source);
        // Give the macros content so copies can be told apart from new empty macros.
        for (const LibraryLocation& at : {At(0), At(1, 0), At(1, 1, 0), At(3, 0)}) {
            MacroRecord& macro = *source.ItemAt(at)->Macro;
            macro.InsertAction(0, MacroAction::Press(static_cast<uint8_t>(0x41 + at.stage0Index)));
            macro.InsertAction(1, MacroAction::Delay(120));
            macro.InsertAction(2, MacroAction::Release(static_cast<uint8_t>(0x41 + at.stage0Index)));
            macro.LoopType = 4;
            macro.LoopCount = 9;
            macro.CommandCount = 2;
        }
        host.answer = file;
    }

    // Writes `source` as an export file whose selection line is `selection`.
    void WriteExport(const LibraryLocation& selection) {
        ASSERT_TRUE(SaveLibraryFile(file, source, selection));
    }

    void ExpectImportEnded() const {
        EXPECT_EQ(host.finished, 1);
        EXPECT_EQ(ImportLibrary.NamedItemCount(), 0);
    }

    // The macro content of `target` at `at` equals that of `source` at `from`, with a new key.
    void ExpectCopied(const LibraryLocation& at, const LibraryLocation& from) const {
        const MacroRecord& copy = *target.ItemAt(at)->Macro;
        const MacroRecord& original = *source.ItemAt(from)->Macro;
        MacroRecord expected = copy;
        CopyMacroContent(original, expected);
        EXPECT_EQ(copy, expected);
        EXPECT_EQ(copy.LoopType, 4);
        EXPECT_EQ(copy.ActionCount, 3u);
    }

    test::TempDir dir;
    std::filesystem::path file = dir / "export.mbf";
    MacroLibrary source;
    MacroLibrary target;
    FakeHost host;
};

TEST_F(MacroTransferTest, ExportMacroOnlyForASelectedMacro) {
    for (const LibraryLocation& selection : {kNoLibraryLocation, At(1), At(20)}) {
        LibrarySelection = selection;
        EXPECT_FALSE(ExportMacroFile(source, host));
    }
    EXPECT_TRUE(host.requests.empty());
    EXPECT_FALSE(std::filesystem::exists(file));

    LibrarySelection = At(1, 0);
    ASSERT_TRUE(ExportMacroFile(source, host));
    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0],
              (LibraryFileRequest{LibraryFileDialog::Save, "mkf", "b.mkf", "mkf file(*.mkf)|*.mkf||", 253}));
    LibraryLoadReport report;
    MacroLibrary readBack;
    ASSERT_TRUE(ReadLibraryFile(file, readBack, report));
    EXPECT_EQ(report.selection, At(1, 0));
    EXPECT_EQ(Layout(readBack), Layout(source)); // the whole library travels with the macro
}

TEST_F(MacroTransferTest, ExportLibraryNamesTheFileAfterTheSelection) {
    struct Case {
        LibraryLocation selection;
        const char* initialName;
    };
    const Case cases[] = {{kNoLibraryLocation, "AllMacroKey.mbf"}, {At(1), "F.mbf"}, {At(1, 1, 0), "c.mbf"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.initialName);
        host.requests.clear();
        LibrarySelection = c.selection;
        ASSERT_TRUE(ExportLibraryFile(source, host));
        ASSERT_EQ(host.requests.size(), 1u);
        EXPECT_EQ(host.requests[0], (LibraryFileRequest{LibraryFileDialog::Save, "mbf", c.initialName,
                                                        "mbf file(*.mbf)|*.mbf||", 255}));
        LibraryLoadReport report;
        MacroLibrary readBack;
        ASSERT_TRUE(ReadLibraryFile(file, readBack, report));
        EXPECT_EQ(report.selection, c.selection);
    }
}

TEST_F(MacroTransferTest, CancelledDialogsChangeNothing) {
    host.answer.reset();
    LibrarySelection = At(0);
    EXPECT_FALSE(ExportMacroFile(source, host));
    EXPECT_FALSE(ExportLibraryFile(source, host));
    EXPECT_FALSE(std::filesystem::exists(file));
    ImportMacroFile(source, host);
    ImportLibraryFile(source, host);
    ASSERT_EQ(host.requests.size(), 4u);
    EXPECT_EQ(host.requests[2],
              (LibraryFileRequest{LibraryFileDialog::Open, "mkf", ".mkf", kMacroFileFilter, 254}));
    EXPECT_EQ(host.requests[3],
              (LibraryFileRequest{LibraryFileDialog::Open, "mbf", ".mbf", kLibraryFileFilter, 256}));
    EXPECT_EQ(host.finished, 0);
    EXPECT_EQ(Layout(source), test::kSampleLayout);
    EXPECT_EQ(LibrarySelection, At(0));
}

TEST_F(MacroTransferTest, ImportSetForEachKindOfSelection) {
    struct Case {
        const char* name;
        LibraryLocation selection;
        std::vector<LibraryLocation> set;
    };
    const Case cases[] = {
        {"nothing selected: the level-0 run", kNoLibraryLocation, {At(0), At(1), At(2), At(3)}},
        {"a folder alone", At(1), {At(1)}},
        {"a level-1 folder alone", At(1, 1), {At(1, 1)}},
        {"a macro and the rest of its group", At(1, 0), {At(1, 0), At(1, 1), At(1, 2)}},
        {"the last macro of a group", At(1, 2), {At(1, 2)}},
        {"a level-2 macro", At(1, 1, 0), {At(1, 1, 0), At(1, 1, 1)}},
        {"a free slot", At(20), {}},
        {"a stage above 2", {3, 0, 0, 0}, {}},
        {"an index out of range", {0, 61, 0, 0}, {}},
    };
    // A gap after the run: items behind a free slot are not part of it.
    ASSERT_TRUE(source.AddMacroAt(At(5), "behind-gap", nullptr));
    ASSERT_TRUE(source.AddMacroAt(At(1, 4), "behind-gap", nullptr));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ImportSet(source, c.selection), c.set);
    }
}

TEST_F(MacroTransferTest, MacroFileBackIntoItsOwnGroupIsADuplicate) {
    WriteExport(At(1, 0)); // b, inside F
    target.SetNextMacroKeyIndex(50);
    test::BuildSampleTree(target);
    LibrarySelection = At(1);
    ImportMacroFile(target, host);
    EXPECT_EQ(host.notices, std::vector<int>{241});
    EXPECT_TRUE(host.rows.empty());
    EXPECT_EQ(Layout(target), test::kSampleLayout);
    ExpectImportEnded();
}

TEST_F(MacroTransferTest, MacroFileIntoAnotherFolderMakesACopyWithANewKey) {
    WriteExport(At(1, 0));
    test::BuildSampleTree(target);
    const uint32_t nextKey = target.NextMacroKeyIndex();
    LibrarySelection = At(3); // folder K
    ImportMacroFile(target, host);
    EXPECT_TRUE(host.notices.empty());
    EXPECT_EQ(LibrarySelection, At(3, 1));
    EXPECT_EQ(target.ItemAt(At(3))->IsOpen, 1);
    EXPECT_EQ(target.ItemAt(At(3, 1))->Name, "b");
    EXPECT_EQ(target.ItemAt(At(3, 1))->Macro->MacroKeyIndex, nextKey);
    ExpectCopied(At(3, 1), At(1, 0));
    EXPECT_EQ(host.rows, std::vector<int>{5}); // a F h K k1 b
    ExpectImportEnded();
}

TEST_F(MacroTransferTest, MacroFileNamingAFolderMakesAnEmptyMacro) {
    WriteExport(At(1));
    ImportMacroFile(target, host);
    EXPECT_EQ(Layout(target), "F@0");
    EXPECT_EQ(target.ItemAt(At(0))->Macro->ActionCount, 0u);
    EXPECT_EQ(target.ItemAt(At(0))->Macro->LoopType, kDefaultLoopType);
    ExpectImportEnded();
}

TEST_F(MacroTransferTest, MacroFileNamingNoItemCreatesNothing) {
    const LibraryLocation selections[] = {kNoLibraryLocation, {5, 0, 0, 0}, At(20), {1, 1, 77, 0}};
    for (const LibraryLocation& selection : selections) {
        SCOPED_TRACE(selection.stage);
        host.finished = 0;
        WriteExport(selection);
        ImportMacroFile(target, host);
        EXPECT_EQ(target.NamedItemCount(), 0);
        EXPECT_TRUE(host.notices.empty());
        ExpectImportEnded();
    }
}

TEST_F(MacroTransferTest, MacroFileIntoAFullGroupLeavesTheSelectedMacroAlone) {
    for (int i = 0; i < kLibrarySlots; ++i) {
        AddMacro(target, kNoLibraryLocation, "m" + std::to_string(i));
    }
    const MacroRecord before = *target.ItemAt(At(7))->Macro;
    WriteExport(At(0));
    LibrarySelection = At(7);
    ImportMacroFile(target, host);
    EXPECT_EQ(*target.ItemAt(At(7))->Macro, before);
    EXPECT_EQ(LibrarySelection, At(7));
    EXPECT_TRUE(host.notices.empty());
    ExpectImportEnded();
}

TEST_F(MacroTransferTest, AFileThatCannotBeReadBringsNothingOfAnEarlierImport) {
    WriteExport(At(0));
    ASSERT_TRUE(LoadLibraryFile(file, ImportLibrary)); // as if an earlier import had been left behind
    host.answer = dir / "missing.mkf";
    ImportMacroFile(target, host);
    ImportLibraryFile(target, host);
    EXPECT_EQ(target.NamedItemCount(), 0);
    EXPECT_EQ(ImportLibrary.NamedItemCount(), 0);
}

TEST_F(MacroTransferTest, LibraryFileImports) {
    struct Case {
        const char* name;
        LibraryLocation exported;  // the export file's selection line
        bool targetHasSample;      // else the target starts with folder T at 0 holding folder U
        LibraryLocation selection; // LibrarySelection in the target
        const char* layout;
        LibraryLocation lastCreated;
    };
    const Case cases[] = {
        {"everything into a level-0 folder: no third folder level", kNoLibraryLocation, false, At(0),
         "T/@0 U/@0,0 a@0,1 F/@0,2 h@0,3 K/@0,4 b@0,2,0 e@0,2,1 k1@0,4,0", At(0, 4)},
        {"everything at level 0 keeps the whole structure", kNoLibraryLocation, false, At(0, 0, 0),
         "T/@0 a@1 F/@2 h@3 K/@4 U/@0,0 b@2,0 G/@2,1 e@2,2 k1@4,0 c@2,1,0 d@2,1,1", At(4)},
        {"into a level-1 folder: only the macros", kNoLibraryLocation, false, At(0, 0),
         "T/@0 U/@0,0 a@0,0,0 h@0,0,1", At(0, 0, 1)},
        {"a macro and the rest of its group", At(1, 0), false, kNoLibraryLocation,
         "T/@0 b@1 G/@2 e@3 U/@0,0 c@2,0 d@2,1", At(3)},
        {"a folder alone", At(3), false, kNoLibraryLocation, "T/@0 K/@1 U/@0,0 k1@1,0", At(1)},
        {"a duplicate name imports nothing", kNoLibraryLocation, true, kNoLibraryLocation,
         test::kSampleLayout, kNoLibraryLocation},
        {"a duplicate inside the folder", At(1, 0), true, At(1), test::kSampleLayout, At(1)},
        {"nothing to import keeps the selection", At(30), false, At(0), "T/@0 U/@0,0", At(0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MacroLibrary into;
        if (c.targetHasSample) {
            test::BuildSampleTree(into);
        } else {
            into.SetNextMacroKeyIndex(100); // far from the keys in the file
            AddFolder(into, AddFolder(into, kNoLibraryLocation, "T"), "U");
        }
        const uint32_t firstNewKey = into.NextMacroKeyIndex();
        host = FakeHost{};
        host.answer = file;
        WriteExport(c.exported);
        LibrarySelection = c.selection;
        ImportLibraryFile(into, host);

        EXPECT_EQ(Layout(into), c.layout);
        const bool duplicate = c.targetHasSample;
        EXPECT_EQ(host.notices, duplicate ? std::vector<int>{241} : std::vector<int>{});
        EXPECT_EQ(LibrarySelection, duplicate ? c.selection : c.lastCreated);
        if (!duplicate) {
            EXPECT_EQ(host.rows, std::vector<int>{into.LocationToRow(c.lastCreated)});
        }
        EXPECT_EQ(host.finished, 1);
        EXPECT_EQ(ImportLibrary.NamedItemCount(), 0);
        // Every imported macro has a key of this library's counter, never one from the file.
        into.ForEachNamedItem([&](const LibraryLocation&, const LibraryItem& item) {
            if (item.Macro && !c.targetHasSample) {
                EXPECT_GE(item.Macro->MacroKeyIndex, firstNewKey) << item.Name;
            }
        });
    }
}

TEST_F(MacroTransferTest, LibraryImportCopiesContentAndOpensTheDestination) {
    WriteExport(kNoLibraryLocation);
    const LibraryLocation folder = AddFolder(target, kNoLibraryLocation, "T");
    LibrarySelection = folder;
    ImportLibraryFile(target, host);
    EXPECT_EQ(target.ItemAt(folder)->IsOpen, 1);
    EXPECT_EQ(Layout(target), "T/@0 a@0,0 F/@0,1 h@0,2 K/@0,3 b@0,1,0 e@0,1,1 k1@0,3,0");
    ExpectCopied(At(0, 0), At(0));       // a
    ExpectCopied(At(0, 1, 0), At(1, 0)); // b inside F
    ExpectCopied(At(0, 3, 0), At(3, 0)); // k1 inside K
    EXPECT_EQ(target.ItemAt(At(0, 1))->IsOpen, 0);
}

TEST_F(MacroTransferTest, FolderImportIntoAFullGroupCreatesNothing) {
    WriteExport(At(1)); // folder F with b, G (c, d) and e
    const LibraryLocation folder = AddFolder(target, kNoLibraryLocation, "T");
    for (int i = 0; i < kLibrarySlots; ++i) {
        AddMacro(target, folder, "m" + std::to_string(i));
    }
    const std::string before = Layout(target);
    LibrarySelection = folder;
    ImportLibraryFile(target, host);
    EXPECT_EQ(Layout(target), before);
    EXPECT_EQ(LibrarySelection, folder);
    EXPECT_TRUE(host.notices.empty());
}

} // namespace
} // namespace vexmo
