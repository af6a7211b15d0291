#include "platform/simbus/SimHidBus.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace vexmo::simbus {

namespace {

constexpr auto kReconnectPause = std::chrono::milliseconds(300);
constexpr std::string_view kInputPrefix = "input ";

template <typename T> bool ParseNumber(std::string_view text, T& value, int base = 10) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc() && end == text.data() + text.size();
}

// "<path> <vid> <pid> <input length> <feature length>" -> an interface description.
std::optional<HidInterfaceInfo> ParseInterface(const std::vector<std::string>& words, size_t first) {
    if (words.size() != first + 5) {
        return std::nullopt;
    }
    HidInterfaceInfo info;
    info.path = words[first];
    if (!SimHidBus::IsSimPath(info.path) || !ParseNumber(words[first + 1], info.vendorId, 16) ||
        !ParseNumber(words[first + 2], info.productId, 16) ||
        !ParseNumber(words[first + 3], info.inputReportByteLength) ||
        !ParseNumber(words[first + 4], info.featureReportByteLength)) {
        return std::nullopt;
    }
    return info;
}

class SimBusDevice final : public HidDevice {
public:
    SimBusDevice(std::filesystem::path socketPath, LineSocket commands, HidInterfaceInfo info,
                 std::string connection)
        : socketPath_(std::move(socketPath)), commands_(std::move(commands)), info_(std::move(info)),
          connection_(std::move(connection)) {}

    const HidInterfaceInfo& Info() const override { return info_; }

    bool SetFeature(const uint8_t* report, size_t length) override {
        if (report == nullptr) {
            return false;
        }
        std::lock_guard lock(commandMutex_);
        return commands_.Request("set " + info_.path + " " + connection_ + " " + ToHex(report, length)).ok;
    }

    bool GetFeature(uint8_t* report, size_t length) override {
        if (report == nullptr) {
            return false;
        }
        std::lock_guard lock(commandMutex_);
        const Reply reply =
            commands_.Request("get " + info_.path + " " + connection_ + " " + ToHex(report, length));
        if (!reply.ok) {
            return false;
        }
        const auto bytes = FromHex(reply.text);
        if (!bytes || bytes->size() != length) {
            return false;
        }
        std::copy(bytes->begin(), bytes->end(), report);
        return true;
    }

    int ReadInput(uint8_t* report, size_t length) override {
        if (report == nullptr || !EnsureReading()) {
            return -1;
        }
        for (;;) {
            const std::optional<std::string> line = input_.ReadLine();
            if (!line || !line->starts_with(kInputPrefix)) {
                if (!line || *line == "gone") {
                    Finish();
                    return -1;
                }
                continue; // a line from a newer daemon we do not know: skip it
            }
            const auto bytes = FromHex(std::string_view(*line).substr(kInputPrefix.size()));
            if (!bytes) {
                continue;
            }
            const size_t copied = std::min(length, bytes->size());
            std::copy_n(bytes->begin(), copied, report);
            return static_cast<int>(copied);
        }
    }

    void CancelInput() override {
        std::lock_guard lock(inputMutex_);
        cancelled_ = true;
        input_.Shutdown();
    }

private:
    // Opens the input stream on first use; false once the stream has ended or was cancelled.
    bool EnsureReading() {
        std::lock_guard lock(inputMutex_);
        if (cancelled_ || finished_) {
            return false;
        }
        if (input_.IsOpen()) {
            return true;
        }
        input_ = LineSocket::Connect(socketPath_);
        if (!input_.Request("read " + info_.path + " " + connection_).ok) {
            input_.Close();
            finished_ = true;
            return false;
        }
        return true;
    }

    void Finish() {
        std::lock_guard lock(inputMutex_);
        finished_ = true;
    }

    const std::filesystem::path socketPath_;
    std::mutex commandMutex_;
    LineSocket commands_;
    const HidInterfaceInfo info_;
    const std::string connection_;
    std::mutex inputMutex_;
    LineSocket input_;
    bool cancelled_ = false;
    bool finished_ = false;
};

} // namespace

SimHidBus::SimHidBus(std::filesystem::path socketPath) : socketPath_(std::move(socketPath)) {}

SimHidBus::~SimHidBus() {
    StopWatcher();
}

bool SimHidBus::SocketExists() const {
    std::error_code ec;
    return std::filesystem::exists(socketPath_, ec);
}

