#pragma once
// Writes command reports to the mouse and reads the status reply back. The feature handles
// belong to the discovery; the channel only borrows them and prefers the cable.
// User-interface thread only.
#include "device/ReportFrame.h"
#include "platform/Clock.h"
#include "platform/HidBus.h"

#include <cstdint>
#include <optional>
#include <span>

namespace vexmo {

// Pause after every configuration report, so the mouse has stored one before the next.
inline constexpr uint32_t kReportPauseMs = 60;
// Time the mouse needs to prepare the status reply.
inline constexpr uint32_t kStatusReplyWaitMs = 10;
// Offset of the reply byte that is non-zero when the reply carries data.
inline constexpr size_t kReplyHasDataOffset = 6;

enum class SendResult { Sent, NoDevice, Failed };

class ReportChannel {
public:
    explicit ReportChannel(Clock& clock) : clock_(clock) {}

    // The open feature interfaces (null when closed); updated by every discovery.
    void SetTargets(HidDevice* wired, HidDevice* receiver);
    // The interface commands go to: the wired one if open, else the receiver's, else none.
    HidDevice* Target() const { return wired_ != nullptr ? wired_ : receiver_; }
    bool HasTarget() const { return Target() != nullptr; }

    // Builds one frame, taking a sequence number even when nothing can be written.
    SendResult Send(Command command, uint8_t chunkByte, uint8_t length, std::span<const uint8_t> payload);
    void Pause() { clock_.Sleep(kReportPauseMs); }

    // The status query with its one retry; the reply, or none when the mouse gave no data.
    std::optional<Report> QueryStatus();

    uint8_t NextSequence() const { return sequence_.Peek(); }
    // Reports the interface accepted since the channel was made.
    uint64_t WrittenCount() const { return written_; }
    Clock& GetClock() { return clock_; }

private:
    enum class Exchange { Failed, Empty, Data };
    Exchange ExchangeStatus(HidDevice& device, Report& reply);

    Clock& clock_;
    SequenceCounter sequence_;
    HidDevice* wired_ = nullptr;
    HidDevice* receiver_ = nullptr;
    uint64_t written_ = 0;
};

} // namespace vexmo
