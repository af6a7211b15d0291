#include "platform/linux/HidrawNode.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <libudev.h>
#include <memory>

namespace vexmo {

namespace {

constexpr char kDevPrefix[] = "/dev/";
constexpr char kCollectionMark[] = "#col";
// The kernel caps descriptors at 4 KiB; read a little more to notice anything odd.
constexpr size_t kMaxDescriptorBytes = 16 * 1024;

struct UdevDeleter {
    void operator()(udev* u) const { udev_unref(u); }
    void operator()(udev_device* d) const { udev_device_unref(d); }
    void operator()(udev_enumerate* e) const { udev_enumerate_unref(e); }
};
using UdevPtr = std::unique_ptr<udev, UdevDeleter>;
using DevicePtr = std::unique_ptr<udev_device, UdevDeleter>;
using EnumeratePtr = std::unique_ptr<udev_enumerate, UdevDeleter>;

std::vector<uint8_t> ReadDescriptor(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> bytes;
    char c = 0;
    while (bytes.size() < kMaxDescriptorBytes && in.get(c)) {
        bytes.push_back(static_cast<uint8_t>(c));
    }
    return bytes;
}

std::optional<HidrawNode> NodeFromDevice(udev_device* device) {
    const char* devnode = udev_device_get_devnode(device);
    udev_device* hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr);
    if (devnode == nullptr || hid == nullptr) {
        return std::nullopt;
    }
    HidrawNode node;
    node.devnode = devnode;
    const char* hidId = udev_device_get_property_value(hid, "HID_ID");
    if (hidId == nullptr || !ParseHidId(hidId, node.vendorId, node.productId)) {
        return std::nullopt;
    }
    const std::vector<uint8_t> bytes =
        ReadDescriptor(std::string(udev_device_get_syspath(hid)) + "/report_descriptor");
    node.descriptor = ParseReportDescriptor(bytes.data(), bytes.size());
    if (node.descriptor.collections.empty()) {
        return std::nullopt;
    }
    return node;
}

unsigned NodeNumber(const std::string& devnode) {
    unsigned number = 0;
    const size_t digits = devnode.find_first_of("0123456789");
    if (digits != std::string::npos) {
        std::from_chars(devnode.data() + digits, devnode.data() + devnode.size(), number);
    }
    return number;
}

} // namespace

std::vector<HidrawNode> ScanHidrawNodes() {
    std::vector<HidrawNode> nodes;
    UdevPtr context(udev_new());
    if (!context) {
        return nodes;
    }
    EnumeratePtr enumerate(udev_enumerate_new(context.get()));
    if (!enumerate || udev_enumerate_add_match_subsystem(enumerate.get(), "hidraw") < 0 ||
        udev_enumerate_scan_devices(enumerate.get()) < 0) {
        return nodes;
    }
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get())) {
        DevicePtr device(udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)));
        if (!device) {
            continue;
        }
        if (std::optional<HidrawNode> node = NodeFromDevice(device.get())) {
            nodes.push_back(std::move(*node));
        }
    }
    std::sort(nodes.begin(), nodes.end(), [](const HidrawNode& a, const HidrawNode& b) {
        return NodeNumber(a.devnode) < NodeNumber(b.devnode);
    });
    return nodes;
}

std::optional<HidrawNode> ReadHidrawNode(const std::string& devnode) {
    if (!devnode.starts_with(kDevPrefix) || devnode.find('/', sizeof kDevPrefix - 1) != std::string::npos) {
        return std::nullopt;
    }
    UdevPtr context(udev_new());
    if (!context) {
        return std::nullopt;
    }
    const std::string sysname = devnode.substr(sizeof kDevPrefix - 1);
    DevicePtr device(udev_device_new_from_subsystem_sysname(context.get(), "hidraw", sysname.c_str()));
    if (!device) {
        return std::nullopt;
    }
    return NodeFromDevice(device.get());
}

std::string CollectionPath(const HidrawNode& node, size_t collection) {
    if (node.descriptor.collections.size() <= 1) {
        return node.devnode;
    }
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%s%02zu", kCollectionMark, collection + 1);
    return node.devnode + suffix;
}

bool SplitCollectionPath(const std::string& path, std::string& devnode, size_t& collection) {
    const size_t mark = path.rfind(kCollectionMark);
    if (mark == std::string::npos) {
        devnode = path;
        collection = 0;
        return !path.empty();
    }
    size_t number = 0;
    const char* first = path.data() + mark + sizeof kCollectionMark - 1;
    const char* last = path.data() + path.size();
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last || number == 0 || mark == 0) {
        return false;
    }
    devnode = path.substr(0, mark);
    collection = number - 1;
    return true;
}

std::vector<HidInterfaceInfo> InterfacesOf(const HidrawNode& node) {
    std::vector<HidInterfaceInfo> interfaces;
    for (size_t i = 0; i < node.descriptor.collections.size(); ++i) {
        const HidCollectionCaps& caps = node.descriptor.collections[i];
        interfaces.push_back({CollectionPath(node, i), node.vendorId, node.productId,
                              caps.inputReportByteLength, caps.featureReportByteLength});
    }
    return interfaces;
}

bool ParseHidId(const std::string& text, uint16_t& vendor, uint16_t& product) {
    // bus:vendor:product, each hexadecimal, vendor and product 8 digits wide.
    const size_t first = text.find(':');
    const size_t second = first == std::string::npos ? first : text.find(':', first + 1);
    if (second == std::string::npos) {
        return false;
    }
    uint32_t v = 0;
    uint32_t p = 0;
    const char* vBegin = text.data() + first + 1;
    const char* vEnd = text.data() + second;
    const char* pBegin = vEnd + 1;
    const char* pEnd = text.data() + text.size();
    const auto [ve, verr] = std::from_chars(vBegin, vEnd, v, 16);
    const auto [pe, perr] = std::from_chars(pBegin, pEnd, p, 16);
    if (verr != std::errc() || perr != std::errc() || ve != vEnd || pe != pEnd || v > 0xFFFF || p > 0xFFFF) {
        return false;
    }
    vendor = static_cast<uint16_t>(v);
    product = static_cast<uint16_t>(p);
    return true;
}

std::string OpenFailureReason(const std::string& devnode, int error) {
    if (error == EACCES || error == EPERM) {
        return "no permission to open " + devnode +
               ": install the udev rule for the mouse (a file in /etc/udev/rules.d with the line "
               "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"248d\", TAG+=\"uaccess\"), then unplug and "
               "replug it";
    }
    return "cannot open " + devnode + ": " + std::strerror(error);
}

} // namespace vexmo
