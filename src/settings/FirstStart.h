#pragma once
// First start: what an installer does on other systems. The program ships its language files
// in its own folder, under "lang/"; the data folder's config/ gets a copy of each one that is
// missing, and a language selection file chosen from the user's locale. Files already there
// are the user's and are kept, unless a language file gives no text at all.
#include <filesystem>
#include <string>
#include <string_view>

namespace vexmo {

// Folder below AppDirectory that holds the shipped language files.
inline constexpr const char* kShippedLanguageFolder = "lang";

// Codes written to the selection file: "EN" selects Lan_EN.txt; anything else, Lan.txt.
inline constexpr std::string_view kEnglishLanguageCode = "EN";
inline constexpr std::string_view kChineseLanguageCode = "CN";

// The language code for a locale, looked up the POSIX way: the first non-empty of LC_ALL,
// LC_MESSAGES and LANG. A locale starting with "zh" gives Chinese, anything else English.
std::string_view LanguageCodeForLocale(const char* lcAll, const char* lcMessages, const char* lang);
// The same from this process's environment.
std::string_view LanguageCodeFromEnvironment();

// Copies Lan.txt and Lan_EN.txt from `appDirectory`/lang/ into `configFolder` where missing
// or where the copy there gives no text at all (empty, unreadable, no "[Setting]" line), and
// writes LanSetting.ini with `languageCode` when it is missing. Creates `configFolder`
// if needed. Every file is written atomically. True when all three files exist afterwards.
bool InstallLanguageFiles(const std::filesystem::path& appDirectory,
                          const std::filesystem::path& configFolder, std::string_view languageCode);
// Start-up form: from AppDirectory into ConfigFolder(), code from the environment.
bool InstallLanguageFiles();

} // namespace vexmo
