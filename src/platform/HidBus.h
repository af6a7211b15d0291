#pragma once
// HID access as the device link sees it: one logical interface per top-level collection,
// each with its own report lengths (report ID byte included), like the HID class driver
// presents them. Backends: the kernel's hidraw nodes and the simulated mouse.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vexmo {

struct HidInterfaceInfo {
    std::string path; // stable for as long as the device stays plugged in
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t inputReportByteLength = 0;
    uint16_t featureReportByteLength = 0;
};

// An open interface. SetFeature/GetFeature may be called from one thread while another
// blocks in ReadInput; everything else is single-threaded.
class HidDevice {
public:
    virtual ~HidDevice() = default;
    virtual const HidInterfaceInfo& Info() const = 0;
    // report[0] is the report ID; true when the whole report was accepted.
    virtual bool SetFeature(const uint8_t* report, size_t length) = 0;
    // report[0] holds the report ID on entry; true when a report was read into it.
    virtual bool GetFeature(uint8_t* report, size_t length) = 0;
    // Blocks until an input report arrives; returns its length, or -1 once the device is
    // gone or the interface was closed by CancelInput().
    virtual int ReadInput(uint8_t* report, size_t length) = 0;
    // Makes a blocked or later ReadInput return -1 (used when the link shuts down).
    virtual void CancelInput() = 0;
};

enum class HidChange { Arrival = 0x8000, RemovalComplete = 0x8004 };

class HidBus {
public:
    virtual ~HidBus() = default;
    // Every interface present now, in a stable enumeration order.
    virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
    // Opens for reading and writing; on failure returns null and, when given, a reason
    // the user can act on (for example missing permissions on a hidraw node).
    virtual std::unique_ptr<HidDevice> Open(const std::string& path, std::string* whyNot = nullptr) = 0;
    // Called from a bus thread whenever an interface arrives or goes; null to stop.
    virtual void SetHotplugHandler(std::function<void(HidChange)> handler) = 0;
};

} // namespace vexmo
