#include "device/DeviceDiscovery.h"
#include "FakeHid.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace vexmo {
namespace {

using test::FakeBus;

// Waits (bounded) for a reader thread to finish after its device went away.
bool WaitUntilIdle(const InputReader& reader) {
    for (int i = 0; i < 2000 && reader.Busy(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return !reader.Busy();
}

class DiscoveryTest : public ::testing::Test {
protected:
    FakeBus bus;
    LinkEventQueue queue;
    DeviceDiscovery discovery{bus, queue};
};

TEST_F(DiscoveryTest, BothKindsOpenTheirFeatureInterfacesAndStartTwoReaders) {
    bus.AddMouseKind("w", kWiredProductId);
    bus.AddMouseKind("r", kReceiverProductId);
    ASSERT_TRUE(discovery.DiscoverDevices());
    for (DeviceKind kind : kDeviceKinds) {
        EXPECT_TRUE(discovery.Present(kind));
        ASSERT_NE(discovery.FeatureHandle(kind), nullptr);
        EXPECT_EQ(discovery.FeatureHandle(kind)->Info().featureReportByteLength, 33);
        EXPECT_TRUE(discovery.Reader(kind).Busy());
    }
    EXPECT_EQ(discovery.FeatureMemberIndex(DeviceKind::Wired), 1);
    EXPECT_EQ(discovery.Reader(DeviceKind::Wired).InputMemberIndex(), 0);
    EXPECT_EQ(discovery.FeaturePath(DeviceKind::Receiver), "r/feature");
    EXPECT_EQ(discovery.Reader(DeviceKind::Receiver).InputPath(), "r/input");
}

TEST_F(DiscoveryTest, UnpluggingTheCableKeepsTheReceiver) {
    bus.AddMouseKind("w", kWiredProductId);
    bus.AddMouseKind("r", kReceiverProductId);
    ASSERT_TRUE(discovery.DiscoverDevices());
    bus.UnplugPrefix("w/");
    ASSERT_TRUE(discovery.DiscoverDevices());
    EXPECT_FALSE(discovery.Present(DeviceKind::Wired));
    EXPECT_EQ(discovery.FeatureHandle(DeviceKind::Wired), nullptr);
    EXPECT_EQ(discovery.FeaturePath(DeviceKind::Wired), "");
    EXPECT_TRUE(WaitUntilIdle(discovery.Reader(DeviceKind::Wired)));
    EXPECT_EQ(discovery.Reader(DeviceKind::Wired).InputPath(), ""); // the ended reader forgot it
    EXPECT_NE(discovery.FeatureHandle(DeviceKind::Receiver), nullptr);

    bus.UnplugPrefix("r/");
    EXPECT_FALSE(discovery.DiscoverDevices());
    EXPECT_FALSE(discovery.AnyPresent());
}

TEST_F(DiscoveryTest, ReplugStartsANewReader) {
    bus.AddMouseKind("r", kReceiverProductId);
    ASSERT_TRUE(discovery.DiscoverDevices());
    bus.UnplugPrefix("r/");
    discovery.DiscoverDevices();
    ASSERT_TRUE(WaitUntilIdle(discovery.Reader(DeviceKind::Receiver)));
    bus.AddMouseKind("r2", kReceiverProductId);
    ASSERT_TRUE(discovery.DiscoverDevices());
    EXPECT_TRUE(discovery.Reader(DeviceKind::Receiver).Busy());
    EXPECT_EQ(discovery.Reader(DeviceKind::Receiver).InputPath(), "r2/input");
    EXPECT_EQ(discovery.FeaturePath(DeviceKind::Receiver), "r2/feature");
}

TEST_F(DiscoveryTest, ASecondIdenticalMouseIsIgnoredOnceAPathIsRemembered) {
    bus.AddMouseKind("first", kWiredProductId);
    ASSERT_TRUE(discovery.DiscoverDevices());
    HidDevice* handle = discovery.FeatureHandle(DeviceKind::Wired);
    bus.AddMouseKind("second", kWiredProductId);
    bus.MoveToFront("second/"); // now enumerated before the first mouse
    ASSERT_TRUE(discovery.DiscoverDevices());
    EXPECT_EQ(discovery.FeaturePath(DeviceKind::Wired), "first/feature");
    EXPECT_EQ(discovery.FeatureHandle(DeviceKind::Wired), handle); // kept, not reopened
    EXPECT_EQ(discovery.FeatureMemberIndex(DeviceKind::Wired), 3);

    // Without the first mouse the remembered path is gone: the second mouse is taken at
    // once, so a connected mouse never counts as none.
    bus.UnplugPrefix("first/");
    ASSERT_TRUE(discovery.DiscoverDevices());
    EXPECT_EQ(discovery.FeaturePath(DeviceKind::Wired), "second/feature");
    ASSERT_NE(discovery.FeatureHandle(DeviceKind::Wired), nullptr);
    EXPECT_EQ(discovery.FeatureHandle(DeviceKind::Wired)->Info().path, "second/feature");
}

TEST_F(DiscoveryTest, UnrelatedDevicesAreNeitherTakenNorOpened) {
    bus.Add({"keyboard", 0x046D, 0x5B5E, 33, 33});
    bus.Add({"other-product", kMouseVendorId, 0x1234, 33, 33});
    EXPECT_FALSE(discovery.DiscoverDevices());
    EXPECT_EQ(bus.OpenCount("keyboard"), 0u);
    EXPECT_EQ(bus.OpenCount("other-product"), 0u);
}

TEST_F(DiscoveryTest, AnInputInterfaceIsNeverTakenAsTheFeatureInterface) {
    bus.Add({"both", kMouseVendorId, kWiredProductId, 33, 33});
    EXPECT_FALSE(discovery.DiscoverDevices());
    EXPECT_EQ(discovery.Reader(DeviceKind::Wired).InputPath(), "both");
}

TEST_F(DiscoveryTest, OnlyTheFirstHundredInterfacesAreExamined) {
    for (int i = 0; i < 99; ++i) {
        bus.Add({"other" + std::to_string(i), 0x1111, 0x2222, 8, 0});
    }
    bus.AddMouseKind("w", kWiredProductId); // input at index 99, feature at 100
    EXPECT_FALSE(discovery.DiscoverDevices());
    EXPECT_EQ(discovery.Reader(DeviceKind::Wired).InputPath(), "w/input");
}

TEST_F(DiscoveryTest, AnInterfaceThatCannotBeOpenedIsSkippedWithItsReason) {
    bus.AddMouseKind("w", kWiredProductId);
    bus.DenyOpen("w/feature", "permission denied");
    EXPECT_FALSE(discovery.DiscoverDevices());
    EXPECT_EQ(discovery.LastOpenFailure(), "permission denied");
}

TEST_F(DiscoveryTest, AReaderThatStillRunsIsNotStartedTwice) {
    bus.AddMouseKind("w", kWiredProductId);
    ASSERT_TRUE(discovery.DiscoverDevices());
    ASSERT_TRUE(discovery.DiscoverDevices());
    // Examined by each scan, but opened for reading only by the first discovery.
    EXPECT_EQ(bus.OpenCount("w/input"), 3u);
    EXPECT_EQ(bus.OpenNow(), 2u); // the reader's input and the kept feature interface
}

} // namespace
} // namespace vexmo
