#include "macros/LibraryFile.h"

#include "LibraryTestSupport.h"
#include "macros/MacroLibrary.h"
#include "settings/CStdioFileEx.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace vexmo {
namespace {

using test::At;
using test::Layout;

const std::filesystem::path kDataDir = VEXMO_TEST_DATA_DIR;
// sample.mlf, by line: 1-3 head, 4-13 Copy@0, 14-17 Games/@1, 18-27 Jump@1,0, 28-31 Combos/@1,1,
// 32-41 the level-2 macro with a non-ASCII name.
constexpr const char* kGoldenLayout = "Copy@0 Games/@1 Jump@1,0 Combos/@1,1 Ünïcode 宏@1,1,0";

std::vector<std::string> GoldenLines() {
    CStdioFileEx file;
    EXPECT_TRUE(file.Open(kDataDir / "sample.mlf", CStdioFileEx::Mode::ReadUnicode));
    std::vector<std::string> lines;
    std::string line;
    while (file.ReadString(line)) {
        lines.push_back(line);
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

MacroRecord MacroWith(const std::string& name, uint32_t key, uint8_t loopType, uint8_t loopCount,
                      const std::vector<MacroAction>& actions, uint8_t commands) {
    MacroRecord macro(name);
    macro.MacroKeyIndex = key;
    macro.LoopType = loopType;
    macro.LoopCount = loopCount;
    for (const MacroAction& action : actions) {
        macro.InsertAction(macro.ActionCount, action);
    }
    macro.CommandCount = commands;
    return macro;
}

class LibraryFileTest : public test::LibraryGlobalsTest {
protected:
    // Writes `text` as the program's UTF-16 file and reads it into `library`.
    bool LoadText(const std::string& text, LibraryLoadReport& report) {
        test::WriteBytes(dir / "in.mlf", test::Utf16Bytes(text));
        return ReadLibraryFile(dir / "in.mlf", library, report);
    }

    test::TempDir dir;
    MacroLibrary library;
};

TEST_F(LibraryFileTest, AnEmptyLibraryIsThreeLinesAndReadsBack) {
    library.SetNextMacroKeyIndex(1);
    ASSERT_TRUE(SaveLibraryFile(dir / "out.mlf", library, kNoLibraryLocation));
    EXPECT_EQ(test::ReadBytes(dir / "out.mlf"), test::ReadBytes(kDataDir / "empty.mlf"));

    MacroLibrary loaded;
    loaded.SetNextMacroKeyIndex(77);
    test::WriteBytes(dir / "three.mlf",
                     test::Utf16Bytes("[MacroLibrary]\nMacroKeyIndex=42\n"
                                      "Select Locaton:stage=-1;stage0Index=0;stage1Index=0;"
                                      "stage2Index=0;\n"));
    EXPECT_TRUE(LoadLibraryFile(dir / "three.mlf", loaded));
    EXPECT_EQ(loaded.NamedItemCount(), 0);
    EXPECT_EQ(loaded.NextMacroKeyIndex(), 42u);
}

TEST_F(LibraryFileTest, GoldenFileReadsIntoTheTreeAndWritesBackByteForByte) {
    LibraryLoadReport report;
    ASSERT_TRUE(ReadLibraryFile(kDataDir / "sample.mlf", library, report)) << report.reason;
    EXPECT_TRUE(report.complete);
    EXPECT_EQ(report.itemsRead, 5);
    EXPECT_EQ(report.selection, At(1, 0));
    EXPECT_EQ(Layout(library), kGoldenLayout);
    EXPECT_EQ(library.NextMacroKeyIndex(), 9u);
    EXPECT_EQ(library.ItemAt(At(1))->IsOpen, 1);
    const MacroRecord& jump = *library.ItemAt(At(1, 0))->Macro;
    EXPECT_EQ(jump,
              MacroWith("Jump", 5, 2, 3,
                        {MacroAction::Press(0x20), MacroAction::Delay(50), MacroAction::Release(0x20)}, 2));
    // Slots past ActionCount are kept as the file has them.
    EXPECT_EQ(library.ItemAt(At(1, 1, 0))->Macro->Actions[335], MacroAction::Press(0x41));

    ASSERT_TRUE(SaveLibraryFile(dir / "out.mlf", library, report.selection));
    EXPECT_EQ(test::ReadBytes(dir / "out.mlf"), test::ReadBytes(kDataDir / "sample.mlf"));
}

TEST_F(LibraryFileTest, ATreeBuiltInMemoryWritesTheGoldenFile) {
    library.SetNextMacroKeyIndex(9);
    using A = MacroAction;
    library.AddMacroAt(
        At(0), "Copy",
        std::make_unique<MacroRecord>(MacroWith(
            "Copy", 3, 1, 1,
            {A::Press(0x11), A::Delay(50), A::Press(0x43), A::Release(0x43), A::Release(0x11)}, 4)));
    library.AddFolderAt(At(1), "Games", true);
    library.AddMacroAt(At(1, 0), "Jump",
                       std::make_unique<MacroRecord>(
                           MacroWith("Jump", 5, 2, 3, {A::Press(0x20), A::Delay(50), A::Release(0x20)}, 2)));
    library.AddFolderAt(At(1, 1), "Combos", false);
    auto unicode = std::make_unique<MacroRecord>(
        MacroWith("Ünïcode 宏", 8, 4, 1, {A::Press(224), A::Delay(50), MacroAction{229, 0, 0, 0xFB}}, 2));
    unicode->Actions[335] = A::Press(0x41);
    library.AddMacroAt(At(1, 1, 0), "Ünïcode 宏", std::move(unicode));

    ASSERT_TRUE(SaveLibraryFile(dir / "out.mlf", library, At(1, 0)));
    EXPECT_EQ(test::ReadBytes(dir / "out.mlf"), test::ReadBytes(kDataDir / "sample.mlf"));
}

TEST_F(LibraryFileTest, AFaultyLineStopsTheReadingAndKeepsTheItemsBefore) {
    struct Case {
        const char* name;
        int line;             // 1-based line of the golden file to replace
        std::string replaced; // its new text
        int stopLine;
        const char* layout;
    };
    const std::string action2687(2687, '0');
    const std::string fourNumbers = "stage2Index=0;";
    const Case cases[] = {
        {"carriage return after the header", 1, "[MacroLibrary]\r", 1, ""},
        {"header spelled otherwise", 1, "[MacroLibrary] ", 1, ""},
        {"key counter without value", 2, "MacroKeyIndex=", 2, ""},
        {"selection line short of four numbers", 3, "Select Locaton:stage=1;stage0Index=1;", 3, ""},
        {"name without value", 18, "\t++++++++MacroItemName=", 18, "Copy@0 Games/@1"},
        {"level-0 index 60", 19, "\tMacroItemLocation:stage=1;stage0Index=60;stage1Index=0;stage2Index=0;",
         19, "Copy@0 Games/@1"},
        {"negative level-1 index", 19,
         "\tMacroItemLocation:stage=1;stage0Index=1;stage1Index=-1;stage2Index=0;", 19, "Copy@0 Games/@1"},
        {"stage 3", 19, "\tMacroItemLocation:stage=3;stage0Index=1;stage1Index=0;stage2Index=0;", 19,
         "Copy@0 Games/@1"},
        {"stage -1", 19, "\tMacroItemLocation:stage=-1;stage0Index=0;stage1Index=0;stage2Index=0;", 19,
         "Copy@0 Games/@1"},
        {"stage 0 with a level-1 index", 5,
         "MacroItemLocation:stage=0;stage0Index=0;stage1Index=5;stage2Index=0;", 5, ""},
        {"level-2 index 60", 33, "\t\tMacroItemLocation:stage=2;stage0Index=1;stage1Index=1;stage2Index=60;",
         33, "Copy@0 Games/@1 Jump@1,0 Combos/@1,1"},
        {"location line short of four numbers", 19, "\tMacroItemLocation:stage=1;stage0Index=1;", 19,
         "Copy@0 Games/@1"},
        {"folder flag without value", 16, "MacroItemIsFolder=", 16, "Copy@0"},
        {"MacroActionNum 337", 25, "\tMacroActionNum=337", 25, "Copy@0 Games/@1"},
        {"MacroActionNum negative", 25, "\tMacroActionNum=-1", 25, "Copy@0 Games/@1"},
        {"MacroActionNum huge", 25, "\tMacroActionNum=99999999999999999999", 25, "Copy@0 Games/@1"},
        {"2687 action characters", 27, "\tAllAction=" + action2687, 27, "Copy@0 Games/@1"},
        {"2689 action characters", 27, "\tAllAction=" + action2687 + "00", 27, "Copy@0 Games/@1"},
    };
    const std::vector<std::string> golden = GoldenLines();
    ASSERT_EQ(golden.size(), 41u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> lines = golden;
        lines[c.line - 1] = c.replaced;
        LibraryLoadReport report;
        EXPECT_FALSE(LoadText(Joined(lines), report));
        EXPECT_FALSE(report.complete);
        EXPECT_EQ(report.stopLine, c.stopLine) << report.reason;
        EXPECT_FALSE(report.reason.empty());
        EXPECT_EQ(Layout(library), c.layout);
        EXPECT_EQ(report.itemsRead, library.NamedItemCount());
    }
}

TEST_F(LibraryFileTest, AFileEndingInsideAnItemKeepsTheItemsBefore) {
    std::vector<std::string> lines = GoldenLines();
    lines.resize(30); // Combos loses its open flag
    LibraryLoadReport report;
    EXPECT_FALSE(LoadText(Joined(lines), report));
    EXPECT_EQ(report.stopLine, 31);
    EXPECT_EQ(Layout(library), "Copy@0 Games/@1 Jump@1,0");
}

TEST_F(LibraryFileTest, AcceptedVariations) {
    struct Case {
        const char* name;
        int line;
        std::string replaced;
        const char* layout;
    };
    const Case cases[] = {
        {"MacroActionNum 336", 25, "\tMacroActionNum=336", kGoldenLayout},
        // Key names are not checked, only the text after "=".
        {"other key name", 21, "\tWhatever=7", kGoldenLayout},
        // An empty line reads like the end of the file.
        {"empty line after two items", 18, "", "Copy@0 Games/@1"},
        // A location repeated replaces the item stored there.
        {"repeated location", 19, "\tMacroItemLocation:stage=0;stage0Index=0;stage1Index=0;stage2Index=0;",
         "Jump@0 Games/@1 Combos/@1,1 Ünïcode 宏@1,1,0"},
    };
    const std::vector<std::string> golden = GoldenLines();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> lines = golden;
        lines[c.line - 1] = c.replaced;
        LibraryLoadReport report;
        EXPECT_TRUE(LoadText(Joined(lines), report)) << report.reason;
        EXPECT_EQ(Layout(library), c.layout);
    }
}

TEST_F(LibraryFileTest, NumbersReadAsTheFormatWritesThem) {
    std::vector<std::string> lines = GoldenLines();
    lines[1] = "MacroKeyIndex=-1294967296"; // 3,000,000,000 as "%d" writes it
    lines[7] = "MacroKeyIndex=4294967295";
    lines[8] = "MacroKeyLoopType=258"; // byte fields keep the low 8 bits
    lines[9] = "MacroKeyLoopNum=  +12abc";
    lines[11] = "MacroCommandActionNum=x";
    LibraryLoadReport report;
    ASSERT_TRUE(LoadText(Joined(lines), report)) << report.reason;
    EXPECT_EQ(library.NextMacroKeyIndex(), 3000000000u);
    const MacroRecord& copy = *library.ItemAt(At(0))->Macro;
    EXPECT_EQ(copy.MacroKeyIndex, 4294967295u);
    EXPECT_EQ(copy.LoopType, 2);
    EXPECT_EQ(copy.LoopCount, 12);
    EXPECT_EQ(copy.CommandCount, 0);

    ASSERT_TRUE(SaveLibraryFile(dir / "out.mlf", library, report.selection));
    MacroLibrary again;
    ASSERT_TRUE(LoadLibraryFile(dir / "out.mlf", again));
    EXPECT_EQ(again.NextMacroKeyIndex(), 3000000000u);
    EXPECT_EQ(again.ItemAt(At(0))->Macro->MacroKeyIndex, 4294967295u);
}

TEST_F(LibraryFileTest, AFileThatCannotBeOpenedLeavesTheLibraryAlone) {
    test::BuildSampleTree(library);
    LibraryLoadReport report;
    EXPECT_FALSE(ReadLibraryFile(dir / "missing.mlf", library, report));
    EXPECT_FALSE(report.opened);
    EXPECT_EQ(Layout(library), test::kSampleLayout);
}

TEST_F(LibraryFileTest, OnlyTheImportLibraryTakesTheSelectionLine) {
    EXPECT_TRUE(LoadLibraryFile(kDataDir / "sample.mlf", library));
    EXPECT_EQ(ImportSelection, kNoLibraryLocation);
    EXPECT_TRUE(LoadLibraryFile(kDataDir / "sample.mlf", ImportLibrary));
    EXPECT_EQ(ImportSelection, At(1, 0));
    EXPECT_EQ(Layout(ImportLibrary), kGoldenLayout);
}

TEST_F(LibraryFileTest, AFailedSaveLeavesTheOldFileIntact) {
    ASSERT_TRUE(LoadLibraryFile(kDataDir / "sample.mlf", library));
    const std::filesystem::path target = dir / "MacroLibraryFile.mlf";
    test::WriteBytes(target, "old library");
    // A file-size limit makes the writes fail part way, as a full disk would.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = SaveLibraryFile(target, library, kNoLibraryLocation);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(test::ReadBytes(target), "old library");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1); // no temporary left
}

TEST_F(LibraryFileTest, SavingIntoAMissingFolderFails) {
    EXPECT_FALSE(SaveLibraryFile(dir / "no" / "such" / "folder.mlf", library, kNoLibraryLocation));
}

} // namespace
} // namespace vexmo
