#pragma once
// The 33-byte feature report every command travels in: report ID, a fixed 0x01, the command,
// a sequence number shared by all commands, the chunk byte, the payload length and up to 26
// payload bytes; everything after the payload is zero.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vexmo {

inline constexpr uint8_t kFeatureReportId = 0x0C;
inline constexpr size_t kReportLength = 33;
inline constexpr size_t kCommandOffset = 2;
inline constexpr size_t kSequenceOffset = 4;
inline constexpr size_t kChunkOffset = 5;
inline constexpr size_t kLengthOffset = 6;
inline constexpr size_t kPayloadOffset = 7;
inline constexpr size_t kMaxPayload = kReportLength - kPayloadOffset; // 26

// Chunk byte of every command that fits one report.
inline constexpr uint8_t kSingleChunk = 0x01;
// Chunk byte of the status query.
inline constexpr uint8_t kNoChunk = 0x00;

enum class Command : uint8_t {
    ButtonFunction = 0x04,
    DpiLevels = 0x05,
    DpiColours = 0x06,
    ReportRate = 0x07,
    Lighting = 0x08,
    LiftOff = 0x09,
    Debounce = 0x0A,
    PowerSaving = 0x0B,
    MotionWakeup = 0x0C,
    MacroData = 0x0E,
    FactoryReset = 0x0F,
    StatusQuery = 0x20,
};

using Report = std::array<uint8_t, kReportLength>;

// One frame. `length` goes to offset 6 as given; up to 26 bytes of `payload` are copied from
// offset 7 (a macro chunk carries more bytes than its length byte counts).
Report BuildReport(Command command, uint8_t sequence, uint8_t chunkByte, uint8_t length,
                   std::span<const uint8_t> payload);

// The sequence number of the next report: starts at 1 and wraps from 255 to 0. Every report
// built takes one, whether or not it reaches the mouse.
class SequenceCounter {
public:
    uint8_t Take() { return next_++; }
    uint8_t Peek() const { return next_; }

private:
    uint8_t next_ = 1;
};

} // namespace vexmo
