#pragma once
// Helpers shared by the simulator tests: a virtual clock and host frames built by hand.
#include "platform/Clock.h"
#include "sim/MouseProtocol.h"

#include <atomic>
#include <vector>

namespace vexmo::sim::test {

class FakeClock final : public Clock {
public:
    uint64_t NowMs() override { return now_; }
    void Sleep(uint32_t ms) override { now_ += ms; }
    void Advance(uint64_t ms) { now_ += ms; }

private:
    std::atomic<uint64_t> now_{1000};
};

// A host frame: 0C 01 cmd 00 seq chunk len payload..., zero-padded to 33 bytes.
inline Report Frame(uint8_t command, uint8_t chunk, const std::vector<uint8_t>& payload,
                    uint8_t sequence = 1) {
    Report frame{};
    frame[0] = kFeatureReportId;
    frame[1] = 0x01;
    frame[2] = command;
    frame[4] = sequence;
    frame[5] = chunk;
    frame[6] = static_cast<uint8_t>(payload.size());
    for (size_t i = 0; i < payload.size() && 7 + i < frame.size(); ++i) {
        frame[7 + i] = payload[i];
    }
    return frame;
}

inline std::vector<uint8_t> Bytes(const Report& report) {
    return {report.begin(), report.end()};
}

} // namespace vexmo::sim::test
