// The daemon and the simulator bus over a real socket: in-process server first, then the
// real vexmo-mousesim binary (its command line, its log, and it going away).
#include "platform/simbus/LineSocket.h"
#include "platform/simbus/SimHidBus.h"
#include "sim/InProcessHidBus.h"
#include "sim/SimTestSupport.h"
#include "sim/daemon/SimServer.h"
#include "support/TempDir.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <regex>
#include <spawn.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace vexmo::sim {
namespace {

using namespace std::chrono_literals;
using simbus::LineSocket;
using simbus::SimHidBus;
using test::Frame;

constexpr auto kPatience = 10s;

// Collects hotplug events from the bus's watcher thread.
class ChangeRecorder {
public:
    void operator()(HidChange change) {
        std::lock_guard lock(mutex_);
        changes_.push_back(change);
        cv_.notify_all();
    }
    bool WaitFor(size_t count) {
        std::unique_lock lock(mutex_);
        return cv_.wait_for(lock, kPatience, [&] { return changes_.size() >= count; });
    }
    std::vector<HidChange> Changes() {
        std::lock_guard lock(mutex_);
        return changes_;
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    std::vector<HidChange> changes_;
};

std::string PathOf(SimKind kind, bool input) {
    return InProcessHidBus::InterfacePath(SimServer::kMouseName, kind, input);
}

class SimServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        mouse.Plug(SimKind::Wired);
        mouse.Plug(SimKind::Receiver);
        std::string why;
        ASSERT_TRUE(server.Listen(&why)) << why;
        serving = std::thread([this] { server.Run(); });
    }
    void TearDown() override { StopServer(); }
    void StopServer() {
        if (serving.joinable()) {
            server.RequestStop();
            serving.join();
        }
    }

    vexmo::test::TempDir dir;
    test::FakeClock clock;
    SimulatedMouse mouse{clock};
    std::filesystem::path socketPath = dir / "sim.sock";
    SimServer server{mouse, socketPath};
    std::thread serving;
};

TEST_F(SimServerTest, SocketIsPrivateAndASecondDaemonIsRefused) {
    struct stat info {};
    ASSERT_EQ(::stat(socketPath.c_str(), &info), 0);
    EXPECT_TRUE(S_ISSOCK(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    SimulatedMouse other(clock);
    SimServer second(other, socketPath);
    std::string why;
    EXPECT_FALSE(second.Listen(&why));
    EXPECT_NE(why.find("already running"), std::string::npos) << why;
}

TEST_F(SimServerTest, BusEnumeratesOpensAndTransfers) {
    SimHidBus bus(socketPath);
    const auto found = bus.Enumerate();
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[1].path, PathOf(SimKind::Wired, false));
    EXPECT_EQ(found[1].vendorId, 0x248D);
    EXPECT_EQ(found[1].productId, 0x5B5E);
    EXPECT_EQ(found[1].featureReportByteLength, 33);
    EXPECT_EQ(found[2].productId, 0x5B5F);
    EXPECT_EQ(found[2].inputReportByteLength, 33);

    auto feature = bus.Open(PathOf(SimKind::Wired, false));
    ASSERT_TRUE(feature);
    EXPECT_EQ(feature->Info().featureReportByteLength, 33);
    const Report rate = Frame(0x07, 0x01, {8}, 1);
    EXPECT_TRUE(feature->SetFeature(rate.data(), rate.size()));
    EXPECT_EQ(mouse.Snapshot().config.rateCode, 8);
    const Report query = Frame(0x20, 0x00, {}, 2);
    ASSERT_TRUE(feature->SetFeature(query.data(), query.size()));
    Report reply{};
    reply.fill(0xFF);
    reply[0] = 0x0C;
    ASSERT_TRUE(feature->GetFeature(reply.data(), reply.size()));
    EXPECT_EQ(std::string(reply.begin() + 8, reply.begin() + 12), "R417");
    EXPECT_EQ(reply[4], 2);

    for (const char* path :
         {"sim://mousesim/wired/nothing", "sim://mousesim/wired/feature\nstop", "/dev/hidraw0"}) {
        SCOPED_TRACE(path);
        std::string why;
        EXPECT_FALSE(bus.Open(path, &why));
        EXPECT_FALSE(why.empty());
    }
    EXPECT_EQ(bus.Enumerate().size(), 4u) << "no request was smuggled in";
}

TEST_F(SimServerTest, InputReadsAndHotplugFollowTheMouse) {
    SimHidBus bus(socketPath);
    ChangeRecorder recorder;
    bus.SetHotplugHandler(std::ref(recorder));
    ASSERT_TRUE(recorder.WaitFor(2)) << "a watcher first hears of both plugged kinds";

    auto input = bus.Open(PathOf(SimKind::Wired, true));
    ASSERT_TRUE(input);
    std::vector<std::vector<uint8_t>> received;
    std::atomic<int> receivedCount{0};
    int last = 0;
    std::thread reader([&] {
        uint8_t buffer[33];
        while ((last = input->ReadInput(buffer, sizeof buffer)) > 0) {
            received.emplace_back(buffer, buffer + last);
            ++receivedCount;
        }
    });
    // The reader connects lazily; press until its stream is in place, then unplug.
    for (int i = 0; i < 200 && receivedCount == 0; ++i) {
        mouse.PressRateButton();
        std::this_thread::sleep_for(10ms);
    }
    mouse.Unplug(SimKind::Wired);
    reader.join();
    EXPECT_EQ(last, -1);
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.back()[0], 0x05);
    EXPECT_EQ(received.back()[1], 0x06);
    ASSERT_TRUE(recorder.WaitFor(3));
    EXPECT_EQ(recorder.Changes()[2], HidChange::RemovalComplete);

    mouse.Plug(SimKind::Wired);
    ASSERT_TRUE(recorder.WaitFor(4));
    EXPECT_EQ(recorder.Changes()[3], HidChange::Arrival);
    EXPECT_EQ(bus.Enumerate().size(), 4u);
}

