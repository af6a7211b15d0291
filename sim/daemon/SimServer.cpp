#include "sim/daemon/SimServer.h"

#include "platform/simbus/SimProtocol.h"
#include "sim/InProcessHidBus.h"
#include "sim/StateFormat.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace vexmo::sim {

namespace {

constexpr int kListenBacklog = 16;
constexpr size_t kReadChunk = 4096;
// A client that stops reading is dropped once this much waits for it.
constexpr size_t kMaxPendingOutput = 64 * 1024 * 1024;
constexpr int kMaxPercent = 100;
constexpr std::string_view kOk = "ok";
constexpr char kStopByte = 's';
constexpr char kWakeByte = 'w';

bool ParseInt(std::string_view text, int& value, int base = 10) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc() && end == text.data() + text.size();
}

bool ParseUnsigned(std::string_view text, uint64_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// "sim://mousesim/wired/feature" -> kind and whether it is the input collection.
bool ParsePath(std::string_view path, SimKind& kind, bool& input) {
    for (SimKind k : {SimKind::Wired, SimKind::Receiver}) {
        for (bool in : {true, false}) {
            if (path == InProcessHidBus::InterfacePath(SimServer::kMouseName, k, in)) {
                kind = k;
                input = in;
                return true;
            }
        }
    }
    return false;
}

std::string InterfaceLine(SimKind kind, bool input) {
    std::ostringstream line;
    line << InProcessHidBus::InterfacePath(SimServer::kMouseName, kind, input) << " " << std::hex << kVendorId
         << " " << ProductId(kind) << std::dec << " " << (input ? kReportLength : 0) << " "
         << (input ? 0 : kReportLength);
    return line.str();
}

void SplitLines(const std::string& text, std::vector<std::string>& into) {
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        into.push_back(line);
    }
}

// "N" or "always" as a fault count.
bool ParseFaultCount(std::string_view text, int& count) {
    if (text == "always") {
        count = kAlways;
        return true;
    }
    return ParseInt(text, count) && count >= 0;
}

} // namespace

SimServer::SimServer(SimulatedMouse& mouse, std::filesystem::path socketPath)
    : mouse_(mouse), socketPath_(std::move(socketPath)) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) == 0) {
        wakeRead_ = pipeFds[0];
        wakeWrite_ = pipeFds[1];
    }
    inputListener_ = mouse_.AddInputListener([this](SimKind kind, uint64_t connection, const Report& report) {
        {
            std::lock_guard lock(eventsMutex_);
            events_.push_back({true, kind, connection, false, report});
        }
        Wake();
    });
    plugListener_ = mouse_.AddPlugListener([this](SimKind kind, bool plugged) {
        {
            std::lock_guard lock(eventsMutex_);
            events_.push_back({false, kind, 0, plugged, {}});
        }
        Wake();
    });
}

SimServer::~SimServer() {
    mouse_.RemoveListener(inputListener_);
    mouse_.RemoveListener(plugListener_);
    CloseAll();
    for (int fd : {wakeRead_, wakeWrite_}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

bool SimServer::Listen(std::string* why) {
    auto fail = [&](std::string text) {
        if (why != nullptr) {
            *why = std::move(text);
        }
        return false;
    };
    if (wakeRead_ < 0) {
        return fail("cannot create the wake pipe");
    }
    const std::string path = socketPath_.string();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        return fail("socket path empty or too long: " + path);
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);

    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0) {
        if (!S_ISSOCK(info.st_mode)) {
            return fail(path + " exists and is not a socket");
        }
        const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const bool answered =
            probe >= 0 && ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        if (probe >= 0) {
            ::close(probe);
        }
        if (answered) {
            return fail("a mouse simulator is already running on " + path);
        }
        ::unlink(path.c_str()); // left behind by a daemon that did not stop cleanly
    }

    listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listenFd_ < 0) {
        return fail(std::string("socket: ") + std::strerror(errno));
    }
    const mode_t oldMask = ::umask(0177); // never visible with wider permissions
    const int bound = ::bind(listenFd_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::umask(oldMask);
    if (bound != 0) {
        return fail("cannot create " + path + ": " + std::strerror(errno));
    }
    bound_ = true;
    ::chmod(path.c_str(), 0600);
    if (::listen(listenFd_, kListenBacklog) != 0) {
        return fail(std::string("listen: ") + std::strerror(errno));
    }
    return true;
}

