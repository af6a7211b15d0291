#include "sim/MouseProtocol.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace vexmo::sim {

namespace {

constexpr size_t kIdOffset = 0;
constexpr size_t kDirectionOffset = 1;
constexpr size_t kCommandOffset = 2;
constexpr size_t kReservedOffset = 3;
constexpr size_t kSequenceOffset = 4;
constexpr size_t kChunkOffset = 5;
constexpr size_t kLengthOffset = 6;
constexpr size_t kPayloadOffset = 7;
constexpr size_t kMaxPayload = kReportLength - kPayloadOffset;
constexpr uint8_t kHostDirection = 0x01;
constexpr uint8_t kSingleChunk = 0x01;
constexpr size_t kMaxLightingPayload = 25;
constexpr uint8_t kFactoryResetMagic = 0xFF;

constexpr char kModelTag[] = "R417";
constexpr size_t kModelTagOffset = 8;
constexpr size_t kSensorOffset = 15;
constexpr size_t kBatteryOffset = 18;
constexpr size_t kChargeOffset = 19;
constexpr size_t kLinkOffset = 21;
constexpr uint8_t kStatusPayloadLength = kLinkOffset + 1 - kPayloadOffset;

FrameOutcome Reject(uint8_t command, std::string why) {
    return {false, std::move(why), command};
}

bool IsKnownRateCode(uint8_t code) {
    return code == 8 || code == 4 || code == 2 || code == 1;
}

// Length each single-report command must carry; 0 = not a fixed-length command.
size_t FixedLength(uint8_t command) {
    switch (command) {
    case kCmdButton:
        return 4;
    case kCmdDpi:
        return kDpiBlockLength;
    case kCmdDpiColours:
        return kDpiColourBlockLength;
    case kCmdRate:
    case kCmdDebounce:
    case kCmdMotionWakeup:
    case kCmdFactoryReset:
        return 1;
    case kCmdLiftOff:
    case kCmdPower:
        return 2;
    default:
        return 0;
    }
}

FrameOutcome ApplyMacroChunk(const Report& frame, size_t length, MouseConfig& config,
                             MacroAssembly& assembly) {
    const int index = frame[kChunkOffset] >> 4;
    const int count = frame[kChunkOffset] & 0x0F;
    const uint8_t slot = frame[kPayloadOffset];
    const bool last = index + 1 == count;
    if (count == 0 || index >= count) {
        assembly = {};
        return Reject(kCmdMacroData, "macro chunk byte out of range");
    }
    if (slot >= kMacroSlots) {
        assembly = {};
        return Reject(kCmdMacroData, "macro slot out of range");
    }
    if (length == 0 || (!last && length != kMaxPayload)) {
        assembly = {};
        return Reject(kCmdMacroData, "macro chunk length does not match its position");
    }
    if (index == 0) {
        assembly = {true, slot, count, 0, {}};
    } else if (!assembly.active || assembly.slot != slot || assembly.chunkCount != count ||
               assembly.nextChunk != index) {
        assembly = {};
        return Reject(kCmdMacroData, "macro chunk out of order");
    }
    const size_t dataBytes = length - 1; // the slot byte is counted in the length
    assembly.data.insert(assembly.data.end(), frame.begin() + kPayloadOffset + 1,
                         frame.begin() + kPayloadOffset + 1 + static_cast<long>(dataBytes));
    assembly.nextChunk = index + 1;
    if (last) {
        config.macros[slot] = std::move(assembly.data);
        assembly = {};
    }
    return {true, {}, kCmdMacroData};
}

void StoreSingle(const Report& frame, size_t length, MouseConfig& config) {
    const uint8_t* payload = frame.data() + kPayloadOffset;
    switch (frame[kCommandOffset]) {
    case kCmdButton:
        std::memcpy(config.buttons[payload[0]].data(), payload + 1, 3);
        break;
    case kCmdDpi:
        std::memcpy(config.dpi.data(), payload, kDpiBlockLength);
        break;
    case kCmdDpiColours:
        std::memcpy(config.dpiColours.data(), payload, kDpiColourBlockLength);
        break;
    case kCmdRate:
        config.rateCode = payload[0];
        break;
    case kCmdLighting:
        config.lighting.assign(payload, payload + length);
        break;
    case kCmdLiftOff:
        config.liftOff = {payload[0], payload[1]};
        break;
    case kCmdDebounce:
        config.debounce = payload[0];
        break;
    case kCmdPower:
        config.power = {payload[0], payload[1]};
        break;
    case kCmdMotionWakeup:
        config.motionWakeup = payload[0];
        break;
    case kCmdFactoryReset:
        config = FactoryConfig();
        break;
    default:
        break;
    }
}

} // namespace

