#include "platform/simbus/LineSocket.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace vexmo::simbus {

namespace {
constexpr size_t kReadChunk = 4096;
constexpr std::string_view kDataPrefix = "data ";
constexpr std::string_view kOkWord = "ok";
constexpr std::string_view kErrPrefix = "err ";
} // namespace

LineSocket::~LineSocket() {
    Close();
}

LineSocket::LineSocket(LineSocket&& other) noexcept : fd_(other.fd_), buffer_(std::move(other.buffer_)) {
    other.fd_ = -1;
}

LineSocket& LineSocket::operator=(LineSocket&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = other.fd_;
        buffer_ = std::move(other.buffer_);
        other.fd_ = -1;
    }
    return *this;
}

LineSocket LineSocket::Connect(const std::filesystem::path& path, std::string* why) {
    LineSocket socket;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string text = path.string();
    if (text.size() >= sizeof address.sun_path) {
        if (why != nullptr) {
            *why = "socket path too long: " + text;
        }
        return socket;
    }
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    // The /tmp fallback path could have been made by another user; only talk to our own daemon.
    struct stat info {};
    if (::lstat(text.c_str(), &info) == 0 && (!S_ISSOCK(info.st_mode) || info.st_uid != ::getuid())) {
        if (why != nullptr) {
            *why = text + " is not a socket of this user";
        }
        return socket;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        if (why != nullptr) {
            *why = std::strerror(errno);
        }
        return socket;
    }
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (why != nullptr) {
            *why = std::strerror(errno);
        }
        ::close(fd);
        return socket;
    }
    socket.fd_ = fd;
    return socket;
}

bool LineSocket::WriteLine(std::string_view line) {
    if (fd_ < 0) {
        return false;
    }
    std::string out(line);
    out += '\n';
    size_t sent = 0;
    while (sent < out.size()) {
        const ssize_t n = ::send(fd_, out.data() + sent, out.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        sent += static_cast<size_t>(n);
    }
    return true;
}

std::optional<std::string> LineSocket::ReadLine() {
    for (;;) {
        const size_t newline = buffer_.find('\n');
        if (newline != std::string::npos) {
            std::string line = buffer_.substr(0, newline);
            buffer_.erase(0, newline + 1);
            return line;
        }
        if (fd_ < 0 || buffer_.size() > kMaxLineLength) {
            return std::nullopt;
        }
        char chunk[kReadChunk];
        const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return std::nullopt;
        }
        buffer_.append(chunk, static_cast<size_t>(n));
    }
}

Reply LineSocket::Request(std::string_view line) {
    Reply reply;
    if (!WriteLine(line)) {
        reply.text = "connection lost";
        return reply;
    }
    for (;;) {
        std::optional<std::string> next = ReadLine();
        if (!next) {
            reply = {};
            reply.text = "connection lost";
            return reply;
        }
        if (next->starts_with(kDataPrefix)) {
            reply.data.push_back(next->substr(kDataPrefix.size()));
            continue;
        }
        if (*next == kOkWord || next->starts_with("ok ")) {
            reply.ok = true;
            reply.text = next->size() > kOkWord.size() ? next->substr(kOkWord.size() + 1) : "";
            return reply;
        }
        reply.ok = false;
        reply.text = next->starts_with(kErrPrefix) ? next->substr(kErrPrefix.size()) : *next;
        return reply;
    }
}

void LineSocket::Shutdown() {
    if (fd_ >= 0) {
        ::shutdown(fd_, SHUT_RDWR);
    }
}

void LineSocket::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    buffer_.clear();
}

} // namespace vexmo::simbus
