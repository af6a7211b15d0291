// Any bytes as the mouse's status reply: decoded on their own and by the device link, which
// must drop what it cannot use and never read past the reply.
#include "LinkUnderFuzz.h"
#include "device/DeviceLink.h"
#include "device/StatusReply.h"

#include <cstddef>
#include <cstdint>
#include <span>

using namespace vexmo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> reply(data, size);
    const auto status = DecodeStatusReply(reply);
    if (status && status->charge == ChargeState::Charged && status->batteryLevel != 100) {
        __builtin_trap();
    }
    static fuzz::LinkUnderFuzz fixture;
    fuzz::QuietHost& host = fixture.host;
    DeviceLink& link = fixture.link;
    // Keep the model the reply names, so the sensor-change path (which saves every file) is
    // not taken on each input; its own tests cover it.
    if (status) {
        if (const auto model = SensorModelForCode(status->sensorCode)) {
            host.settings.sensorModel = *model;
        }
    }
    link.ParseStatusReply(reply);
    if (status && link.BatteryLevel() != status->batteryLevel) {
        __builtin_trap();
    }
    return 0;
}