bool SimHidBus::IsSimPath(std::string_view path) {
    return path.starts_with(kPathScheme);
}

std::vector<HidInterfaceInfo> SimHidBus::Enumerate() {
    LineSocket socket = LineSocket::Connect(socketPath_);
    if (!socket.IsOpen()) {
        return {};
    }
    const Reply reply = socket.Request("list");
    std::vector<HidInterfaceInfo> found;
    if (!reply.ok) {
        return found;
    }
    for (const std::string& line : reply.data) {
        if (auto info = ParseInterface(SplitWords(line), 0)) {
            found.push_back(*info);
        }
    }
    return found;
}

std::unique_ptr<HidDevice> SimHidBus::Open(const std::string& path, std::string* whyNot) {
    auto fail = [&](std::string why) -> std::unique_ptr<HidDevice> {
        if (whyNot != nullptr) {
            *whyNot = std::move(why);
        }
        return nullptr;
    };
    // One request per line: a path with spaces or control characters could smuggle a second one.
    const bool plain =
        std::none_of(path.begin(), path.end(), [](char c) { return c == ' ' || (c >= 0 && c < 0x20); });
    if (!IsSimPath(path) || !plain) {
        return fail("not a simulator device: " + path);
    }
    std::string why;
    LineSocket socket = LineSocket::Connect(socketPath_, &why);
    if (!socket.IsOpen()) {
        return fail("the mouse simulator is not running (" + why + ")");
    }
    const Reply reply = socket.Request("open " + path);
    if (!reply.ok) {
        return fail(reply.text);
    }
    // ok <connection> <vid> <pid> <input length> <feature length>
    std::vector<std::string> words = SplitWords(reply.text);
    if (words.empty()) {
        return fail("malformed reply from the simulator");
    }
    const std::string connection = words[0];
    words[0] = path;
    const std::optional<HidInterfaceInfo> info = ParseInterface(words, 0);
    if (!info || info->path != path) {
        return fail("malformed reply from the simulator");
    }
    return std::make_unique<SimBusDevice>(socketPath_, std::move(socket), *info, connection);
}

void SimHidBus::SetHotplugHandler(std::function<void(HidChange)> handler) {
    StopWatcher();
    if (!handler) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        handler_ = std::move(handler);
        stopping_ = false;
    }
    StartWatcher();
}

void SimHidBus::StartWatcher() {
    watcher_ = std::thread([this] { WatchLoop(); });
}

void SimHidBus::StopWatcher() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        if (watchSocket_ != nullptr) {
            watchSocket_->Shutdown();
        }
    }
    wake_.notify_all();
    if (watcher_.joinable()) {
        watcher_.join();
    }
    std::lock_guard lock(mutex_);
    handler_ = nullptr;
}

void SimHidBus::WatchLoop() {
    for (;;) {
        WatchOnce();
        std::unique_lock lock(mutex_);
        if (wake_.wait_for(lock, kReconnectPause, [this] { return stopping_; })) {
            return;
        }
    }
}

// One life of the daemon: its arrivals and removals, then removal of whatever it still had
// plugged when it went away.
void SimHidBus::WatchOnce() {
    LineSocket socket = LineSocket::Connect(socketPath_);
    if (!socket.IsOpen()) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        if (stopping_) {
            return;
        }
        watchSocket_ = &socket;
    }
    std::set<std::string> present;
    if (socket.Request("watch").ok) {
        while (std::optional<std::string> line = socket.ReadLine()) {
            const std::vector<std::string> words = SplitWords(*line);
            if (words.size() != 2) {
                continue;
            }
            if (words[0] == "arrival" && present.insert(words[1]).second) {
                Raise(HidChange::Arrival);
            } else if (words[0] == "removal" && present.erase(words[1]) > 0) {
                Raise(HidChange::RemovalComplete);
            }
        }
    }
    bool stopping = false;
    {
        std::lock_guard lock(mutex_);
        watchSocket_ = nullptr;
        stopping = stopping_;
    }
    if (!stopping && !present.empty()) {
        Raise(HidChange::RemovalComplete);
    }
}

void SimHidBus::Raise(HidChange change) {
    std::function<void(HidChange)> handler;
    {
        std::lock_guard lock(mutex_);
        handler = handler_;
    }
    if (handler) {
        handler(change);
    }
}

} // namespace vexmo::simbus
