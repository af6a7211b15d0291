#pragma once
// vexmoctl's command groups ("profile", "library", "device") register themselves here from
// their own files, so each group lives in one file and main() only dispatches.
#include <string>
#include <vector>

namespace vexmo::ctl {

// Exit codes shared by every command.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// args excludes the program and group names: "vexmoctl profile check F" passes {"check", "F"}.
using CommandGroupFn = int (*)(const std::vector<std::string>& args);

struct CommandGroup {
    const char* name;
    const char* usage; // one or more lines, each a full usage line without "vexmoctl "
    CommandGroupFn run;
};

// Registers at static-initialisation time; returns true so it can initialise a static bool.
bool RegisterCommandGroup(const CommandGroup& group);
const std::vector<CommandGroup>& CommandGroups();

// Prints "usage: vexmoctl <the group's usage lines>" to stderr and returns kExitUsage.
int UsageError(const char* groupName, const std::string& why = {});

} // namespace vexmo::ctl
