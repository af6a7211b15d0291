// The open and save dialogs: filter parsing, the default extension, the headless script and
// the desktop dialog program (a stand-in zenity; the real one when installed).
#include <gtest/gtest.h>

#include "FakePrograms.h"
#include "platform/HeadlessFixture.h"
#include "platform/desktop/FileDialog.h"
#include "platform/linux/ChildProcess.h"
#include "platform/linux/DesktopFileDialog.h"

namespace vexmo {
namespace {

TEST(FileDialogTest, FilterParsing) {
    struct Case {
        const char* filter;
        std::vector<FileFilter> expected;
    };
    const Case cases[] = {
        {"psf file(*.psf)|*.psf||", {{"psf file(*.psf)", {"*.psf"}}}},
        {"Macros(*.mkf)|*.mkf|All(*.*)|*.*||", {{"Macros(*.mkf)", {"*.mkf"}}, {"All(*.*)", {"*.*"}}}},
        {"Pictures|*.png;*.bmp||", {{"Pictures", {"*.png", "*.bmp"}}}},
        {"psf file(*.psf)|*.psf", {{"psf file(*.psf)", {"*.psf"}}}}, // no closing "||"
        {"", {}},
        {"label only|", {}},
        {"|*.psf||", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseFileFilter(c.filter), c.expected) << c.filter;
}

TEST(FileDialogTest, DefaultExtensionOnlyForNamesWithout) {
    EXPECT_EQ(WithDefaultExtension("/a/b", "psf"), "/a/b.psf");
    EXPECT_EQ(WithDefaultExtension("/a/b.txt", "psf"), "/a/b.txt");
    EXPECT_EQ(WithDefaultExtension("/a/b", ""), "/a/b");
    EXPECT_EQ(WithDefaultExtension("/a/", "psf"), "/a/");
}

class ScriptedFileDialogTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        ClearFileDialogScript();
    }
    void TearDown() override {
        ClearFileDialogScript();
        HeadlessTest::TearDown();
    }
};

TEST_F(ScriptedFileDialogTest, AnswersComeFromTheScriptInOrder) {
    ScriptFileDialogAnswers({FileDialogAnswer::Chosen("/x/profile"), FileDialogAnswer::Cancelled(),
                             FileDialogAnswer::Chosen("/x/in.psf")});
    FileDialogRequest save{true, "Export", "psf file(*.psf)|*.psf||", "psf", "Profile 1", "/x"};
    FileDialogRequest open{false, "Import", "psf file(*.psf)|*.psf||", "psf", "", "/x"};
    EXPECT_EQ(ShowFileDialog(save), std::filesystem::path("/x/profile.psf"));
    EXPECT_EQ(ShowFileDialog(open), std::nullopt);
    EXPECT_EQ(ShowFileDialog(open), std::filesystem::path("/x/in.psf"));
    EXPECT_EQ(ShowFileDialog(open), std::nullopt); // the script ran out: cancelled
    const auto& seen = ScriptedFileDialogRequests();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_TRUE(seen[0].save);
    EXPECT_EQ(seen[0].title, "Export");
    EXPECT_EQ(seen[0].initialName, "Profile 1");
    EXPECT_FALSE(seen[1].save);
}

TEST(DesktopFileDialogTest, ZenityArgumentsCarryEverything) {
    FileDialogRequest save{true, "Export profile", "psf file(*.psf)|*.psf||", "psf", "Game.psf", "/home/u"};
    const std::vector<std::string> expected = {"zenity",
                                               "--file-selection",
                                               "--save",
                                               "--confirm-overwrite",
                                               "--title=Export profile",
                                               "--filename=/home/u/Game.psf",
                                               "--file-filter=psf file(*.psf) | *.psf"};
    EXPECT_EQ(ZenityArguments(save), expected);
    FileDialogRequest open{false, "", "", "", "", "/home/u"};
    EXPECT_EQ(ZenityArguments(open),
              (std::vector<std::string>{"zenity", "--file-selection", "--filename=/home/u/"}));
}

TEST(DesktopFileDialogTest, KdialogArgumentsCarryEverything) {
    FileDialogRequest open{false, "Import", "A(*.mkf)|*.mkf|B|*.a;*.b||", "", "", "/m"};
    const std::vector<std::string> expected = {
        "kdialog", "--getopenfilename", "/m/", "*.mkf|A(*.mkf)\n*.a *.b|B", "--title", "Import"};
    EXPECT_EQ(KdialogArguments(open), expected);
}

TEST(DesktopFileDialogTest, StandInZenityChoosesCancelsOrFails) {
    test::FakePrograms programs;
    FileDialogRequest open{false, "Import", "psf file(*.psf)|*.psf||", "psf", "", "/tmp"};
    struct Case {
        const char* script;
        FileDialogAnswer::Status status;
        const char* path;
    };
    const Case cases[] = {
        {"echo '/tmp/my file.psf'; exit 0", FileDialogAnswer::Status::Chosen, "/tmp/my file.psf"},
        {"exit 1", FileDialogAnswer::Status::Cancelled, ""},
        {"exit 0", FileDialogAnswer::Status::Cancelled, ""},
    };
    for (const Case& c : cases) {
        programs.Add("zenity", c.script);
        const FileDialogAnswer answer = RunDesktopFileDialog(open);
        EXPECT_EQ(answer.status, c.status) << c.script;
        EXPECT_EQ(answer.path, std::filesystem::path(c.path)) << c.script;
    }
    // A zenity that breaks (no display) leaves the choice to kdialog.
    programs.Add("zenity", "exit 5");
    programs.Add("kdialog", "echo /tmp/k.psf");
    EXPECT_EQ(RunDesktopFileDialog(open).path, std::filesystem::path("/tmp/k.psf"));
}

TEST(DesktopFileDialogTest, NoDialogProgramIsUnavailable) {
    const char* old = std::getenv("PATH");
    const std::string saved = old ? old : "";
    setenv("PATH", "/nonexistent", 1);
    EXPECT_EQ(RunDesktopFileDialog({}).status, FileDialogAnswer::Status::Unavailable);
    setenv("PATH", saved.c_str(), 1);
}

TEST(DesktopFileDialogTest, RealZenityWhenInstalled) {
    if (FindProgram("zenity").empty())
        GTEST_SKIP() << "zenity is not installed";
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no display for zenity";
    // Only checks that a real zenity starts and can be cancelled by its timeout.
    const auto result = RunAndCapture({"zenity", "--file-selection", "--timeout=1"});
    ASSERT_TRUE(result.has_value());
    EXPECT_NE(result->exitCode, 0);
}

} // namespace
} // namespace vexmo
