#pragma once
// The factory defaults of a profile, and the DPI defaults that follow the sensor model.
#include "settings/ProfileRecord.h"
#include "settings/SensorModel.h"

#include <array>
#include <cstdint>
#include <optional>

namespace vexmo {

class LanguageTable;

// Fills the record with the factory defaults. Slots 0 to 4 take their name from language
// entry 85 + slot, any other slot is named "Profile<slot + 1>". Lighting1OffOn is kept.
void ResetProfileToDefaults(ProfileRecord& record, unsigned slot, const LanguageTable& language,
                            SensorModel sensor);
// The same with the process's language table and sensor model.
void ResetProfileToDefaults(ProfileRecord& record, unsigned slot);

// Enables levels 0 to 5, makes level 1 active, sets the level colours, angle snapping off and
// lift-off 2, and, for a model the table knows, the eight DPI step indexes.
void ApplySensorDpiDefaults(ProfileRecord& record, SensorModel sensor);
// The same for the process's sensor model.
void ApplySensorDpiDefaults(ProfileRecord& record);

// The default step indexes of levels 0 to 7 for a sensor model, if the table has it.
std::optional<std::array<uint16_t, kDpiLevelCount>> SensorDpiDefaults(SensorModel sensor);

} // namespace vexmo
