#pragma once
// Keeps the profiles' DPI defaults in step with the sensor model. PreST holds the complement
// of the model the defaults were last applied for, so a fresh installation (Sensor 0x3104,
// PreST 0xCEFB) is already in step.
#include "settings/AppSettings.h"
#include "settings/ProfileTable.h"

namespace vexmo {

// Start-up: takes the Sensor setting as the model; when PreST says the profiles were set up
// for another model, applies the model's DPI defaults to all five profiles and saves the
// settings and the profiles. True when that happened.
bool SyncSensorDpiDefaults(AppSettings& settings, ProfileTable& profiles);

// The mouse reported another sensor: stores it in Sensor and PreST, saves the settings,
// applies its DPI defaults to all five profiles and saves them. The caller rebuilds the DPI
// step table and the controls.
void ChangeSensorModel(AppSettings& settings, ProfileTable& profiles, SensorModel model);

} // namespace vexmo
