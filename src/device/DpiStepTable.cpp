#include "device/DpiStepTable.h"

#include <initializer_list>

namespace vexmo {

namespace {
// DPI values first to last (inclusive) in steps of `step`.
struct Run {
    uint32_t first;
    uint32_t last;
    uint32_t step;
};

std::vector<uint16_t> FromRuns(std::initializer_list<Run> runs) {
    std::vector<uint16_t> table;
    for (const Run& run : runs) {
        for (uint32_t dpi = run.first; dpi <= run.last; dpi += run.step) {
            table.push_back(static_cast<uint16_t>(dpi / kDpiUnit));
        }
    }
    return table;
}

// A single value as a run of one.
constexpr Run Only(uint32_t dpi) {
    return {dpi, dpi, 1};
}

std::vector<uint16_t> StepsFor(uint16_t sensorModel) {
    switch (sensorModel) {
    case 0x3104:
        return FromRuns({{100, 4000, 100},
                         Only(4500),
                         Only(4800),
                         Only(5500),
                         Only(6000),
                         Only(6400),
                         Only(7000),
                         Only(7500),
                         Only(8000)});
    case 0x3212:
        return FromRuns({{200, 2400, 100}, {3000, 4800, 100}});
    case 0x3325:
        return FromRuns({{200, 5000, 100},
                         Only(5500),
                         Only(6000),
                         Only(6400),
                         Only(7000),
                         Only(7500),
                         Only(8000),
                         Only(8500),
                         Only(9000),
                         Only(9500),
                         Only(10000)});
    case 0x3327:
        return FromRuns({{200, 6200, 100}, {6500, 12000, 500}, Only(12400)});
    case 0x3335:
    case 0x3389:
        return FromRuns({{100, 16000, 100}});
    case 0x3360:
        return FromRuns({{100, 12000, 100}, Only(24000)});
    case 0x3370:
        return FromRuns({{50, 10000, 50}, {10100, 19000, 100}});
    case 0x3395:
        return FromRuns({{50, 26000, 50}});
    case 0x3399:
        return FromRuns({{50, 20000, 50}});
    default:
        return {};
    }
}
} // namespace

bool BuildDpiTable(uint16_t sensorModel, std::vector<uint16_t>& table) {
    std::vector<uint16_t> steps = StepsFor(sensorModel);
    if (steps.empty()) {
        return false;
    }
    table = std::move(steps);
    return true;
}

uint16_t DpiStepValue(const std::vector<uint16_t>& table, uint32_t index) {
    if (table.empty()) {
        return 0;
    }
    return index < table.size() ? table[index] : table.back();
}

} // namespace vexmo
