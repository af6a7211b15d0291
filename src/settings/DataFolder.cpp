#include "settings/DataFolder.h"

#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace vexmo {

namespace {
constexpr const char* kDataFolderName = "VexmoData20240430A";

std::filesystem::path ConfigHome() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
        return xdg;
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        return std::filesystem::path(home) / ".config";
    }
    if (const passwd* pw = getpwuid(getuid()); pw != nullptr && pw->pw_dir != nullptr) {
        return std::filesystem::path(pw->pw_dir) / ".config";
    }
    return "/tmp";
}
} // namespace

std::filesystem::path DataFolder() { return ConfigHome() / kDataFolderName; }

std::filesystem::path ConfigFolder() { return DataFolder() / "config"; }

bool EnsureDataFolders() {
    std::error_code ec;
    std::filesystem::create_directories(ConfigFolder(), ec);
    return std::filesystem::is_directory(ConfigFolder(), ec);
}

} // namespace vexmo
