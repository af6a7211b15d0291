#pragma once
// config.ini: the application settings as "[Setting]" and 17 "name=value" lines, and the
// start-up routine that loads them together with the five profile files.
#include "settings/AppSettings.h"
#include "settings/ProfileTable.h"
#include "settings/SettingPair.h"

#include <filesystem>

namespace vexmo {

class LanguageTable;

// ConfigFolder() / "config.ini".
std::filesystem::path AppSettingsPath();

// Writes the header and the 17 pairs atomically; false when the file could not be written.
bool WriteAppSettingsFile(const AppSettings& settings, const std::filesystem::path& path);
// Reads pairs in order into `settings` (names are taken from the file, not compared). The end
// of the file or an empty line ends reading successfully however many pairs were read; pairs
// no line reached are left as they are. False on a missing file, a wrong header, a line
// whose "=" is missing, first or last, or an 18th pair line.
bool ReadAppSettingsFile(const std::filesystem::path& path, AppSettings& settings,
                         ReadFailure* failure = nullptr);

// Stores the current profile slot as decimal text, then writes config.ini.
bool SaveAppSettings(AppSettings& settings);
bool SaveAppSettings();

// Start-up: starts from the defaults, reads config.ini (a missing or broken file is replaced by
// the defaults and the five profiles are reset and written), reads the five profile files and
// brings the profiles' DPI defaults in step with the sensor model.
void LoadAppSettings(AppSettings& settings, ProfileTable& profiles, const LanguageTable& language);
void LoadAppSettings();

} // namespace vexmo
