// Report descriptors come from whatever device is plugged in: the parser must survive any bytes.
#include "platform/linux/ReportDescriptor.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const vexmo::ParsedReportDescriptor parsed = vexmo::ParseReportDescriptor(data, size);
    for (const vexmo::HidCollectionCaps& caps : parsed.collections) {
        // A length of 1 would be a report ID byte with no report: never produced.
        if (caps.inputReportByteLength == 1 && caps.inputReportIds.empty()) {
            std::abort();
        }
        if ((caps.inputReportByteLength == 0) != caps.inputReportIds.empty()) {
            std::abort();
        }
    }
    return 0;
}
