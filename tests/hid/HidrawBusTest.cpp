#include "platform/linux/HidrawBus.h"
#include "platform/linux/CombinedHidBus.h"
#include "platform/linux/HidrawHandle.h"
#include "platform/linux/HidrawNode.h"
#include "sim/InProcessHidBus.h"
#include "sim/daemon/SimServer.h"
#include "support/TempDir.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace vexmo {
namespace {

using namespace std::chrono_literals;

TEST(HidrawNode, HidIdAndCollectionPaths) {
    uint16_t vendor = 0;
    uint16_t product = 0;
    ASSERT_TRUE(ParseHidId("0003:0000248D:00005B5E", vendor, product));
    EXPECT_EQ(vendor, 0x248D);
    EXPECT_EQ(product, 0x5B5E);
    for (const char* bad :
         {"", "0003", "0003:0000248D", "0003:1000248D:00005B5E", "0003:XYZ:00005B5E", "3:1:2:"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(ParseHidId(bad, vendor, product));
    }

    HidrawNode node;
    node.devnode = "/dev/hidraw3";
    node.descriptor.collections.resize(1);
    EXPECT_EQ(CollectionPath(node, 0), "/dev/hidraw3");
    node.descriptor.collections.resize(2);
    EXPECT_EQ(CollectionPath(node, 1), "/dev/hidraw3#col02");

    struct Case {
        const char* path;
        bool ok;
        const char* devnode;
        size_t collection;
    };
    const Case cases[] = {
        {"/dev/hidraw3", true, "/dev/hidraw3", 0},
        {"/dev/hidraw3#col02", true, "/dev/hidraw3", 1},
        {"/dev/hidraw3#col00", false, "", 0},
        {"/dev/hidraw3#colx", false, "", 0},
        {"#col01", false, "", 0},
        {"", false, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::string devnode;
        size_t collection = 99;
        EXPECT_EQ(SplitCollectionPath(c.path, devnode, collection), c.ok);
        if (c.ok) {
            EXPECT_EQ(devnode, c.devnode);
            EXPECT_EQ(collection, c.collection);
        }
    }
}

TEST(HidrawNode, PermissionFailureTellsHowToFixIt) {
    const std::string reason = OpenFailureReason("/dev/hidraw5", EACCES);
    EXPECT_NE(reason.find("/dev/hidraw5"), std::string::npos);
    EXPECT_NE(reason.find("udev rule"), std::string::npos);
    EXPECT_EQ(OpenFailureReason("/dev/hidraw5", ENOENT).find("udev"), std::string::npos);
}

// Without devices (as in CI) the bus finds nothing and fails opens with a reason; with
// devices, everything it lists is a hidraw interface.
TEST(HidrawBus, EnumeratesAndRefusesWhatIsNotThere) {
    HidrawBus bus;
    for (const HidInterfaceInfo& info : bus.Enumerate()) {
        EXPECT_TRUE(info.path.starts_with("/dev/hidraw")) << info.path;
    }
    for (const char* path :
         {"/dev/hidraw9999", "/etc/passwd", "/dev/../etc/passwd", "/dev/hidraw1#col00", ""}) {
        SCOPED_TRACE(path);
        std::string why;
        EXPECT_FALSE(bus.Open(path, &why));
        EXPECT_FALSE(why.empty());
    }
    bus.SetHotplugHandler([](HidChange) {});
    bus.SetHotplugHandler(nullptr); // the monitor thread stops and joins
}

// Two input collections on one node: a report of the other collection is handed over, and
// unnumbered reports get the class driver's leading 0. The node is a packet socket pair.
class HidrawHandleTest : public ::testing::Test {
protected:
    void Make(std::vector<HidCollectionCaps> collections, bool usesIds) {
        int fds[2];
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds), 0);
        device = fds[1];
        HidrawNode node;
        node.devnode = "/dev/hidraw0";
        node.descriptor.collections = std::move(collections);
        node.descriptor.usesReportIds = usesIds;
        handle = std::make_unique<HidrawHandle>(fds[0], std::move(node));
    }
    void TearDown() override {
        if (device >= 0) {
            ::close(device);
        }
    }
    void Send(std::vector<uint8_t> report) {
        ASSERT_EQ(::send(device, report.data(), report.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(report.size()));
    }
    static HidCollectionCaps Input(std::vector<uint8_t> ids) {
        HidCollectionCaps caps;
        caps.inputReportByteLength = 4;
        caps.inputReportIds = std::move(ids);
        return caps;
    }

    std::unique_ptr<HidrawHandle> handle;
    int device = -1;
};

TEST_F(HidrawHandleTest, ReportsReachTheirOwnCollection) {
    Make({Input({1}), Input({2})}, true);
    const int wakeA = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    const int wakeB = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    handle->AddWaiter(0, wakeA);
    handle->AddWaiter(1, wakeB);
    std::atomic<bool> cancelled{false};
    Send({2, 0xBB});
    Send({9, 0x99}); // no collection has ID 9: dropped
    Send({1, 0xAA});
    uint8_t buffer[8];
    ASSERT_EQ(handle->ReadInput(0, buffer, sizeof buffer, wakeA, cancelled), 2);
    EXPECT_EQ(buffer[1], 0xAA);
    ASSERT_EQ(handle->ReadInput(1, buffer, sizeof buffer, wakeB, cancelled), 2) << "left in its mailbox";
    EXPECT_EQ(buffer[1], 0xBB);

    // A blocked reader is woken by a report another reader picked up for it.
    int result = 0;
    std::thread readerB([&] {
        uint8_t b[8];
        result = handle->ReadInput(1, b, sizeof b, wakeB, cancelled);
    });
    std::thread readerA([&] {
        uint8_t b[8];
        handle->ReadInput(0, b, sizeof b, wakeA, cancelled);
    });
    Send({2, 0xB2});
    Send({1, 0xA1});
    readerB.join();
    readerA.join();
    EXPECT_EQ(result, 2);

    // The node going away ends every reader, and the handle knows it is gone.
    EXPECT_FALSE(handle->IsGone());
    std::thread waiting([&] {
        uint8_t b[8];
        result = handle->ReadInput(0, b, sizeof b, wakeA, cancelled);
    });
    ::close(device);
    device = -1;
    waiting.join();
    EXPECT_EQ(result, -1);
    EXPECT_EQ(handle->ReadInput(1, buffer, sizeof buffer, wakeB, cancelled), -1);
    EXPECT_TRUE(handle->IsGone());
    handle->RemoveWaiter(0, wakeA);
    handle->RemoveWaiter(1, wakeB);
    ::close(wakeA);
    ::close(wakeB);
}

TEST_F(HidrawHandleTest, UnnumberedReportsGetALeadingZeroAndCancelWorks) {
    Make({Input({0})}, false);
    const int wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    handle->AddWaiter(0, wake);
    std::atomic<bool> cancelled{false};
    Send({0x01, 0x02, 0x03});
    uint8_t buffer[8];
    ASSERT_EQ(handle->ReadInput(0, buffer, sizeof buffer, wake, cancelled), 4);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[3], 0x03);

    int result = 0;
    std::thread reader([&] {
        uint8_t b[8];
        result = handle->ReadInput(0, b, sizeof b, wake, cancelled);
    });
    std::this_thread::sleep_for(20ms);
    cancelled = true;
    const uint64_t one = 1;
    ASSERT_EQ(::write(wake, &one, sizeof one), 8);
    reader.join();
    EXPECT_EQ(result, -1);
    handle->RemoveWaiter(0, wake);
    ::close(wake);
}

TEST(CombinedHidBus, SimulatorInterfacesJoinWhileItsSocketExists) {
    test::TempDir dir;
    const std::filesystem::path socket = dir / "sim.sock";
    CombinedHidBus bus(socket);
    const size_t hidrawCount = bus.Enumerate().size();

    std::mutex mutex;
    std::condition_variable cv;
    std::vector<HidChange> changes;
    bus.SetHotplugHandler([&](HidChange change) {
        std::lock_guard lock(mutex);
        changes.push_back(change);
        cv.notify_all();
    });
    auto waitFor = [&](size_t n) {
        std::unique_lock lock(mutex);
        return cv.wait_for(lock, 10s, [&] { return changes.size() >= n; });
    };

    sim::SimulatedMouse mouse;
    mouse.Plug(sim::SimKind::Receiver);
    {
        sim::SimServer server(mouse, socket);
        std::string why;
        ASSERT_TRUE(server.Listen(&why)) << why;
        std::thread serving([&] { server.Run(); });
        ASSERT_TRUE(waitFor(1)) << "the simulator's receiver arrives";
        const auto found = bus.Enumerate();
        ASSERT_EQ(found.size(), hidrawCount + 2);
        EXPECT_EQ(found[hidrawCount].path, sim::InProcessHidBus::InterfacePath(sim::SimServer::kMouseName,
                                                                               sim::SimKind::Receiver, true));
        EXPECT_TRUE(bus.Open(found[hidrawCount + 1].path));
        mouse.Plug(sim::SimKind::Wired);
        ASSERT_TRUE(waitFor(2));
        server.RequestStop();
        serving.join();
    }
    ASSERT_TRUE(waitFor(3)) << "the daemon going away removes its interfaces";
    EXPECT_EQ(changes[2], HidChange::RemovalComplete);
    EXPECT_EQ(bus.Enumerate().size(), hidrawCount);
    bus.SetHotplugHandler(nullptr);
}

} // namespace
} // namespace vexmo
