#include "LinkFixture.h"

#include "settings/Globals.h"
#include "settings/KeyAssignment.h"

namespace vexmo::test {
namespace {

std::vector<MacroAction> KeyTaps(int taps) {
    std::vector<MacroAction> actions;
    for (int i = 0; i < taps; ++i) {
        actions.push_back(MacroAction::Press(0x41));
        actions.push_back(MacroAction::Delay(25));
        actions.push_back(MacroAction::Release(0x41));
    }
    return actions;
}

std::vector<Frame> OfCommand(const std::vector<Frame>& frames, uint8_t command) {
    std::vector<Frame> selected;
    for (const Frame& frame : frames) {
        if (frame.Command() == command) {
            selected.push_back(frame);
        }
    }
    return selected;
}

class MacroUpload : public LinkTest {
protected:
    MacroUpload() {
        Connect(true, false);
        link.SyncShadows(); // no macro buttons yet
    }
};

TEST_F(MacroUpload, TenEventsGoOutAsTwoChunksAfterTheButtonPass) {
    const uint32_t id = AddLibraryMacro("ten", KeyTaps(5));
    BindMacro(2, id);
    const uint64_t start = clock.NowMs();
    link.RaiseChangeFlags({true, false, false, false});
    link.ApplyChanges();
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 3u);
    EXPECT_EQ(sets[0].Command(), 0x04);
    EXPECT_EQ(std::vector<uint8_t>(sets[0].bytes.begin() + 7, sets[0].bytes.begin() + 11),
              (std::vector<uint8_t>{2, 0x90, 0x21, 0x01})); // loop type 2, slot 1, count 1
    EXPECT_EQ(sets[1].bytes[5], 0x02);
    EXPECT_EQ(sets[1].bytes[6], 26);
    EXPECT_EQ(sets[1].bytes[7], 1); // the slot
    EXPECT_EQ(sets[1].bytes[8], 0x30);
    EXPECT_EQ(sets[1].bytes[9], 25);
    EXPECT_EQ(sets[1].bytes[10], 0x04);
    EXPECT_EQ(sets[2].bytes[5], 0x12);
    EXPECT_EQ(sets[2].bytes[6], 6);
    EXPECT_EQ(sets[1].ms - start, 360u);
    EXPECT_EQ(sets[2].ms - start, 420u);
    EXPECT_EQ(clock.NowMs() - start, 540u); // 60 after each chunk and once more per macro button
    const auto stored = mouse.Snapshot().config.macros[1];
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->size(), 30u);
    EXPECT_EQ(mouse.Snapshot().framesRejected, 0u);
}

TEST_F(MacroUpload, AnEmptyMacroStillSendsOneReport) {
    BindMacro(5, AddLibraryMacro("empty", {}));
    link.ApplyChanges();
    const auto chunks = OfCommand(TakeSets(), 0x0E);
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_EQ(chunks[0].bytes[5], 0x01);
    EXPECT_EQ(chunks[0].bytes[6], 1);
    EXPECT_EQ(mouse.Snapshot().framesRejected, 0u);
}

TEST_F(MacroUpload, TwoButtonsSharingAMacroShareItsSlotAndSendItOnce) {
    const uint32_t first = AddLibraryMacro("first", KeyTaps(1), 4);
    const uint32_t shared = AddLibraryMacro("shared", KeyTaps(2), 2, 7);
    BindMacro(1, shared);
    BindMacro(3, first);
    BindMacro(4, shared);
    link.RaiseChangeFlags({true, false, false, false});
    link.ApplyChanges();
    const ProfileRecord& profile = host.Current();
    EXPECT_EQ(profile.keys[1].code, (KeyFunctionCode{0x90, 0x21, 7}));
    EXPECT_EQ(profile.keys[3].code, (KeyFunctionCode{0x90, 0x42, 0})); // loop type 4: no count
    EXPECT_EQ(profile.keys[4].code, (KeyFunctionCode{0x90, 0x21, 7}));
    const auto chunks = OfCommand(TakeSets(), 0x0E);
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0].bytes[7], 1);
    EXPECT_EQ(chunks[1].bytes[7], 2);
}

