#pragma once
// A blocking client connection to the simulator daemon that speaks in lines. Owns its fd.
#include "platform/simbus/SimProtocol.h"

#include <filesystem>
#include <optional>
#include <string>

namespace vexmo::simbus {

class LineSocket {
public:
    LineSocket() = default;
    ~LineSocket();
    LineSocket(LineSocket&& other) noexcept;
    LineSocket& operator=(LineSocket&& other) noexcept;
    LineSocket(const LineSocket&) = delete;
    LineSocket& operator=(const LineSocket&) = delete;

    // An unconnected socket when nothing listens at `path`, or when what is there is not a
    // socket owned by this user; `why` says what failed.
    static LineSocket Connect(const std::filesystem::path& path, std::string* why = nullptr);

    bool IsOpen() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    bool WriteLine(std::string_view line);
    // Blocks for the next line (without its line feed); nullopt at end of stream or error.
    std::optional<std::string> ReadLine();
    // One request and its reply; a reply with ok = false and text "connection lost" when the
    // daemon went away.
    Reply Request(std::string_view line);
    // Wakes a ReadLine blocked in another thread; it then returns nullopt.
    void Shutdown();
    void Close();

private:
    int fd_ = -1;
    std::string buffer_;
};

} // namespace vexmo::simbus
