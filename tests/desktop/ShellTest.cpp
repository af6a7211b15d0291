// Opening web addresses and the mouse settings: the right program, the address as one
// untouched argument, nothing when no program exists.
#include <gtest/gtest.h>

#include "FakePrograms.h"
#include "platform/linux/ChildProcess.h"
#include "platform/linux/Shell.h"

namespace vexmo {
namespace {

TEST(ShellTest, WebAddressGoesToXdgOpenAsOneArgument) {
    test::FakePrograms programs;
    programs.Add("xdg-open");
    // Characters a shell would act on must arrive untouched.
    const std::string address = "https://example.com/a b?x=1&y=$(touch /tmp/vexmo-pwned);`id`";
    ASSERT_TRUE(OpenWebAddress(address));
    EXPECT_EQ(programs.Arguments("xdg-open"), address + "\n");
}

TEST(ShellTest, AddressThatWouldReadAsAnOptionIsRefused) {
    test::FakePrograms programs;
    programs.Add("xdg-open");
    EXPECT_FALSE(OpenWebAddress("--version"));
    EXPECT_FALSE(OpenWebAddress(""));
}

TEST(ShellTest, NoXdgOpenReportsFailure) {
    const char* old = std::getenv("PATH");
    const std::string saved = old ? old : "";
    setenv("PATH", "/nonexistent", 1);
    EXPECT_FALSE(OpenWebAddress("https://example.com"));
    EXPECT_FALSE(StartMouseSettings());
    setenv("PATH", saved.c_str(), 1);
}

TEST(ShellTest, MouseSettingsStartsTheFirstInstalledTool) {
    test::FakePrograms programs;
    programs.Add("xfce4-mouse-settings");
    programs.Add("lxqt-config-input");
    const char* old = std::getenv("PATH");
    const std::string saved = old ? old : "";
    // Only the fakes: a real desktop tool on this machine must not be started.
    setenv("PATH", saved.substr(0, saved.find(':')).c_str(), 1);
    EXPECT_TRUE(StartMouseSettings());
    EXPECT_EQ(programs.Arguments("xfce4-mouse-settings"), "");
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(saved.substr(0, saved.find(':'))) /
                                        "xfce4-mouse-settings.args"));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(saved.substr(0, saved.find(':'))) /
                                         "lxqt-config-input.args"));
    setenv("PATH", saved.c_str(), 1);
}

TEST(ShellTest, RunAndCaptureReturnsOutputAndExitCode) {
    test::FakePrograms programs;
    programs.Add("tool", "echo out; exit 7");
    const auto result = RunAndCapture({"tool", "a"});
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->exitCode, 7);
    EXPECT_EQ(result->stdoutText, "out\n");
    EXPECT_FALSE(RunAndCapture({"no-such-program-here"}).has_value());
}

} // namespace
} // namespace vexmo
