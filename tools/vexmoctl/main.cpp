// vexmoctl: inspect, check and repair the program's files, and talk to the mouse.
#include "CommandTable.h"

#include <cstring>

int main(int argc, char** argv) {
    using namespace vexmo::ctl;
    if (argc < 2) {
        return UsageError(nullptr);
    }
    for (const CommandGroup& group : CommandGroups()) {
        if (std::strcmp(group.name, argv[1]) == 0) {
            return group.run(std::vector<std::string>(argv + 2, argv + argc));
        }
    }
    return UsageError(nullptr, std::string("unknown command '") + argv[1] + "'");
}