FrameOutcome ApplyHostFrame(const Report& frame, MouseConfig& config, MacroAssembly& assembly) {
    const uint8_t command = frame[kCommandOffset];
    if (frame[kIdOffset] != kFeatureReportId) {
        return Reject(command, "wrong report ID");
    }
    if (frame[kDirectionOffset] != kHostDirection || frame[kReservedOffset] != 0) {
        return Reject(command, "bad frame header");
    }
    const size_t length = frame[kLengthOffset];
    if (length > kMaxPayload) {
        return Reject(command, "payload length past the frame");
    }
    if (std::any_of(frame.begin() + static_cast<long>(kPayloadOffset + length), frame.end(),
                    [](uint8_t b) { return b != 0; })) {
        return Reject(command, "bytes after the payload are not zero");
    }
    if (command == kCmdMacroData) {
        return ApplyMacroChunk(frame, length, config, assembly);
    }
    if (command == kCmdStatusQuery) {
        if (frame[kChunkOffset] != 0 || length != 0) {
            return Reject(command, "status query must have chunk byte 0 and no payload");
        }
        return {true, {}, command};
    }
    if (frame[kChunkOffset] != kSingleChunk) {
        return Reject(command, "single-report command without chunk byte 01");
    }
    const uint8_t* payload = frame.data() + kPayloadOffset;
    if (command == kCmdLighting) {
        if (length < 2 || length > kMaxLightingPayload) {
            return Reject(command, "lighting length out of range");
        }
    } else {
        const size_t expected = FixedLength(command);
        if (expected == 0) {
            return Reject(command, "unknown command");
        }
        if (length != expected) {
            return Reject(command, "wrong payload length for the command");
        }
    }
    if (command == kCmdButton && payload[0] >= kButtonSlots) {
        return Reject(command, "button slot out of range");
    }
    if (command == kCmdRate && !IsKnownRateCode(payload[0])) {
        return Reject(command, "unknown report interval");
    }
    if (command == kCmdFactoryReset && payload[0] != kFactoryResetMagic) {
        return Reject(command, "factory reset without its FF byte");
    }
    StoreSingle(frame, length, config);
    return {true, {}, command};
}

Report BuildStatusReply(const MouseStatus& status, uint8_t sequence, bool empty) {
    Report reply{};
    reply[kIdOffset] = kFeatureReportId;
    reply[kDirectionOffset] = kHostDirection;
    reply[kCommandOffset] = kCmdStatusQuery;
    reply[kSequenceOffset] = sequence;
    if (empty) {
        return reply;
    }
    reply[kLengthOffset] = kStatusPayloadLength;
    std::memcpy(reply.data() + kModelTagOffset, kModelTag, 4);
    reply[kSensorOffset] = status.sensorCode;
    reply[kBatteryOffset] = status.battery;
    reply[kChargeOffset] = static_cast<uint8_t>(status.charge);
    reply[kLinkOffset] = status.link ? 1 : 0;
    return reply;
}

Report BuildIdleFeatureReport() {
    Report report{};
    report[kIdOffset] = kFeatureReportId;
    return report;
}

Report BuildSettingChangedReport(const MouseConfig& config) {
    Report report{};
    report[0] = kInputReportId;
    report[1] = kSettingChangedMessage;
    report[3] = config.rateCode;
    report[4] = static_cast<uint8_t>(ActiveLevelPosition(config));
    return report;
}

bool StepDpiLevel(MouseConfig& config) {
    const int count = EnabledLevelCount(config);
    if (count == 0) {
        return false;
    }
    const int position = ActiveLevelPosition(config);
    const int next = position >= 1 && position < count ? position + 1 : 1;
    config.dpi[0] = static_cast<uint8_t>(next << 4 | (count & 0x0F));
    return true;
}

void StepReportRate(MouseConfig& config) {
    switch (config.rateCode) {
    case 8:
        config.rateCode = 4;
        break;
    case 4:
        config.rateCode = 2;
        break;
    case 2:
        config.rateCode = 1;
        break;
    default:
        config.rateCode = 8;
        break;
    }
}

} // namespace vexmo::sim
