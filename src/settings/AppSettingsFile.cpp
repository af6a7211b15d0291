#include "settings/AppSettingsFile.h"

#include "settings/CStdioFileEx.h"
#include "settings/DataFolder.h"
#include "settings/Globals.h"
#include "settings/ProfileDefaults.h"
#include "settings/ProfileFile.h"
#include "settings/SensorModelChange.h"

namespace vexmo {

std::filesystem::path AppSettingsPath() {
    return ConfigFolder() / "config.ini";
}

bool WriteAppSettingsFile(const AppSettings& settings, const std::filesystem::path& path) {
    std::string text = std::string(kSettingHeader) + "\n";
    for (const SettingPair& pair : settings.Pairs()) {
        text += pair.name + "=" + pair.value + "\n";
    }
    CStdioFileEx file;
    if (!file.Open(path, CStdioFileEx::Mode::WriteUnicode)) {
        return false;
    }
    const bool written = file.WriteString(text);
    return file.Close() && written;
}

bool ReadAppSettingsFile(const std::filesystem::path& path, AppSettings& settings, ReadFailure* failure) {
    ReadFailure local;
    ReadFailure& where = failure != nullptr ? *failure : local;
    where = {};
    CStdioFileEx file;
    if (!file.Open(path, CStdioFileEx::Mode::ReadUnicode)) {
        where.reason = "cannot open the file for reading";
        return false;
    }
    std::string line;
    where.line = 1;
    if (!file.ReadString(line) || line != kSettingHeader) {
        where.reason = "the first line is not \"[Setting]\"";
        return false;
    }
    for (size_t index = 0; file.ReadString(line); ++index) {
        where.line = static_cast<int>(index) + 2;
        if (index >= kAppSettingCount) {
            where.reason = "more than " + std::to_string(kAppSettingCount) + " settings";
            return false;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0 || equals + 1 == line.size()) {
            where.reason = "not a \"name=value\" line";
            return false;
        }
        SplitSettingLine(line, settings.Pairs()[index]);
    }
    where = {};
    return true;
}

bool SaveAppSettings(AppSettings& settings) {
    settings.SetCurrentProfile(settings.CurrentProfile());
    return WriteAppSettingsFile(settings, AppSettingsPath());
}

bool SaveAppSettings() {
    return SaveAppSettings(AppConfig);
}

namespace {

void ReplaceWithDefaults(AppSettings& settings, ProfileTable& profiles, const LanguageTable& language) {
    settings.SetDefaults();
    WriteAppSettingsFile(settings, AppSettingsPath());
    settings.sensorModel = settings.SensorFromText();
    for (int slot = 0; slot < kProfileSlots; ++slot) {
        ResetProfileToDefaults(profiles[static_cast<size_t>(slot)], static_cast<unsigned>(slot), language,
                               settings.sensorModel);
        WriteProfileFile(profiles, slot, settings.ProfileSlotPath(slot));
    }
}

} // namespace

void LoadAppSettings(AppSettings& settings, ProfileTable& profiles, const LanguageTable& language) {
    EnsureDataFolders();
    // Pairs the file does not reach keep their defaults: an empty profile path would make
    // every later save of that profile go nowhere.
    settings.SetDefaults();
    if (!ReadAppSettingsFile(AppSettingsPath(), settings)) {
        ReplaceWithDefaults(settings, profiles, language);
    }
    // The defaults the failure step of a profile writes follow the model the settings name.
    settings.sensorModel = settings.SensorFromText();
    for (int slot = 0; slot < kProfileSlots; ++slot) {
        ReadProfileFile(profiles, settings, language, slot, settings.ProfileSlotPath(slot));
    }
    SyncSensorDpiDefaults(settings, profiles);
}

void LoadAppSettings() {
    LoadAppSettings(AppConfig, AppProfiles, AppLanguage);
}

} // namespace vexmo
