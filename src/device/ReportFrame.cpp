#include "device/ReportFrame.h"

#include <algorithm>

namespace vexmo {

namespace {
constexpr uint8_t kFrameMarker = 0x01;
}

Report BuildReport(Command command, uint8_t sequence, uint8_t chunkByte, uint8_t length,
                   std::span<const uint8_t> payload) {
    Report report{};
    report[0] = kFeatureReportId;
    report[1] = kFrameMarker;
    report[kCommandOffset] = static_cast<uint8_t>(command);
    report[kSequenceOffset] = sequence;
    report[kChunkOffset] = chunkByte;
    report[kLengthOffset] = length;
    const size_t copied = std::min(payload.size(), kMaxPayload);
    std::copy_n(payload.begin(), copied, report.begin() + kPayloadOffset);
    return report;
}

} // namespace vexmo
