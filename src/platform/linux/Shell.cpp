#include "platform/linux/Shell.h"

#include <vector>

#include "platform/linux/ChildProcess.h"

namespace vexmo {
namespace {

// In the order tried: GNOME, KDE, Xfce, MATE, Cinnamon, LXQt.
const std::vector<std::vector<std::string>> kMouseSettingsTools = {
    {"gnome-control-center", "mouse"},
    {"kcmshell6", "kcm_mouse"},
    {"kcmshell5", "mouse"},
    {"xfce4-mouse-settings"},
    {"mate-mouse-properties"},
    {"cinnamon-settings", "mouse"},
    {"lxqt-config-input"},
};

} // namespace

bool OpenWebAddress(const std::string& address) {
    if (address.empty())
        return false;
    // "--" is not understood by xdg-open; an address starting with '-' would read as an option.
    if (address.front() == '-')
        return false;
    return SpawnDetached({"xdg-open", address});
}

bool StartMouseSettings() {
    for (const auto& tool : kMouseSettingsTools) {
        if (FindProgram(tool.front()).empty())
            continue;
        return SpawnDetached(tool);
    }
    return false;
}

} // namespace vexmo
