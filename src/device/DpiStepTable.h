#pragma once
// The DPI steps the connected sensor offers, in units of 50 DPI. XYSetting holds indexes into
// this table; the mouse is sent the values.
#include <cstdint>
#include <vector>

namespace vexmo {

inline constexpr uint32_t kDpiUnit = 50;

// Rebuilds `table` for the sensor model. False, with the table left as it was, for a model
// the program has no steps for.
bool BuildDpiTable(uint16_t sensorModel, std::vector<uint16_t>& table);

// The value of step `index`. An index past the table (a hand-edited profile, or a profile
// written for a sensor with more steps) reads the last step instead of memory past the
// table; an empty table reads 0.
uint16_t DpiStepValue(const std::vector<uint16_t>& table, uint32_t index);

} // namespace vexmo