void SimServer::RequestStop() {
    (void)!::write(wakeWrite_, &kStopByte, 1);
}

void SimServer::Wake() {
    (void)!::write(wakeWrite_, &kWakeByte, 1);
}

void SimServer::Run() {
    bool stopRequested = false;
    while (!stopRequested && listenFd_ >= 0) {
        std::vector<pollfd> fds;
        fds.push_back({listenFd_, POLLIN, 0});
        fds.push_back({wakeRead_, POLLIN, 0});
        for (const Client& client : clients_) {
            const int want = (client.closing ? 0 : POLLIN) | (client.out.empty() ? 0 : POLLOUT);
            fds.push_back({client.fd, static_cast<short>(want), 0});
        }
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (fds[1].revents & POLLIN) {
            char bytes[64];
            ssize_t n = 0;
            while ((n = ::read(wakeRead_, bytes, sizeof bytes)) > 0) {
                stopRequested =
                    stopRequested || std::memchr(bytes, kStopByte, static_cast<size_t>(n)) != nullptr;
            }
        }
        const size_t polled = fds.size() - 2;
        for (size_t i = 0; i < polled; ++i) {
            const short revents = fds[i + 2].revents;
            if (revents & (POLLIN | POLLHUP | POLLERR)) {
                ReadFrom(clients_[i]);
            }
            if (revents & POLLOUT) {
                WriteTo(clients_[i]);
            }
        }
        DrainEvents();
        // Flush what was just queued without waiting for another turn of the loop.
        for (Client& client : clients_) {
            if (!client.out.empty()) {
                WriteTo(client);
            }
        }
        std::erase_if(clients_, [](Client& client) {
            const bool done = client.fd < 0 || (client.closing && client.out.empty());
            if (done && client.fd >= 0) {
                ::close(client.fd);
            }
            return done;
        });
        if (fds[0].revents & POLLIN) {
            Accept();
        }
        if (stopAfterFlush_ && std::none_of(clients_.begin(), clients_.end(), [](const Client& c) {
                return c.mode == Mode::Command && !c.out.empty();
            })) {
            stopRequested = true;
        }
    }
    CloseAll();
}

void SimServer::Accept() {
    for (;;) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            return;
        }
        Client client;
        client.fd = fd;
        clients_.push_back(std::move(client));
    }
}

void SimServer::ReadFrom(Client& client) {
    char chunk[kReadChunk];
    for (;;) {
        const ssize_t n = ::recv(client.fd, chunk, sizeof chunk, 0);
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
            ::close(client.fd);
            client.fd = -1;
            return;
        }
        if (n < 0) {
            break;
        }
        if (client.mode == Mode::Command && !client.closing) {
            client.in.append(chunk, static_cast<size_t>(n));
        }
    }
    size_t newline = 0;
    while (client.fd >= 0 && client.mode == Mode::Command && !client.closing &&
           (newline = client.in.find('\n')) != std::string::npos) {
        std::string line = client.in.substr(0, newline);
        client.in.erase(0, newline + 1);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        HandleLine(client, line);
    }
    if (client.in.size() > simbus::kMaxLineLength) {
        Queue(client, "err request too long\n");
        client.in.clear();
        client.closing = true;
    }
}

void SimServer::WriteTo(Client& client) {
    while (client.fd >= 0 && !client.out.empty()) {
        const ssize_t n = ::send(client.fd, client.out.data(), client.out.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return;
        }
        if (n <= 0) {
            ::close(client.fd);
            client.fd = -1;
            return;
        }
        client.out.erase(0, static_cast<size_t>(n));
    }
}

void SimServer::Queue(Client& client, const std::string& text) {
    if (client.fd < 0) {
        return;
    }
    if (client.out.size() + text.size() > kMaxPendingOutput) {
        ::close(client.fd); // it stopped reading; don't let it hold the daemon's memory
        client.fd = -1;
        client.out.clear();
        return;
    }
    client.out += text;
}

void SimServer::Reply(Client& client, const std::vector<std::string>& data, const std::string& status) {
    std::string text;
    for (const std::string& line : data) {
        text += "data " + line + "\n";
    }
    text += status + "\n";
    Queue(client, text);
}