TEST_F(SimServerTest, DaemonGoingAwayEndsReadsWritesAndRaisesRemoval) {
    SimHidBus bus(socketPath);
    ChangeRecorder recorder;
    bus.SetHotplugHandler(std::ref(recorder));
    ASSERT_TRUE(recorder.WaitFor(2));
    auto feature = bus.Open(PathOf(SimKind::Receiver, false));
    auto input = bus.Open(PathOf(SimKind::Receiver, true));
    ASSERT_TRUE(feature && input);
    int result = 0;
    std::thread reader([&] {
        uint8_t buffer[33];
        result = input->ReadInput(buffer, sizeof buffer);
    });
    std::this_thread::sleep_for(50ms);
    StopServer();
    reader.join();
    EXPECT_EQ(result, -1);
    const Report frame = Frame(0x0A, 0x01, {1});
    EXPECT_FALSE(feature->SetFeature(frame.data(), frame.size()));
    ASSERT_TRUE(recorder.WaitFor(3));
    EXPECT_EQ(recorder.Changes()[2], HidChange::RemovalComplete);
    EXPECT_TRUE(bus.Enumerate().empty());
    EXPECT_FALSE(std::filesystem::exists(socketPath)) << "a daemon that stops removes its socket";
}

TEST_F(SimServerTest, CancelInputEndsABlockedRead) {
    SimHidBus bus(socketPath);
    auto input = bus.Open(PathOf(SimKind::Wired, true));
    ASSERT_TRUE(input);
    int result = 0;
    std::thread reader([&] {
        uint8_t buffer[33];
        result = input->ReadInput(buffer, sizeof buffer);
    });
    std::this_thread::sleep_for(50ms);
    input->CancelInput();
    reader.join();
    EXPECT_EQ(result, -1);
}

