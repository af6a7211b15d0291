#include "CommandTable.h"

#include <cstdio>
#include <cstring>
#include <sstream>

namespace vexmo::ctl {

namespace {
std::vector<CommandGroup>& Table() {
    static std::vector<CommandGroup> table;
    return table;
}

void PrintUsageLines(const char* usage) {
    std::istringstream lines(usage);
    std::string line;
    while (std::getline(lines, line)) {
        std::fprintf(stderr, "usage: vexmoctl %s\n", line.c_str());
    }
}
} // namespace

bool RegisterCommandGroup(const CommandGroup& group) {
    Table().push_back(group);
    return true;
}

const std::vector<CommandGroup>& CommandGroups() { return Table(); }

int UsageError(const char* groupName, const std::string& why) {
    if (!why.empty()) {
        std::fprintf(stderr, "vexmoctl: %s\n", why.c_str());
    }
    for (const CommandGroup& group : Table()) {
        if (groupName == nullptr || std::strcmp(group.name, groupName) == 0) {
            PrintUsageLines(group.usage);
        }
    }
    return kExitUsage;
}

} // namespace vexmo::ctl
