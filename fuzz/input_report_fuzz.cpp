// Any bytes as an input report, against any DPI level mask: the link must take only enabled
// levels and known rates, and never index past the levels or the rate names.
#include "LinkUnderFuzz.h"
#include "device/DeviceLink.h"
#include "device/InputReport.h"

#include <cstddef>
#include <cstdint>
#include <span>

using namespace vexmo;

// First byte: the profile's enabled-level mask; the rest: the report.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    static fuzz::LinkUnderFuzz fixture;
    fuzz::QuietHost& host = fixture.host;
    DeviceLink& link = fixture.link;
    ProfileRecord& profile = host.profiles[0];
    profile.DPIOffOnFlagValue = data[0];
    profile.CurrentDPILevelValue = 0;
    link.SetCurrentDpiLevelCache(0);
    link.HandleSettingChange(std::span<const uint8_t>(data + 1, size - 1));
    const int enabled = EnabledLevelCount(profile.DPIOffOnFlagValue);
    if (profile.CurrentDPILevelValue != 0 && profile.CurrentDPILevelValue >= enabled) {
        __builtin_trap();
    }
    if (link.CurrentDpiLevelCache() != profile.CurrentDPILevelValue || profile.PollingRateValue[0] > 3) {
        __builtin_trap();
    }
    return 0;
}