TEST_F(SimServerTest, HostileClientsDoNotHurtTheDaemon) {
    {
        LineSocket raw = LineSocket::Connect(socketPath);
        ASSERT_TRUE(raw.IsOpen());
        const std::vector<std::string> requests = {
            "",
            "nonsense",
            "set",
            "set sim://mousesim/wired/feature",
            "set sim://mousesim/wired/feature x 0c",
            "set sim://mousesim/wired/feature 1 0g",
            "set sim://mousesim/wired/feature 1 0c0",
            "get sim://mousesim/wired/input 1 0c",
            "open ../../etc/passwd",
            "read sim://mousesim/wired/feature 1",
            "battery 300",
            "battery -1",
            "sensor 1ff",
            "fault disconnect-after -3 wired",
            "fault fail-writes x",
            "plug mouse",
            "link maybe",
            std::string("\x01\x02\xff\xfe", 4),
            "set sim://mousesim/wired/feature 99999999999999999999999 0c",
        };
        for (const std::string& request : requests) {
            SCOPED_TRACE(request);
            EXPECT_FALSE(raw.Request(request).ok);
        }
        EXPECT_TRUE(raw.Request("list").ok) << "the same connection still works";
    }
    {
        LineSocket flood = LineSocket::Connect(socketPath);
        flood.WriteLine(std::string(200 * 1024, 'a')); // a line past the limit: the daemon drops us
        EXPECT_FALSE(flood.Request("list").ok);
    }
    {
        LineSocket partial = LineSocket::Connect(socketPath);
        ASSERT_TRUE(partial.IsOpen());
        ASSERT_EQ(::send(partial.Fd(), "li", 2, MSG_NOSIGNAL), 2); // then hang up mid-line
    }
    {
        // Random printable requests built from the protocol's own words.
        std::mt19937 random(7);
        const std::vector<std::string> vocabulary = {"list",
                                                     "open",
                                                     "set",
                                                     "get",
                                                     "read",
                                                     "watch",
                                                     "plug",
                                                     "unplug",
                                                     "battery",
                                                     "link",
                                                     "sensor",
                                                     "fault",
                                                     "state",
                                                     "log",
                                                     "sim://mousesim/wired/feature",
                                                     "sim://mousesim/receiver/input",
                                                     "1",
                                                     "0",
                                                     "-1",
                                                     "999999999999999999999",
                                                     "0c01070001010108",
                                                     "zz",
                                                     "always",
                                                     "wired",
                                                     "receiver",
                                                     "on",
                                                     "x"};
        LineSocket fuzz = LineSocket::Connect(socketPath);
        for (int i = 0; i < 300; ++i) {
            std::string request;
            const int words = 1 + static_cast<int>(random() % 5);
            for (int w = 0; w < words; ++w) {
                request += (w ? " " : "") + vocabulary[random() % vocabulary.size()];
            }
            if (request.starts_with("read") || request.starts_with("watch")) {
                continue; // these turn the connection into a stream
            }
            ASSERT_FALSE(fuzz.Request(request).text == "connection lost") << request;
        }
        ASSERT_TRUE(fuzz.Request("plug wired").ok); // whatever the random requests unplugged
        ASSERT_TRUE(fuzz.Request("plug receiver").ok);
    }
    LineSocket after = LineSocket::Connect(socketPath);
    const simbus::Reply reply = after.Request("list");
    EXPECT_TRUE(reply.ok);
    EXPECT_EQ(reply.data.size(), 4u);
}

// A daemon that answers with whatever the test scripted: the bus must take nothing on trust.
class ScriptedDaemon {
public:
    ScriptedDaemon(const std::filesystem::path& path, std::map<std::string, std::string> answers)
        : answers_(std::move(answers)) {
        listen_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        ok_ = ::bind(listen_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
              ::listen(listen_, 8) == 0;
        thread_ = std::thread([this] { Serve(); });
    }
    ~ScriptedDaemon() {
        ::shutdown(listen_, SHUT_RDWR);
        thread_.join();
        {
            std::lock_guard lock(mutex_);
            for (int fd : connections_) {
                ::shutdown(fd, SHUT_RDWR);
            }
        }
        for (std::thread& connection : handlers_) {
            connection.join();
        }
        for (int fd : connections_) {
            ::close(fd);
        }
        ::close(listen_);
    }
    bool Ok() const { return ok_; }

private:
    void Serve() {
        for (;;) {
            const int fd = ::accept(listen_, nullptr, nullptr);
            if (fd < 0) {
                return;
            }
            std::lock_guard lock(mutex_);
            connections_.push_back(fd);
            handlers_.emplace_back([this, fd] { Answer(fd); });
        }
    }
    void Answer(int fd) {
        std::string buffer;
        char c = 0;
        while (::recv(fd, &c, 1, 0) == 1) {
            if (c != '\n') {
                buffer += c;
                continue;
            }
            const std::string verb = buffer.substr(0, buffer.find(' '));
            const auto answer = answers_.find(verb);
            const std::string reply = answer == answers_.end() ? "err no\n" : answer->second;
            ::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
            buffer.clear();
            if (verb == "read") {
                ::shutdown(fd, SHUT_WR); // the stream ends after the scripted lines
            }
        }
    }

    std::mutex mutex_;
    std::vector<int> connections_;
    std::vector<std::thread> handlers_;
    std::map<std::string, std::string> answers_;
    int listen_ = -1;
    bool ok_ = false;
    std::thread thread_;
};

TEST(SimHidBusClient, MalformedRepliesAreRefused) {
    vexmo::test::TempDir dir;
    const std::filesystem::path path = dir / "fake.sock";
    const std::string good = "sim://mousesim/wired/input 248d 5b5e 33 0";
    ScriptedDaemon daemon(
        path, {
                  {"list", "data " + good +
                               "\ndata sim://x 248d\ndata /dev/hidraw0 248d 5b5e 33 0\n"
                               "data sim://y zzzz 5b5e 33 0\ndata sim://z 248d 5b5e 99999999 0\nok\n"},
                  {"open", "ok 7 248d 5b5e 33 33\n"},
                  {"get", "ok 0c01\n"},
                  {"read", "ok\ninput zz\nsurprise\ninput 0506\n"},
              });
    ASSERT_TRUE(daemon.Ok());
    SimHidBus bus(path);
    const auto found = bus.Enumerate();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].path, "sim://mousesim/wired/input");

    auto device = bus.Open("sim://mousesim/wired/input");
    ASSERT_TRUE(device);
    Report report{};
    report[0] = 0x0C;
    EXPECT_FALSE(device->GetFeature(report.data(), report.size())) << "a reply of the wrong length";
    uint8_t buffer[33];
    EXPECT_EQ(device->ReadInput(buffer, sizeof buffer), 2) << "bad lines are skipped";
    EXPECT_EQ(buffer[1], 0x06);
    EXPECT_EQ(device->ReadInput(buffer, sizeof buffer), -1) << "the stream ended";
}

