// DeviceLink: the configuration upload. Each sender rebuilds its blocks from the current
// profile, compares them with the shadows and sends only what differs, 60 ms apart.
#include "device/DeviceLink.h"

#include "device/MacroChunks.h"
#include "settings/LanguageTable.h"

namespace vexmo {

namespace {
constexpr int kNoFunctionNameText = 34;
constexpr uint8_t kFactoryResetPayload = 0xFF;
constexpr uint8_t kLiftOffPadding = 0x00;

template <size_t N> std::span<const uint8_t> Bytes(const std::array<uint8_t, N>& block) {
    return block;
}
} // namespace

void DeviceLink::RaiseChangeFlags(ChangeFlags flags) {
    flags_.keys = flags_.keys || flags.keys;
    flags_.performance = flags_.performance || flags.performance;
    flags_.power = flags_.power || flags.power;
    flags_.motion = flags_.motion || flags.motion;
}

void DeviceLink::ApplyChanges() {
    sendHappened_ = false;
    if (!host_.IsActivated()) {
        return; // the raised flags wait for the next call
    }
    transferFailed_ = false;
    bindings_ = AssignMacroSlots(CurrentProfile(), host_.Library(), host_.MacrosChanged(),
                                 LanguageText(kNoFunctionNameText));
    host_.ClearMacrosChanged();
    if (flags_.keys) {
        SendButtonBlock();
    }
    if (flags_.performance) {
        SendPerformanceBlocks();
    }
    if (flags_.power) {
        SendPowerBlock();
    }
    if (flags_.motion) {
        SendMotionWakeBlock();
    }
    flags_ = {};
    UploadMacros(true);
    lastTransferFailed_ = transferFailed_;
    if (transferFailed_) {
        ConcludeFailedTransfer();
    }
    if (sendHappened_ && !suppressProgress_) {
        host_.SetStatusCounter(0);
        host_.ShowProgress();
    }
    suppressProgress_ = false;
    host_.RestartSaveTimer();
    host_.RefreshControls();
}

void DeviceLink::SyncShadows() {
    RebuildShadows();
    bindings_ = AssignMacroSlots(CurrentProfile(), host_.Library(), host_.MacrosChanged(),
                                 LanguageText(kNoFunctionNameText));
    host_.ClearMacrosChanged();
    UploadMacros(false);
}

void DeviceLink::RebuildShadows() {
    const ProfileRecord& profile = CurrentProfile();
    const ButtonBlock buttons = BuildButtonBlock(profile);
    for (size_t slot = 0; slot < kButtonSlots; ++slot) {
        shadows_.buttons[slot].Update(buttons[slot]);
    }
    shadows_.reportRate.Update({BuildReportRateCode(profile)});
    shadows_.liftOff.Update({BuildLiftOffCode(profile)});
    shadows_.debounce.Update({BuildDebounce(profile)});
    shadows_.dpi.Update(BuildDpiBlock(profile, dpiSteps_));
    shadows_.dpiColours.Update(BuildDpiColourBlock(profile));
    shadows_.lighting.Update(BuildLightingBlock(profile));
    shadows_.power.Update(BuildPowerBlock(profile));
    shadows_.motion.Update({BuildMotionBlock(profile)});
}

// After a failed write the mouse's state is no longer known: every block goes out again with
// the next ApplyChanges instead of being lost for good. The interface that failed is closed
// (a device that went and came back under the same path needs a fresh handle); commands go
// to the other kind meanwhile, and the status timer's next discovery opens it again.
void DeviceLink::ConcludeFailedTransfer() {
    shadows_.ForgetAll();
    flags_ = ChangeFlags::All();
    transferFailed_ = false;
    for (DeviceKind kind : kDeviceKinds) {
        if (discovery_.FeatureHandle(kind) == channel_.Target()) {
            discovery_.CloseFeature(kind);
            break;
        }
    }
    channel_.SetTargets(discovery_.FeatureHandle(DeviceKind::Wired),
                        discovery_.FeatureHandle(DeviceKind::Receiver));
}

void DeviceLink::SendAndPause(Command command, uint8_t length, std::span<const uint8_t> payload) {
    if (!Sendable()) {
        return;
    }
    if (channel_.Send(command, kSingleChunk, length, payload) != SendResult::Sent) {
        transferFailed_ = true;
        return;
    }
    sendHappened_ = true;
    channel_.Pause();
}

void DeviceLink::SendButtonBlock() {
    if (!channel_.HasTarget()) {
        return;
    }
    const ButtonBlock block = BuildButtonBlock(CurrentProfile());
    std::array<bool, kButtonSlots> changed{};
    for (size_t slot = 0; slot < kButtonSlots; ++slot) {
        changed[slot] = shadows_.buttons[slot].Update(block[slot]);
    }
    for (size_t slot = 0; slot < kButtonSlots && !transferFailed_; ++slot) {
        if (changed[slot]) {
            const std::array<uint8_t, 4> payload{static_cast<uint8_t>(slot), block[slot][0], block[slot][1],
                                                 block[slot][2]};
            if (channel_.Send(Command::ButtonFunction, kSingleChunk, 4, payload) != SendResult::Sent) {
                transferFailed_ = true;
                return;
            }
            sendHappened_ = true;
        }
        channel_.Pause(); // also for slots that did not change: a button pass always takes 360 ms
    }
}

void DeviceLink::SendPerformanceBlocks() {
    if (!channel_.HasTarget()) {
        return;
    }
    const ProfileRecord& profile = CurrentProfile();
    const DpiBlock dpi = BuildDpiBlock(profile, dpiSteps_);
    const DpiColourBlock colours = BuildDpiColourBlock(profile);
    const uint8_t rate = BuildReportRateCode(profile);
    const uint8_t liftOff = BuildLiftOffCode(profile);
    const uint8_t debounce = BuildDebounce(profile);
    const LightingBlock lighting = BuildLightingBlock(profile);
    // Compare (and update) every shadow first, then send.
    const bool dpiChanged = shadows_.dpi.Update(dpi);
    const bool coloursChanged = shadows_.dpiColours.Update(colours);
    const bool rateChanged = shadows_.reportRate.Update({rate});
    const bool liftOffChanged = shadows_.liftOff.Update({liftOff});
    const bool debounceChanged = shadows_.debounce.Update({debounce});
    const bool lightingChanged = shadows_.lighting.Update(lighting);
    if (dpiChanged) {
        SendAndPause(Command::DpiLevels, kDpiBlockLength, Bytes(dpi));
    }
    if (coloursChanged) {
        SendAndPause(Command::DpiColours, kDpiColourBlockLength, Bytes(colours));
    }
    if (rateChanged) {
        SendAndPause(Command::ReportRate, 1, std::array<uint8_t, 1>{rate});
    }
    if (liftOffChanged) {
        SendAndPause(Command::LiftOff, 2, std::array<uint8_t, 2>{liftOff, kLiftOffPadding});
    }
    if (debounceChanged) {
        SendAndPause(Command::Debounce, 1, std::array<uint8_t, 1>{debounce});
    }
    if (lightingChanged) {
        // The block's first byte counts the rest: it is the payload length.
        SendAndPause(Command::Lighting, lighting[0], std::span<const uint8_t>(lighting).subspan(1));
    }
}

void DeviceLink::SendPowerBlock() {
    if (!channel_.HasTarget()) {
        return;
    }
    const PowerBlock block = BuildPowerBlock(CurrentProfile());
    if (shadows_.power.Update(block)) {
        SendAndPause(Command::PowerSaving, 2, Bytes(block));
    }
}

void DeviceLink::SendMotionWakeBlock() {
    if (!channel_.HasTarget()) {
        return;
    }
    const uint8_t motion = BuildMotionBlock(CurrentProfile());
    if (shadows_.motion.Update({motion})) {
        SendAndPause(Command::MotionWakeup, 1, std::array<uint8_t, 1>{motion});
    }
}

void DeviceLink::UploadMacros(bool send) {
    ProfileRecord& profile = CurrentProfile();
    for (size_t button = 0; button < kButtonSlots; ++button) {
        const KeyAssignment& key = profile.keys[button];
        if (key.code.category != kMacroCategory) {
            continue;
        }
        const uint8_t slot = key.code.parameter1 & 0x0F;
        // The library's record when the button is bound to one; the button's copy otherwise.
        const MacroRecord& macro = bindings_[button] ? *bindings_[button]->macro : key.macro;
        const DeviceMacro encoded = EncodeMacroForDevice(macro);
        const bool differs = shadows_.macros[slot].Update(BuildMacroBlock(slot, encoded));
        if (transferFailed_) {
            continue; // the transfer has ended; nothing more to pace
        }
        if (send && differs) {
            SendMacro(slot, encoded);
            if (encoded.Shortened()) {
                host_.OnMacroShortened(button, encoded.eventCount, encoded.sourceEvents);
            }
        }
        channel_.Pause();
    }
}

// The chunks of one macro. Without an open interface they are still built and paced (and
// take their sequence numbers); nothing is written.
void DeviceLink::SendMacro(uint8_t slot, const DeviceMacro& macro) {
    for (const MacroChunk& chunk : SplitMacroData(slot, macro.data)) {
        const SendResult result =
            channel_.Send(Command::MacroData, chunk.chunkByte, chunk.length, chunk.payload);
        if (result == SendResult::Failed) {
            transferFailed_ = true;
            return;
        }
        if (result == SendResult::Sent) {
            sendHappened_ = true;
        }
        channel_.Pause();
    }
}

bool DeviceLink::SendFactoryReset() {
    if (!channel_.HasTarget()) {
        return false;
    }
    // No pause: the program goes on with its own reset at once.
    return channel_.Send(Command::FactoryReset, kSingleChunk, 1,
                         std::array<uint8_t, 1>{kFactoryResetPayload}) == SendResult::Sent;
}

} // namespace vexmo