// A profile file stores no macro events: the button's copy has none and default loop
// settings until the macro manager is opened. The mouse must still get the real macro.
TEST_F(MacroUpload, AButtonCopyReadFromAFileSendsTheLibraryMacro) {
    const uint32_t id = AddLibraryMacro("looped", KeyTaps(3), 4);
    BindMacro(0, id);
    host.Current().keys[0].macro = MacroRecord("looped"); // what the file reader leaves
    link.RaiseChangeFlags({true, false, false, false});
    link.ApplyChanges();
    EXPECT_EQ(host.Current().keys[0].code, (KeyFunctionCode{0x90, 0x41, 0}));
    const auto stored = mouse.Snapshot().config.macros[1];
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->size(), 18u);
    EXPECT_EQ(host.Current().keys[0].macro.ActionCount, 0u); // the copy is left as it was
}

TEST_F(MacroUpload, OpeningTheMacroManagerCopiesLibraryMacrosIntoTheButtons) {
    const uint32_t id = AddLibraryMacro("copied", KeyTaps(2));
    BindMacro(0, id);
    host.macrosChanged = true;
    link.ApplyChanges();
    EXPECT_FALSE(host.macrosChanged);
    EXPECT_EQ(host.Current().keys[0].macro.ActionCount, 6u);
    EXPECT_EQ(host.Current().keys[0].macro.Name, "copied");
}

TEST_F(MacroUpload, AMacroTheLibraryLacksBecomesNoFunction) {
    AppLanguage.Set(34, "None");
    BindMacro(2, 999);
    link.RaiseChangeFlags({true, false, false, false});
    link.ApplyChanges();
    AppLanguage.Set(34, "");
    EXPECT_EQ(host.Current().keys[2].code, kNoFunctionCode);
    EXPECT_EQ(host.Current().keys[2].name, "None");
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(std::vector<uint8_t>(sets[0].bytes.begin() + 7, sets[0].bytes.begin() + 11),
              (std::vector<uint8_t>{2, 0, 0, 0}));
}

TEST_F(MacroUpload, AnUnchangedMacroIsNotSentAgain) {
    BindMacro(0, AddLibraryMacro("once", KeyTaps(2)));
    link.ApplyChanges();
    ASSERT_EQ(OfCommand(TakeSets(), 0x0E).size(), 1u);
    const uint64_t start = clock.NowMs();
    link.ApplyChanges();
    EXPECT_TRUE(TakeSets().empty());
    EXPECT_EQ(clock.NowMs() - start, 60u); // the pause per macro button remains
}

TEST_F(MacroUpload, AMacroLongerThanOneTransferIsCutAndTheUserIsTold) {
    BindMacro(1, AddLibraryMacro("long", KeyTaps(84))); // 168 events
    link.ApplyChanges();
    const auto chunks = OfCommand(TakeSets(), 0x0E);
    ASSERT_EQ(chunks.size(), 15u);
    for (size_t i = 0; i < chunks.size(); ++i) {
        EXPECT_EQ(chunks[i].bytes[5], (i << 4) | 15);
    }
    EXPECT_EQ(mouse.Snapshot().framesRejected, 0u);
    ASSERT_EQ(host.shortened.size(), 1u);
    EXPECT_EQ(host.shortened[0], std::make_tuple(size_t{1}, 124u, 168u));
    const auto stored = mouse.Snapshot().config.macros[1];
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->size(), 124u * 3);
    EXPECT_EQ((*stored)[stored->size() - 3], 0xB0); // ends with a release
}

TEST_F(MacroUpload, WithoutAnInterfaceMacroReportsArePacedButNotWritten) {
    BindMacro(0, AddLibraryMacro("paced", KeyTaps(5)));
    mouse.Unplug(sim::SimKind::Wired);
    link.ProcessLinkEvents(); // the removal: no mouse left
    ASSERT_EQ(host.allGone, 1);
    const uint8_t sequence = link.NextSequence();
    const uint64_t start = clock.NowMs();
    link.ApplyChanges();
    EXPECT_EQ(clock.NowMs() - start, 180u); // two chunks and the button
    EXPECT_EQ(link.NextSequence(), static_cast<uint8_t>(sequence + 2));
    EXPECT_EQ(host.progressShown, 0);
}

} // namespace
} // namespace vexmo::test
