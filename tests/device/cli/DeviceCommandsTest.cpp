// vexmoctl device against the real simulator daemon over its socket: what reached the mouse,
// in which order, how far apart, and what the user is told.
#include "macros/LibraryFile.h"
#include "macros/MacroLibrary.h"
#include "settings/KeyAssignment.h"
#include "settings/LanguageTable.h"
#include "settings/ProfileDefaults.h"
#include "settings/ProfileFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace vexmo {
namespace {

using test::ReadBytes;
using test::TempDir;

std::string Quoted(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

struct Result {
    int exitCode = -1;
    std::string out;
    std::string err;
};

struct LogLine {
    uint64_t ms = 0;
    std::string kind;
    std::string direction;
    std::string hex;
};

class DeviceCommands : public ::testing::Test {
protected:
    DeviceCommands() {
        setenv("XDG_RUNTIME_DIR", temp.path().c_str(), 1);
        socketPath = (temp / "vexmo-mousesim.sock").string();
    }
    ~DeviceCommands() override {
        if (daemon > 0) {
            Sim("stop");
            int status = 0;
            waitpid(daemon, &status, 0);
        }
    }

    void StartDaemon(const std::vector<std::string>& flags) {
        std::vector<std::string> args{VEXMO_MOUSESIM, "serve", "--socket", socketPath};
        args.insert(args.end(), flags.begin(), flags.end());
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        ASSERT_EQ(posix_spawn(&daemon, VEXMO_MOUSESIM, nullptr, nullptr, argv.data(), environ), 0);
        for (int i = 0; i < 500 && !std::filesystem::exists(socketPath); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_TRUE(std::filesystem::exists(socketPath));
    }

    Result Run(const std::string& program, const std::string& args) {
        const std::string command = Quoted(program) + " " + args + " >" + Quoted((temp / "stdout").string()) +
                                    " 2>" + Quoted((temp / "stderr").string());
        const int status = std::system(command.c_str());
        Result result;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = ReadBytes(temp / "stdout");
        result.err = ReadBytes(temp / "stderr");
        return result;
    }
    Result Ctl(const std::string& args) { return Run(VEXMOCTL_PATH, "device " + args); }
    Result Sim(const std::string& args) {
        return Run(VEXMO_MOUSESIM, "--socket " + Quoted(socketPath) + " " + args);
    }

    std::vector<LogLine> HostFrames() {
        std::vector<LogLine> lines;
        std::istringstream in(Sim("log").out);
        LogLine line;
        while (in >> line.ms >> line.kind >> line.direction >> line.hex) {
            if (line.direction == "set") {
                lines.push_back(line);
            }
        }
        return lines;
    }

    TempDir temp;
    std::string socketPath;
    pid_t daemon = 0;
};

TEST_F(DeviceCommands, StatusListsTheInterfacesAndTheMousesStatus) {
    StartDaemon({"--receiver", "--sensor", "0x60", "--battery", "55", "--charge", "charging"});
    const Result result = Ctl("status");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "interface receiver input sim://mousesim/receiver/input\n"
                          "interface receiver feature sim://mousesim/receiver/feature\n"
                          "model R417\n"
                          "link on\n"
                          "sensor 0x60 (model 0x3360)\n"
                          "battery 55%\n"
                          "charge charging\n");
}

TEST_F(DeviceCommands, WithoutAMouseStatusApplyAndResetFail) {
    for (const char* command : {"status", "reset"}) {
        const Result result = Ctl(command);
        EXPECT_EQ(result.exitCode, 1) << command;
        EXPECT_NE(result.err.find("no mouse found"), std::string::npos) << result.err;
    }
    ProfileRecord record;
    ResetProfileToDefaults(record, 0, LanguageTable{}, 0x3104);
    ASSERT_TRUE(WriteProfileRecord(record, temp / "p.psf"));
    EXPECT_EQ(Ctl(Quoted((temp / "p.psf").string())).exitCode, 2); // no subcommand
    EXPECT_EQ(Ctl("apply " + Quoted((temp / "p.psf").string())).exitCode, 1);
}

TEST_F(DeviceCommands, UsageErrors) {
    EXPECT_EQ(Ctl("").exitCode, 2);
    EXPECT_EQ(Ctl("frobnicate").exitCode, 2);
    EXPECT_EQ(Ctl("apply").exitCode, 2);
    EXPECT_EQ(Ctl("apply a.psf b.psf").exitCode, 2);
    EXPECT_EQ(Ctl("apply a.psf --library").exitCode, 2);
    EXPECT_EQ(Ctl("status extra").exitCode, 2);
    EXPECT_EQ(Ctl("apply " + Quoted((temp / "missing.psf").string())).exitCode, 1);
}

TEST_F(DeviceCommands, ApplySendsTheWholeProfileAndItsMacrosInOrderPacedFromSequenceOne) {
    StartDaemon({"--wired", "--receiver"});
    MacroLibrary library;
    auto macro = std::make_unique<MacroRecord>("taps");
    macro->MacroKeyIndex = 7;
    for (int i = 0; i < 5; ++i) {
        macro->InsertAction(macro->ActionCount, MacroAction::Press(0x41));
        macro->InsertAction(macro->ActionCount, MacroAction::Release(0x41));
    }
    macro->CommandCount = 10;
    library.SetNextMacroKeyIndex(8);
    ASSERT_TRUE(library.AddMacroAt({0, 0, 0, 0}, "taps", std::move(macro)));
    ASSERT_TRUE(SaveLibraryFile(temp / "lib.mlf", library, kNoLibraryLocation));
    ProfileRecord record;
    ResetProfileToDefaults(record, 0, LanguageTable{}, 0x3104);
    record.keys[3].code = kMacroCode; // the forward button: device slot 4
    record.keys[3].MacroKeyIndex = 7;
    record.keys[1].code = kMacroCode; // a macro the library lacks: no function
    record.keys[1].MacroKeyIndex = 99;
    ASSERT_TRUE(WriteProfileRecord(record, temp / "p.psf"));

    const Result result = Ctl("apply " + Quoted((temp / "p.psf").string()) + " --library " +
                              Quoted((temp / "lib.mlf").string()));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "sent 16 reports to the wired mouse\n");
    const std::vector<LogLine> frames = HostFrames();
    ASSERT_EQ(frames.size(), 16u);
    const std::vector<std::string> commands = {"04", "04", "04", "04", "04", "04", "05", "06",
                                               "07", "09", "0a", "08", "0b", "0c", "0e", "0e"};
    for (size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(frames[i].kind, "wired");
        EXPECT_EQ(frames[i].hex.substr(4, 2), commands[i]) << i;
        char sequence[3];
        std::snprintf(sequence, sizeof sequence, "%02zx", i + 1);
        EXPECT_EQ(frames[i].hex.substr(8, 2), sequence) << i;
        if (i > 0) {
            EXPECT_GE(frames[i].ms - frames[i - 1].ms, 60u) << i;
        }
    }
    EXPECT_EQ(frames[1].hex.substr(14, 8), "01000000"); // the missing macro: no function
    EXPECT_EQ(frames[4].hex.substr(14, 8), "04902101"); // loop type 2, slot 1, one loop
    EXPECT_EQ(frames[14].hex.substr(10, 4), "021a");    // chunk 0 of 2, 26 bytes
    EXPECT_EQ(frames[15].hex.substr(10, 4), "1206");    // chunk 1 of 2, 5 data bytes + slot
}

TEST_F(DeviceCommands, ResetSendsOneReport) {
    StartDaemon({"--receiver"});
    const Result result = Ctl("reset");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::vector<LogLine> frames = HostFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].kind, "receiver");
    EXPECT_EQ(frames[0].hex.substr(0, 16), "0c010f00010101ff");
}

TEST_F(DeviceCommands, WatchPrintsWhatTheMouseReportsUntilInterrupted) {
    StartDaemon({"--wired"});
    const std::string out = (temp / "watch.out").string();
    std::vector<std::string> args{VEXMOCTL_PATH, "device", "watch"};
    std::vector<char*> argv{args[0].data(), args[1].data(), args[2].data(), nullptr};
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t watcher = 0;
    ASSERT_EQ(posix_spawn(&watcher, VEXMOCTL_PATH, &files, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&files);
    auto waitFor = [&](const std::string& text) {
        for (int i = 0; i < 500; ++i) {
            if (ReadBytes(out).find(text) != std::string::npos) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    };
    EXPECT_TRUE(waitFor("watching"));
    Sim("rate-button");
    EXPECT_TRUE(waitFor("wired level"));
    kill(watcher, SIGINT);
    int status = 0;
    waitpid(watcher, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_NE(ReadBytes(out).find("rate 1000Hz"), std::string::npos) << ReadBytes(out);
}

} // namespace
} // namespace vexmo
