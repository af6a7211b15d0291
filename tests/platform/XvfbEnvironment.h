#pragma once
// Gives the X11 tests a display: the one in DISPLAY, or an Xvfb of our own started here
// (and stopped at the end) when none is set.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

extern char** environ;

namespace vexmo {

class XvfbEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        if (display && *display) return;
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const std::string fd = std::to_string(fds[1]);
        const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        ASSERT_EQ(posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ), 0)
            << "Xvfb is not installed";
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        std::string number;
        char c;
        while (read(fds[0], &c, 1) == 1 && c != '\n') number.push_back(c);
        close(fds[0]);
        ASSERT_FALSE(number.empty()) << "Xvfb did not report its display";
        setenv("DISPLAY", (":" + number).c_str(), 1);
    }

    void TearDown() override {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        unsetenv("DISPLAY");
    }

private:
    pid_t pid_ = 0;
};

} // namespace vexmo
