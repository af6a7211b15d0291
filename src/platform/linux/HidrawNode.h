#pragma once
// One hidraw node as sysfs describes it, and the interface paths of its collections.
#include "platform/HidBus.h"
#include "platform/linux/ReportDescriptor.h"

#include <optional>
#include <string>
#include <vector>

namespace vexmo {

struct HidrawNode {
    std::string devnode; // /dev/hidrawN
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    ParsedReportDescriptor descriptor;
};

// Every hidraw node present, in node-number order; nodes whose descriptor can't be read are
// left out (they offer nothing we could talk to).
std::vector<HidrawNode> ScanHidrawNodes();
// The node behind one devnode, freshly read; nullopt when it is gone.
std::optional<HidrawNode> ReadHidrawNode(const std::string& devnode);

// A node with one collection is presented under its devnode; with several, collection i
// (from 1) is "<devnode>#col<ii>", the way the HID class driver names them.
std::string CollectionPath(const HidrawNode& node, size_t collection);
// Splits an interface path into the devnode and the collection index (from 0).
bool SplitCollectionPath(const std::string& path, std::string& devnode, size_t& collection);

std::vector<HidInterfaceInfo> InterfacesOf(const HidrawNode& node);

// "0003:0000248D:00005B5E" (the HID_ID of the parent HID device) -> vendor and product.
bool ParseHidId(const std::string& text, uint16_t& vendor, uint16_t& product);

// What to tell the user when a node cannot be opened (errno `error`).
std::string OpenFailureReason(const std::string& devnode, int error);

} // namespace vexmo