void SimServer::HandleLine(Client& client, const std::string& line) {
    const std::vector<std::string> words = simbus::SplitWords(line);
    if (words.empty()) {
        Reply(client, {}, "err empty request");
        return;
    }
    std::vector<std::string> data;
    const std::string status = Handle(client, words, data);
    Reply(client, data, status);
}

std::string SimServer::Handle(Client& client, const std::vector<std::string>& words,
                              std::vector<std::string>& data) {
    const std::string& verb = words[0];
    if (verb == "list" || verb == "open" || verb == "set" || verb == "get" || verb == "read") {
        return HandleHid(client, words, data);
    }
    if (verb == "watch" && words.size() == 1) {
        // A new watcher first hears of what is already plugged, as if it had just arrived;
        // those lines follow the "ok" that ends the reply.
        client.mode = Mode::Watcher;
        std::string status(kOk);
        for (SimKind kind : {SimKind::Wired, SimKind::Receiver}) {
            if (mouse_.IsPlugged(kind)) {
                status += "\narrival " + std::string(KindName(kind));
            }
        }
        return status;
    }
    if (verb == "stop" && words.size() == 1) {
        stopAfterFlush_ = true;
        return std::string(kOk);
    }
    return HandleControl(words, data);
}

std::string SimServer::HandleHid(Client& client, const std::vector<std::string>& words,
                                 std::vector<std::string>& data) {
    const std::string& verb = words[0];
    if (verb == "list") {
        if (words.size() != 1) {
            return "err usage: list";
        }
        for (SimKind kind : {SimKind::Wired, SimKind::Receiver}) {
            if (mouse_.IsPlugged(kind)) {
                data.push_back(InterfaceLine(kind, true));
                data.push_back(InterfaceLine(kind, false));
            }
        }
        return std::string(kOk);
    }
    SimKind kind = SimKind::Wired;
    bool input = false;
    if (words.size() < 2 || !ParsePath(words[1], kind, input)) {
        return "err no such device";
    }
    if (verb == "open") {
        const std::optional<uint64_t> connection = mouse_.Connection(kind);
        if (words.size() != 2 || !connection) {
            return "err no such device";
        }
        const std::string line = InterfaceLine(kind, input);
        return "ok " + std::to_string(*connection) + line.substr(line.find(' '));
    }
    uint64_t connection = 0;
    if (words.size() < 3 || !ParseUnsigned(words[2], connection)) {
        return "err bad connection";
    }
    if (verb == "read") {
        if (words.size() != 3 || !input || !mouse_.IsConnected(kind, connection)) {
            return "err gone";
        }
        client.mode = Mode::Reader;
        client.kind = kind;
        client.connection = connection;
        return std::string(kOk);
    }
    if (words.size() != 4 || input) {
        return "err not a feature interface";
    }
    std::optional<std::vector<uint8_t>> report = simbus::FromHex(words[3]);
    if (!report || report->empty()) {
        return "err bad report";
    }
    if (verb == "set") {
        return mouse_.SetFeature(kind, connection, report->data(), report->size()) ? std::string(kOk)
                                                                                   : "err write failed";
    }
    if (!mouse_.GetFeature(kind, connection, report->data(), report->size())) {
        return "err read failed";
    }
    return "ok " + simbus::ToHex(report->data(), report->size());
}

