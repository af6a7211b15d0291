#pragma once
// The mouse's state as `vexmo-mousesim state` prints it: decoded text, or JSON.
#include "sim/SimulatedMouse.h"

#include <string>

namespace vexmo::sim {

std::string FormatStateText(const SimSnapshot& snapshot);
std::string FormatStateJson(const SimSnapshot& snapshot);

} // namespace vexmo::sim
