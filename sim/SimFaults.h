#pragma once
// Faults the simulated mouse can be told to show. 0 = off everywhere.
#include "sim/SimTypes.h"

#include <array>

namespace vexmo::sim {

inline constexpr int kAlways = -1;

struct SimFaults {
    int failWrites = 0;   // the next N feature writes fail (kAlways: every one)
    int failReads = 0;    // the next N feature reads fail (kAlways: every one)
    int emptyReplies = 0; // the next N status replies carry no data (byte 6 = 0; kAlways: every one)
    // Unplug the kind once N more reports have passed on it.
    std::array<int, kKindCount> disconnectAfter{};
};

} // namespace vexmo::sim