TEST(SimHidBusClient, SocketOfAnotherUserIsNotUsed) {
    vexmo::test::TempDir dir;
    SimulatedMouse mouse;
    mouse.Plug(SimKind::Wired);
    const std::filesystem::path path = dir / "other.sock";
    SimServer server(mouse, path);
    std::string why;
    ASSERT_TRUE(server.Listen(&why)) << why;
    if (::chown(path.c_str(), ::getuid() + 1, static_cast<gid_t>(-1)) != 0) {
        GTEST_SKIP() << "cannot hand the socket to another user here";
    }
    SimHidBus bus(path);
    EXPECT_TRUE(bus.Enumerate().empty());
    EXPECT_FALSE(LineSocket::Connect(path, &why).IsOpen());
    EXPECT_NE(why.find("not a socket of this user"), std::string::npos) << why;
}

// The real binary, as a user or the end-to-end tests run it.
class MouseSimBinaryTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (daemon > 0) {
            ::kill(daemon, SIGKILL);
            ::waitpid(daemon, nullptr, 0);
        }
    }
    pid_t Start(std::vector<std::string> args) {
        args.insert(args.begin(), {VEXMO_MOUSESIM, "serve", "--socket", socketPath.string()});
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        pid_t pid = 0;
        if (posix_spawn(&pid, VEXMO_MOUSESIM, nullptr, nullptr, argv.data(), environ) != 0) {
            return 0;
        }
        for (int i = 0; i < 500; ++i) {
            if (LineSocket::Connect(socketPath).IsOpen()) {
                return pid;
            }
            std::this_thread::sleep_for(10ms);
        }
        return pid;
    }
    // Runs a client command; returns its exit status and fills `out` with its standard output.
    int Run(const std::string& args, std::string& out) {
        const std::string command =
            std::string(VEXMO_MOUSESIM) + " --socket " + socketPath.string() + " " + args + " 2>/dev/null";
        FILE* pipe = ::popen(command.c_str(), "r");
        if (pipe == nullptr) {
            return -1;
        }
        out.clear();
        char buffer[4096];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            out.append(buffer, n);
        }
        const int status = ::pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    vexmo::test::TempDir dir;
    std::filesystem::path socketPath = dir / "daemon.sock";
    pid_t daemon = 0;
};

