#include "platform/linux/SingleInstance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace vexmo {
namespace {

constexpr char kRequest[] = "show\n";
constexpr char kAnswer[] = "ok\n";
constexpr int kAnswerTimeoutMs = 3000;
// The first copy may hold the lock a moment before its socket listens.
constexpr int kConnectAttempts = 50;
constexpr auto kConnectRetryDelay = std::chrono::milliseconds(20);

// Keeps letters, digits, '-', '_' and '.'; everything else becomes '-'.
std::string FileNameOf(const std::string& name) {
    std::string out;
    for (const char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '-' || c == '_' || c == '.';
        out.push_back(plain ? c : '-');
    }
    return "vexmo-" + out;
}

bool FillAddress(const std::filesystem::path& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    const std::string text = path.string();
    if (text.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    return true;
}

// Reads until `expected` arrived, the peer closed or the time ran out.
bool ReadExactly(int fd, const char* expected, int timeoutMs) {
    const size_t length = std::strlen(expected);
    std::string got;
    while (got.size() < length) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) <= 0)
            return false;
        char buffer[16];
        const ssize_t n = read(fd, buffer, std::min(sizeof buffer, length - got.size()));
        if (n <= 0)
            return false;
        got.append(buffer, static_cast<size_t>(n));
    }
    return got == expected;
}

bool WriteAll(int fd, const char* text) {
    size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t n = send(fd, text, left, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        text += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

std::filesystem::path SingleInstance::RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime)
        return runtime;
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("vexmo-" + std::to_string(getuid()));
    mkdir(folder.c_str(), 0700);
    // /tmp is shared: a folder (or link) someone else put there first must not be used, or
    // they could answer in our place. An unusable folder makes Acquire fail, not trust it.
    struct stat st {};
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid() ||
        (st.st_mode & 0077) != 0) {
        return {};
    }
    return folder;
}

SingleInstance::SingleInstance(const std::string& name, std::filesystem::path folder) {
    if (folder.empty())
        return; // no safe folder: Acquire fails
    socketPath_ = folder / (FileNameOf(name) + ".sock");
    lockPath_ = folder / (FileNameOf(name) + ".lock");
}

SingleInstance::~SingleInstance() {
    if (listener_.joinable()) {
        const char stop = 1;
        [[maybe_unused]] const ssize_t n = write(stopPipe_[1], &stop, 1);
        listener_.join();
    }
    for (int fd : {stopPipe_[0], stopPipe_[1]}) {
        if (fd >= 0)
            close(fd);
    }
    if (listenFd_ >= 0) {
        close(listenFd_);
        unlink(socketPath_.c_str());
    }
    if (lockFd_ >= 0)
        close(lockFd_); // releases the lock
}

SingleInstance::Result SingleInstance::Acquire(std::function<void()> onRequest) {
    if (lockPath_.empty())
        return Result::Failed;
    lockFd_ = open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lockFd_ < 0)
        return Result::Failed;
    if (flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        close(lockFd_);
        lockFd_ = -1;
        if (!held)
            return Result::Failed;
        delivered_ = SendRequest();
        return Result::AnotherRunning;
    }
    onRequest_ = std::move(onRequest);
    // Without a socket we still hold the lock: later copies end at once, which beats two
    // copies fighting over the mouse.
    Listen();
    return Result::First;
}

bool SingleInstance::Listen() {
    sockaddr_un address;
    if (!FillAddress(socketPath_, address))
        return false;
    // Whatever lies there was left by a copy that died: we hold the lock now.
    unlink(socketPath_.c_str());
    listenFd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0)
        return false;
    // Created 0600 from the start: nobody else may ask us anything.
    const mode_t old = umask(0177);
    const bool bound = bind(listenFd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    umask(old);
    if (!bound || listen(listenFd_, 4) != 0 || pipe2(stopPipe_, O_CLOEXEC) != 0) {
        close(listenFd_);
        listenFd_ = -1;
        return false;
    }
    listener_ = std::thread([this] { Serve(); });
    return true;
}

void SingleInstance::Serve() {
    for (;;) {
        pollfd fds[2] = {{listenFd_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents)
            return;
        if (!(fds[0].revents & POLLIN))
            continue;
        const int client = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        if (ReadExactly(client, kRequest, kAnswerTimeoutMs)) {
            if (onRequest_)
                onRequest_();
            WriteAll(client, kAnswer);
        }
        close(client);
    }
}

bool SingleInstance::SendRequest() {
    sockaddr_un address;
    if (!FillAddress(socketPath_, address))
        return false;
    for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            const bool ok = WriteAll(fd, kRequest) && ReadExactly(fd, kAnswer, kAnswerTimeoutMs);
            close(fd);
            return ok;
        }
        close(fd);
        std::this_thread::sleep_for(kConnectRetryDelay);
    }
    return false;
}

} // namespace vexmo
