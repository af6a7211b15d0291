// Start-up and save of everything the settings core stores: the language file, config.ini and
// the five profile files are loaded, then config.ini and all five profiles are written again.
#include "settings/AppSettingsFile.h"
#include "settings/DataFolder.h"
#include "settings/LanguageTable.h"
#include "settings/ProfileFile.h"
#include "settings/Utf16.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace vexmo;

// A data folder of its own, filled as a first start leaves it, plus a full language file.
class BenchFolder {
public:
    explicit BenchFolder(const std::filesystem::path& parent = std::filesystem::temp_directory_path()) {
        std::string pattern = (parent / "vexmo-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        path_ = pattern;
        setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
        EnsureDataFolders();
        WriteLanguageFile();
        LanguageTable language;
        LoadLanguage(ConfigFolder(), language);
        AppSettings settings;
        ProfileTable profiles;
        LoadAppSettings(settings, profiles, language);
    }
    ~BenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

private:
    static void WriteLanguageFile() {
        std::string text = "[Setting]\n0=English\n";
        for (int n = 1; n < LanguageTable::kEntryCount; ++n) {
            text += std::to_string(n) + "=Interface text number " + std::to_string(n) + "\n";
        }
        std::string bytes = "\xFF\xFE";
        for (char16_t unit : Utf8ToUtf16(text)) {
            bytes += static_cast<char>(unit & 0xFF);
            bytes += static_cast<char>(unit >> 8);
        }
        std::ofstream(ConfigFolder() / kDefaultLanguageFile, std::ios::binary) << bytes;
    }

    std::filesystem::path path_;
};

// The folder must exist for the whole run; it also points XDG_CONFIG_HOME at itself.
void LoadAndSave(benchmark::State& state, const BenchFolder& /*folder*/) {
    for (auto _ : state) {
        LanguageTable language;
        AppSettings settings;
        ProfileTable profiles;
        LoadLanguage(ConfigFolder(), language);
        LoadAppSettings(settings, profiles, language);
        const bool saved = SaveAppSettings(settings) && SaveAllProfiles(profiles, settings);
        if (!saved) {
            state.SkipWithError("saving failed");
            break;
        }
        benchmark::DoNotOptimize(profiles);
    }
}
void LoadAndSaveEverything(benchmark::State& state) {
    const BenchFolder folder;
    LoadAndSave(state, folder);
}
BENCHMARK(LoadAndSaveEverything)->Unit(benchmark::kMillisecond);

// The same on a memory file system, where syncing each written file costs nothing: what is
// left is the program's own work.
void LoadAndSaveEverythingInMemory(benchmark::State& state) {
    const std::filesystem::path memory = "/dev/shm";
    if (!std::filesystem::is_directory(memory)) {
        state.SkipWithError("no /dev/shm");
        return;
    }
    const BenchFolder folder(memory);
    LoadAndSave(state, folder);
}
BENCHMARK(LoadAndSaveEverythingInMemory)->Unit(benchmark::kMillisecond);

void LoadEverything(benchmark::State& state) {
    const BenchFolder folder;
    for (auto _ : state) {
        LanguageTable language;
        AppSettings settings;
        ProfileTable profiles;
        LoadLanguage(ConfigFolder(), language);
        LoadAppSettings(settings, profiles, language);
        benchmark::DoNotOptimize(profiles);
    }
}
BENCHMARK(LoadEverything)->Unit(benchmark::kMillisecond);

} // namespace
