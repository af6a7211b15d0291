// config.ini lies in the user's data folder: any bytes must read without crashing, the typed
// settings must stay within the profile slots, and what reads must write and read back unchanged.
#include "settings/AppSettingsFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

class FuzzFile {
public:
    FuzzFile() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vexmo-settings-fuzz-XXXXXX").string();
        const int fd = mkstemp(pattern.data());
        if (fd < 0) {
            std::abort();
        }
        close(fd);
        path_ = pattern;
    }
    ~FuzzFile() { unlink(path_.c_str()); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vexmo;
    static const FuzzFile file;
    std::FILE* out = std::fopen(file.path().c_str(), "wb");
    if (out == nullptr || (size > 0 && std::fwrite(data, 1, size, out) != size)) {
        std::abort();
    }
    std::fclose(out);

    AppSettings settings;
    settings.SetDefaults();
    if (!ReadAppSettingsFile(file.path(), settings)) {
        return 0;
    }
    if (settings.CurrentProfile() < 0 || settings.CurrentProfile() >= kProfileSlots ||
        settings.ProfileShowCount() < 1 || settings.ProfileShowCount() > kProfileSlots) {
        std::abort();
    }
    for (int position = 0; position < kProfileSlots; ++position) {
        const int slot = settings.ProfileShowList(position);
        if (slot < 0 || slot > kNoProfileSlot) {
            std::abort();
        }
    }
    (void)settings.SensorFromText();
    (void)settings.PreSTFromText();
    if (!WriteAppSettingsFile(settings, file.path())) {
        std::abort();
    }
    AppSettings again;
    if (!ReadAppSettingsFile(file.path(), again) || again.Pairs() != settings.Pairs()) {
        std::abort();
    }
    return 0;
}