std::string SimServer::HandleControl(const std::vector<std::string>& words, std::vector<std::string>& data) {
    const std::string& verb = words[0];
    const size_t argc = words.size() - 1;
    if ((verb == "plug" || verb == "unplug") && argc == 1) {
        const std::optional<SimKind> kind = ParseKind(words[1]);
        if (!kind) {
            return "err expected wired or receiver";
        }
        verb == "plug" ? mouse_.Plug(*kind) : mouse_.Unplug(*kind);
        return std::string(kOk);
    }
    if (verb == "dpi-button" && argc == 0) {
        mouse_.PressDpiButton();
        return std::string(kOk);
    }
    if (verb == "rate-button" && argc == 0) {
        mouse_.PressRateButton();
        return std::string(kOk);
    }
    if (verb == "battery" && (argc == 1 || argc == 2)) {
        int percent = 0;
        const std::optional<ChargeState> charge = argc == 2 ? ParseCharge(words[2]) : ChargeState::None;
        if (!ParseInt(words[1], percent) || percent < 0 || percent > kMaxPercent || !charge) {
            return "err usage: battery PCT [none|charging|charged]";
        }
        mouse_.SetBattery(static_cast<uint8_t>(percent), *charge);
        return std::string(kOk);
    }
    if (verb == "link" && argc == 1 && (words[1] == "on" || words[1] == "off")) {
        mouse_.SetLink(words[1] == "on");
        return std::string(kOk);
    }
    if (verb == "sensor" && argc == 1) {
        std::string_view text = words[1];
        if (text.starts_with("0x") || text.starts_with("0X")) {
            text.remove_prefix(2);
        }
        int code = 0;
        if (!ParseInt(text, code, 16) || code < 0 || code > 0xFF) {
            return "err usage: sensor CODE (one byte in hex, for example 27 or 0x27)";
        }
        mouse_.SetSensor(static_cast<uint8_t>(code));
        return std::string(kOk);
    }
    if (verb == "fault") {
        return HandleFault(words);
    }
    if ((verb == "state" || verb == "state-json") && argc == 0) {
        const SimSnapshot snapshot = mouse_.Snapshot();
        SplitLines(verb == "state" ? FormatStateText(snapshot) : FormatStateJson(snapshot), data);
        return std::string(kOk);
    }
    if (verb == "log" && argc == 0) {
        for (const LoggedReport& report : mouse_.Log()) {
            data.push_back(FormatLogLine(report));
        }
        return std::string(kOk);
    }
    return "err unknown request: " + verb.substr(0, 40);
}

std::string SimServer::HandleFault(const std::vector<std::string>& words) {
    SimFaults faults = mouse_.Snapshot().faults;
    const size_t argc = words.size() - 1;
    if (argc == 1 && words[1] == "clear") {
        faults = {};
    } else if (argc == 2 && words[1] == "fail-writes" && ParseFaultCount(words[2], faults.failWrites)) {
    } else if (argc == 2 && words[1] == "fail-reads" && ParseFaultCount(words[2], faults.failReads)) {
    } else if (argc == 2 && words[1] == "empty-replies" && ParseFaultCount(words[2], faults.emptyReplies)) {
    } else if (argc == 3 && words[1] == "disconnect-after" && ParseKind(words[3])) {
        int count = 0;
        if (!ParseInt(words[2], count) || count < 0) {
            return "err usage: fault disconnect-after N wired|receiver";
        }
        faults.disconnectAfter[static_cast<size_t>(KindIndex(*ParseKind(words[3])))] = count;
    } else {
        return "err usage: fault clear | fail-writes N|always | fail-reads N|always | empty-replies N|always "
               "| "
               "disconnect-after N wired|receiver";
    }
    mouse_.SetFaults(faults);
    return std::string(kOk);
}

void SimServer::DrainEvents() {
    std::vector<Event> events;
    {
        std::lock_guard lock(eventsMutex_);
        events.swap(events_);
    }
    for (const Event& event : events) {
        for (Client& client : clients_) {
            if (client.fd < 0 || client.closing) {
                continue;
            }
            if (event.isInput && client.mode == Mode::Reader && client.kind == event.kind &&
                client.connection == event.connection) {
                Queue(client, "input " + simbus::ToHex(event.report.data(), event.report.size()) + "\n");
            } else if (!event.isInput && client.mode == Mode::Watcher) {
                Queue(client, std::string(event.plugged ? "arrival " : "removal ") +
                                  std::string(KindName(event.kind)) + "\n");
            } else if (!event.isInput && !event.plugged && client.mode == Mode::Reader &&
                       client.kind == event.kind) {
                Queue(client, "gone\n");
                client.closing = true;
            }
        }
    }
}

void SimServer::CloseAll() {
    for (Client& client : clients_) {
        if (client.fd >= 0) {
            ::close(client.fd);
        }
    }
    clients_.clear();
    if (listenFd_ >= 0) {
        ::close(listenFd_);
        listenFd_ = -1;
    }
    if (bound_) {
        ::unlink(socketPath_.c_str());
        bound_ = false;
    }
}

} // namespace vexmo::sim
