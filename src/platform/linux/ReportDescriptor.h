#pragma once
// Reads a HID report descriptor (as the kernel exposes it in sysfs) into its top-level
// collections and the report lengths the HID class driver would give each of them: the
// longest report of each kind in bytes, plus one for the report ID byte.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vexmo {

struct HidCollectionCaps {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t inputReportByteLength = 0; // 0 when the collection has no such reports
    uint16_t outputReportByteLength = 0;
    uint16_t featureReportByteLength = 0;
    std::vector<uint8_t> inputReportIds; // report IDs of its input reports (0 = unnumbered)
};

struct ParsedReportDescriptor {
    std::vector<HidCollectionCaps> collections;
    bool usesReportIds = false; // every report on the wire starts with its ID
    bool truncated = false;     // the last item ran past the end; what came before is kept
};

// Never fails: a malformed descriptor yields what could be understood of it.
ParsedReportDescriptor ParseReportDescriptor(const uint8_t* bytes, size_t length);

} // namespace vexmo