TEST_F(MouseSimBinaryTest, CommandsReachTheDaemonAndTheLogHasItsExactForm) {
    daemon =
        Start({"--receiver", "--sensor", "0x60", "--battery", "37", "--charge", "charged", "--link", "off"});
    ASSERT_GT(daemon, 0);
    SimHidBus bus(socketPath);
    const auto found = bus.Enumerate();
    ASSERT_EQ(found.size(), 2u) << "only the receiver was asked for";
    auto feature = bus.Open(PathOf(SimKind::Receiver, false));
    ASSERT_TRUE(feature);
    const Report debounce = Frame(0x0A, 0x01, {6}, 0x2B);
    ASSERT_TRUE(feature->SetFeature(debounce.data(), debounce.size()));
    const Report query = Frame(0x20, 0x00, {}, 0x2C);
    ASSERT_TRUE(feature->SetFeature(query.data(), query.size()));
    Report reply{};
    reply[0] = 0x0C;
    ASSERT_TRUE(feature->GetFeature(reply.data(), reply.size()));
    EXPECT_EQ(reply[15], 0x60);
    EXPECT_EQ(reply[18], 37);
    EXPECT_EQ(reply[19], 2);
    EXPECT_EQ(reply[21], 0);

    std::string out;
    ASSERT_EQ(Run("log", out), 0);
    std::istringstream lines(out);
    std::string line;
    std::vector<std::string> logged;
    while (std::getline(lines, line)) {
        logged.push_back(line);
    }
    ASSERT_EQ(logged.size(), 3u) << out;
    const std::regex form("^[0-9]+ receiver (set|get) [0-9a-f]{66}$");
    for (const std::string& entry : logged) {
        EXPECT_TRUE(std::regex_match(entry, form)) << entry;
    }
    EXPECT_NE(logged[0].find(" set 0c010a002b010106" + std::string(50, '0')), std::string::npos) << logged[0];

    EXPECT_EQ(Run("plug wired", out), 0);
    EXPECT_EQ(Run("rate-button", out), 0);
    EXPECT_EQ(Run("battery 64 --charging", out), 0);
    EXPECT_EQ(Run("link on", out), 0);
    EXPECT_EQ(Run("sensor 27", out), 0);
    EXPECT_EQ(Run("fault empty-replies 1", out), 0);
    EXPECT_EQ(Run("state --json", out), 0);
    EXPECT_NE(out.find("\"plugged\":{\"wired\":true,\"receiver\":true}"), std::string::npos) << out;
    EXPECT_NE(out.find("\"sensor\":39,\"battery\":64,\"charge\":\"charging\",\"link\":true"),
              std::string::npos);
    EXPECT_NE(out.find("\"debounce\":6"), std::string::npos);
    EXPECT_EQ(Run("state", out), 0);
    EXPECT_NE(out.find("report rate: 1000 Hz"), std::string::npos) << out;
    EXPECT_NE(out.find("empty-replies 1"), std::string::npos) << out;

    EXPECT_EQ(Run("fault sideways", out), 1);
    EXPECT_EQ(Run("plug mouse", out), 2);
    EXPECT_EQ(Run("battery \"5 none\"", out), 2);
    EXPECT_EQ(Run("stop", out), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(daemon, &status, 0), daemon);
    daemon = 0;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(Run("state", out), 1) << "no daemon any more";
}

TEST_F(MouseSimBinaryTest, KilledDaemonIsNoticedAndItsStaleSocketReplaced) {
    daemon = Start({});
    ASSERT_GT(daemon, 0);
    SimHidBus bus(socketPath);
    ChangeRecorder recorder;
    bus.SetHotplugHandler(std::ref(recorder));
    ASSERT_TRUE(recorder.WaitFor(2));
    auto input = bus.Open(PathOf(SimKind::Wired, true));
    ASSERT_TRUE(input);
    int result = 0;
    std::thread reader([&] {
        uint8_t buffer[33];
        result = input->ReadInput(buffer, sizeof buffer);
    });
    std::this_thread::sleep_for(50ms);
    ::kill(daemon, SIGKILL);
    ::waitpid(daemon, nullptr, 0);
    daemon = 0;
    reader.join();
    EXPECT_EQ(result, -1);
    ASSERT_TRUE(recorder.WaitFor(3));
    EXPECT_EQ(recorder.Changes()[2], HidChange::RemovalComplete);
    EXPECT_TRUE(std::filesystem::exists(socketPath)) << "SIGKILL leaves the socket behind";

    daemon = Start({"--wired"});
    ASSERT_GT(daemon, 0);
    ASSERT_TRUE(recorder.WaitFor(4)) << "the bus notices the new daemon";
    EXPECT_EQ(recorder.Changes()[3], HidChange::Arrival);
    EXPECT_EQ(bus.Enumerate().size(), 2u);
}

TEST_F(MouseSimBinaryTest, TermSignalStopsCleanly) {
    daemon = Start({});
    ASSERT_GT(daemon, 0);
    ::kill(daemon, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(daemon, &status, 0), daemon);
    daemon = 0;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(std::filesystem::exists(socketPath));
}

} // namespace
} // namespace vexmo::sim
