#pragma once
// Every report that passed between host and mouse, stamped with the simulator clock's
// milliseconds since the mouse was created. Lines read "1520 wired set 0c0105...".
#include "sim/SimTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vexmo::sim {

enum class ReportDirection { Set, Get, Input };

struct LoggedReport {
    uint64_t ms = 0;
    SimKind kind = SimKind::Wired;
    ReportDirection direction = ReportDirection::Set;
    std::vector<uint8_t> bytes;
};

std::string_view DirectionName(ReportDirection direction);
std::string HexBytes(const uint8_t* bytes, size_t length); // lowercase, no separators
std::string FormatLogLine(const LoggedReport& report);

} // namespace vexmo::sim
