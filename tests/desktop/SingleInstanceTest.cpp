// The single-instance guard across real processes: the second copy ends and the first hears of
// it; a socket left behind by a crashed copy does not block the next start.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/linux/SingleInstance.h"
#include "support/TempDir.h"

extern char** environ;

namespace vexmo {
namespace {

struct Probe {
    pid_t pid = 0;
    FILE* out = nullptr;

    explicit Probe(const std::filesystem::path& folder) {
        int fds[2];
        EXPECT_EQ(pipe(fds), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        const std::string dir = folder.string();
        const char* argv[] = {SINGLE_INSTANCE_PROBE, dir.c_str(), nullptr};
        EXPECT_EQ(
            posix_spawn(&pid, SINGLE_INSTANCE_PROBE, &actions, nullptr, const_cast<char**>(argv), environ),
            0);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        out = fdopen(fds[0], "r");
    }
    ~Probe() {
        if (out)
            fclose(out);
    }
    std::string Line() {
        char buffer[64] = {};
        if (!fgets(buffer, sizeof buffer, out))
            return {};
        std::string line = buffer;
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
        return line;
    }
    int Wait() {
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

TEST(SingleInstanceTest, SecondProcessEndsAndTheFirstIsAsked) {
    test::TempDir dir;
    Probe first(dir.path());
    ASSERT_EQ(first.Line(), "first");
    Probe second(dir.path());
    EXPECT_EQ(second.Line(), "second");
    EXPECT_EQ(second.Wait(), 3); // its request was answered
    EXPECT_EQ(first.Line(), "request");
    EXPECT_EQ(first.Wait(), 0);
    // Once the first copy ended, a new start is the first again.
    Probe third(dir.path());
    EXPECT_EQ(third.Line(), "first");
    kill(third.pid, SIGTERM);
    third.Wait();
}

TEST(SingleInstanceTest, StaleSocketOfACrashedCopyDoesNotBlock) {
    test::TempDir dir;
    SingleInstance probe("20210610 Mouse 33XX", dir.path());
    // What a killed copy leaves: a bound socket nobody listens on, and the lock file.
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, probe.SocketPath().c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);
    test::WriteBytes(probe.LockPath(), "");

    int requests = 0;
    ASSERT_EQ(probe.Acquire([&] { ++requests; }), SingleInstance::Result::First);
    struct stat st {};
    ASSERT_EQ(stat(probe.SocketPath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    // The socket is live again: a second guard in another process would reach us.
    SingleInstance second("20210610 Mouse 33XX", dir.path());
    EXPECT_EQ(second.Acquire(nullptr), SingleInstance::Result::AnotherRunning);
    EXPECT_TRUE(second.RequestDelivered());
    EXPECT_EQ(requests, 1);
}

TEST(SingleInstanceTest, RunningCopyWithoutSocketStillEndsTheSecond) {
    test::TempDir dir;
    SingleInstance first("x", dir.path());
    ASSERT_EQ(first.Acquire(nullptr), SingleInstance::Result::First);
    std::filesystem::remove(first.SocketPath());
    SingleInstance second("x", dir.path());
    EXPECT_EQ(second.Acquire(nullptr), SingleInstance::Result::AnotherRunning);
    EXPECT_FALSE(second.RequestDelivered());
}

TEST(SingleInstanceTest, UnwritableFolderFails) {
    SingleInstance guard("x", "/proc/no-such-folder");
    EXPECT_EQ(guard.Acquire(nullptr), SingleInstance::Result::Failed);
}

} // namespace
} // namespace vexmo

namespace vexmo {
namespace {

TEST(SingleInstanceFolderTest, SharedTempFolderMustBeOursAlone) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = runtime ? runtime : "";
    unsetenv("XDG_RUNTIME_DIR");
    const std::filesystem::path folder = SingleInstance::RuntimeFolder();
    ASSERT_FALSE(folder.empty());
    // Opened up to others, it is refused rather than trusted.
    chmod(folder.c_str(), 0777);
    EXPECT_TRUE(SingleInstance::RuntimeFolder().empty());
    SingleInstance guard("x", SingleInstance::RuntimeFolder());
    EXPECT_EQ(guard.Acquire(nullptr), SingleInstance::Result::Failed);
    chmod(folder.c_str(), 0700);
    EXPECT_EQ(SingleInstance::RuntimeFolder(), folder);
    if (!saved.empty())
        setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
}

} // namespace
} // namespace vexmo
