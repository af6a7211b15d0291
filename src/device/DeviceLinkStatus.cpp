// DeviceLink: the status query and the setting changes the mouse reports.
#include "device/DeviceLink.h"

#include "device/DpiStepTable.h"
#include "device/InputReport.h"
#include "settings/SensorModelChange.h"

#include <array>

namespace vexmo {

namespace {
constexpr std::array<const char*, 4> kRateNames{"125Hz", "250Hz", "500Hz", "1000Hz"};
} // namespace

void DeviceLink::QueryDeviceStatus() {
    if (const std::optional<Report> reply = channel_.QueryStatus()) {
        ParseStatusReply(*reply);
    }
}

void DeviceLink::ParseStatusReply(std::span<const uint8_t> reply) {
    const std::optional<StatusReply> status = DecodeStatusReply(reply);
    if (!status) {
        return;
    }
    if (status->identified) {
        host_.OnDeviceLinkReported(status->linkUp);
    }
    rawSensorCode_ = status->sensorCode;
    const std::optional<uint16_t> model = SensorModelForCode(status->sensorCode);
    if (model && *model != host_.Settings().sensorModel) {
        ChangeSensor(*model);
    }
    batteryLevel_ = status->batteryLevel;
    charge_ = status->charge;
}

// The profiles' DPI defaults follow the sensor; everything is saved at once.
void DeviceLink::ChangeSensor(uint16_t model) {
    ChangeSensorModel(host_.Settings(), host_.Profiles(), model);
    vexmo::BuildDpiTable(model, dpiSteps_);
    host_.OnSensorModelChanged();
}

void DeviceLink::HandleSettingChange(std::span<const uint8_t> report) {
    const std::optional<SettingChange> change = DecodeSettingChange(report);
    if (!change) {
        return;
    }
    ProfileRecord& profile = CurrentProfile();
    // A level byte of 0, or past the levels the profile enables, names no level: the active
    // level stays as it is rather than wrapping or pointing past the levels.
    if (change->levelByte >= 1 && change->levelByte <= EnabledLevelCount(profile.DPIOffOnFlagValue)) {
        currentDpiLevel_ = change->levelByte - 1;
        profile.CurrentDPILevelValue = static_cast<uint8_t>(change->levelByte - 1);
    }
    const uint8_t rate = RateIndexForInterval(change->intervalCode);
    profile.PollingRateValue = {rate, 0, 0};
    profile.PollingRateName = kRateNames[rate];
    host_.RequestOnScreenDisplay();
    host_.RefreshControls();
    // The mouse already holds these values: nothing is sent back.
    SyncShadows();
}

} // namespace vexmo
