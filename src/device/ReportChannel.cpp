#include "device/ReportChannel.h"

namespace vexmo {

void ReportChannel::SetTargets(HidDevice* wired, HidDevice* receiver) {
    wired_ = wired;
    receiver_ = receiver;
}

SendResult ReportChannel::Send(Command command, uint8_t chunkByte, uint8_t length,
                               std::span<const uint8_t> payload) {
    const Report report = BuildReport(command, sequence_.Take(), chunkByte, length, payload);
    HidDevice* target = Target();
    if (target == nullptr) {
        return SendResult::NoDevice;
    }
    if (!target->SetFeature(report.data(), report.size())) {
        return SendResult::Failed;
    }
    ++written_;
    return SendResult::Sent;
}

std::optional<Report> ReportChannel::QueryStatus() {
    HidDevice* target = Target();
    if (target == nullptr) {
        return std::nullopt;
    }
    Report reply;
    Exchange result = ExchangeStatus(*target, reply);
    if (result == Exchange::Empty) {
        // An empty reply means the mouse was not ready yet: ask once more.
        result = ExchangeStatus(*target, reply);
    }
    if (result != Exchange::Data) {
        return std::nullopt;
    }
    return reply;
}

// One write of the query and one read of the reply. A failed write or read ends the query;
// only an empty reply is worth a second try.
ReportChannel::Exchange ReportChannel::ExchangeStatus(HidDevice& device, Report& reply) {
    const Report query = BuildReport(Command::StatusQuery, sequence_.Take(), kNoChunk, 0, {});
    if (!device.SetFeature(query.data(), query.size())) {
        return Exchange::Failed;
    }
    clock_.Sleep(kStatusReplyWaitMs);
    reply.fill(0xFF);
    reply[0] = kFeatureReportId;
    if (!device.GetFeature(reply.data(), reply.size())) {
        return Exchange::Failed;
    }
    return reply[kReplyHasDataOffset] != 0 ? Exchange::Data : Exchange::Empty;
}

} // namespace vexmo
