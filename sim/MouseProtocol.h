#pragma once
// The mouse's side of the feature-report protocol, as pure functions over MouseConfig:
// frame checks, what each command stores, the status reply and the setting-change report.
#include "sim/MouseState.h"

#include <array>
#include <cstdint>
#include <string>

namespace vexmo::sim {

using Report = std::array<uint8_t, kReportLength>;

// Command codes the mouse understands (byte 2 of a frame).
enum CommandCode : uint8_t {
    kCmdButton = 0x04,
    kCmdDpi = 0x05,
    kCmdDpiColours = 0x06,
    kCmdRate = 0x07,
    kCmdLighting = 0x08,
    kCmdLiftOff = 0x09,
    kCmdDebounce = 0x0A,
    kCmdPower = 0x0B,
    kCmdMotionWakeup = 0x0C,
    kCmdMacroData = 0x0E,
    kCmdFactoryReset = 0x0F,
    kCmdStatusQuery = 0x20,
};

// A macro arriving chunk by chunk; the slot's stored data changes only when its last chunk lands.
struct MacroAssembly {
    bool active = false;
    uint8_t slot = 0;
    int chunkCount = 0;
    int nextChunk = 0;
    std::vector<uint8_t> data;
};

struct FrameOutcome {
    bool accepted = false;
    std::string rejection; // why the mouse ignored the frame, for the state and the tests
    uint8_t command = 0;
};

// Checks one 33-byte frame and stores what it sets. A rejected frame changes nothing,
// except that it abandons a macro being assembled.
FrameOutcome ApplyHostFrame(const Report& frame, MouseConfig& config, MacroAssembly& assembly);

// The reply to a status query carrying `sequence`; `empty` gives the "no data" form (byte 6 = 0).
Report BuildStatusReply(const MouseStatus& status, uint8_t sequence, bool empty);
// What a feature read returns when no query is waiting for its answer.
Report BuildIdleFeatureReport();

// The 0x05/0x06 input report announcing the current rate and active DPI level.
Report BuildSettingChangedReport(const MouseConfig& config);

// The mouse's own buttons: step the active DPI level among the enabled ones, or the report
// rate through 125, 250, 500 and 1000 Hz. False when there is nothing to step to.
bool StepDpiLevel(MouseConfig& config);
void StepReportRate(MouseConfig& config);

} // namespace vexmo::sim
