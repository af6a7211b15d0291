#pragma once
// Stand-in programs on $PATH for the tests of what we start (xdg-open, zenity): small shell
// scripts written into a test folder that is put first on PATH for the test's duration.
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "support/TempDir.h"

namespace vexmo::test {

class FakePrograms {
public:
    FakePrograms() : oldPath_(std::getenv("PATH") ? std::getenv("PATH") : "") {
        setenv("PATH", (dir_.path().string() + ":" + oldPath_).c_str(), 1);
    }
    ~FakePrograms() { setenv("PATH", oldPath_.c_str(), 1); }

    // A program that writes each argument on a line of <name>.args, then runs `tail`.
    void Add(const std::string& name, const std::string& tail = "exit 0") {
        const auto script = dir_ / name;
        const std::string log = (dir_ / (name + ".args")).string();
        WriteBytes(script, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + log + "'\n" +
                               tail + "\n");
        chmod(script.c_str(), 0755);
    }
    // The logged arguments; waits up to two seconds for a detached program to write them.
    std::string Arguments(const std::string& name) const {
        const auto log = dir_ / (name + ".args");
        for (int i = 0; i < 200 && !std::filesystem::exists(log); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return std::filesystem::exists(log) ? ReadBytes(log) : std::string{};
    }

private:
    TempDir dir_;
    std::string oldPath_;
};

} // namespace vexmo::test
