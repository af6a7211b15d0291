#pragma once
// The profile setting file (.psf): one ProfileRecord as 93 positional lines of UTF-16 text.
// The reader takes the lines in the order the writer produces them and only checks the
// header and the shape of each line, not the key names.
#include "settings/AppSettings.h"
#include "settings/ProfileTable.h"
#include "settings/SettingPair.h"

#include <filesystem>

namespace vexmo {

class LanguageTable;

inline constexpr int kProfileFileLineCount = 93;
inline constexpr const char* kSettingHeader = "[Setting]";

// The file's text, UTF-8, every line ended by a line feed.
std::string FormatProfileFile(const ProfileRecord& record);
// Writes the record atomically; false (and any old file untouched) when it could not be written.
bool WriteProfileRecord(const ProfileRecord& record, const std::filesystem::path& path);
// Reads a whole file into the record. On failure the record holds what was read before the
// defect and `failure` (when given) says on which line and why reading stopped.
bool ReadProfileRecord(const std::filesystem::path& path, ProfileRecord& record,
                       ReadFailure* failure = nullptr);

// Writes the slot's record to `path`; false when the slot does not exist or the file could
// not be written.
bool WriteProfileFile(const ProfileTable& profiles, int slot, const std::filesystem::path& path);
// Fills the slot's record from `path`: 1 when the whole file was read. Otherwise 0: the slot is
// reset to its defaults (language names, the settings' sensor model) and written to the
// slot's own file from the settings, never to the file that was read.
int ReadProfileFile(ProfileTable& profiles, const AppSettings& settings, const LanguageTable& language,
                    int slot, const std::filesystem::path& path, ReadFailure* failure = nullptr);
// Import of a file the user picked: the slot takes the file's record only when the whole file
// reads; a defective file leaves the slot and its own file as they were (ReadProfileFile would
// reset them, losing the profile the user had there). True when imported.
bool ImportProfileFile(ProfileTable& profiles, int slot, const std::filesystem::path& path,
                       ReadFailure* failure = nullptr);
// Writes slots 0 to 4 to their files from the settings; false when any could not be written.
bool SaveAllProfiles(const ProfileTable& profiles, const AppSettings& settings);

// The same on the process's tables (AppProfiles, AppConfig, AppLanguage).
bool WriteProfileFile(int slot, const std::filesystem::path& path);
int ReadProfileFile(int slot, const std::filesystem::path& path);
bool SaveAllProfiles();

} // namespace vexmo
