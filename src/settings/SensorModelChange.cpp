#include "settings/SensorModelChange.h"

#include "settings/AppSettingsFile.h"
#include "settings/ProfileDefaults.h"
#include "settings/ProfileFile.h"

namespace vexmo {

namespace {

uint16_t Complement(uint16_t value) {
    return static_cast<uint16_t>(~value);
}

void ApplyToAllProfiles(AppSettings& settings, ProfileTable& profiles) {
    settings.SetPreST(Complement(settings.sensorModel));
    SaveAppSettings(settings);
    for (ProfileRecord& record : profiles.records) {
        ApplySensorDpiDefaults(record, settings.sensorModel);
    }
    SaveAllProfiles(profiles, settings);
}

} // namespace

bool SyncSensorDpiDefaults(AppSettings& settings, ProfileTable& profiles) {
    settings.sensorModel = settings.SensorFromText();
    if (Complement(settings.PreSTFromText()) == settings.sensorModel) {
        return false;
    }
    ApplyToAllProfiles(settings, profiles);
    return true;
}

void ChangeSensorModel(AppSettings& settings, ProfileTable& profiles, SensorModel model) {
    settings.SetSensor(model);
    ApplyToAllProfiles(settings, profiles);
}

} // namespace vexmo
