#pragma once
// The daemon side of vexmo-mousesim: one SimulatedMouse served over a per-user Unix socket
// with the line protocol of platform/simbus/SimProtocol.h. Single-threaded (poll); the
// mouse's events reach the loop through a wake pipe, so the mouse may also be driven from
// another thread (tests do).
#include "sim/SimulatedMouse.h"

#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

namespace vexmo::sim {

class SimServer {
public:
    // The name in the interface paths: sim://mousesim/wired/input and so on.
    static constexpr char kMouseName[] = "mousesim";

    SimServer(SimulatedMouse& mouse, std::filesystem::path socketPath);
    ~SimServer();
    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    // Creates the socket (mode 0600). Refuses when another daemon answers there; a stale
    // socket left by a crashed daemon is replaced; anything else at the path is left alone.
    bool Listen(std::string* why);
    // Serves until a client sends "stop" or RequestStop is called; then closes every
    // connection and removes the socket.
    void Run();
    // Safe from any thread and from a signal handler.
    void RequestStop();

private:
    enum class Mode { Command, Reader, Watcher };
    struct Client {
        int fd = -1;
        std::string in;
        std::string out;
        Mode mode = Mode::Command;
        SimKind kind = SimKind::Wired;
        uint64_t connection = 0;
        bool closing = false; // close once `out` is flushed
    };
    struct Event {
        bool isInput = false;
        SimKind kind = SimKind::Wired;
        uint64_t connection = 0;
        bool plugged = false;
        Report report{};
    };

    void Wake();
    void Accept();
    void ReadFrom(Client& client);
    void WriteTo(Client& client);
    void HandleLine(Client& client, const std::string& line);
    void DrainEvents();
    void Reply(Client& client, const std::vector<std::string>& data, const std::string& status);
    void Queue(Client& client, const std::string& text);
    std::string Handle(Client& client, const std::vector<std::string>& words, std::vector<std::string>& data);
    std::string HandleHid(Client& client, const std::vector<std::string>& words,
                          std::vector<std::string>& data);
    std::string HandleControl(const std::vector<std::string>& words, std::vector<std::string>& data);
    std::string HandleFault(const std::vector<std::string>& words);
    void CloseAll();

    SimulatedMouse& mouse_;
    const std::filesystem::path socketPath_;
    int listenFd_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    bool bound_ = false;
    bool stopAfterFlush_ = false;
    std::vector<Client> clients_;
    int inputListener_ = 0;
    int plugListener_ = 0;
    std::mutex eventsMutex_;
    std::vector<Event> events_;
};

} // namespace vexmo::sim
