#include "settings/FirstStart.h"

#include "settings/AtomicFile.h"
#include "settings/CStdioFileEx.h"
#include "settings/DataFolder.h"
#include "settings/Globals.h"
#include "settings/LanguageTable.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

namespace vexmo {

namespace {

constexpr std::string_view kChineseLocalePrefix = "zh";
constexpr std::string_view kSelectionHeader = "[ChangeLanguage]\n";
constexpr std::string_view kSelectionKey = "Language=";

bool Exists(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::exists(file, ec);
}

bool ReadWholeFile(const std::filesystem::path& file, std::string& bytes) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// A copy that yields no text at all (empty, unreadable, no "[Setting]" line) would leave every
// window blank for good; one that yields some texts may be the user's own edit and is kept.
bool GivesNoText(const std::filesystem::path& file) {
    LanguageTable table;
    ReadLanguageFile(file, table);
    for (int entry = 0; entry < LanguageTable::kEntryCount; ++entry) {
        if (!table.Text(entry).empty()) {
            return false;
        }
    }
    return true;
}

// A shipped file that is missing or unreadable is not copied: the program then runs with
// whatever it finds, as it would with a broken installation.
bool CopyLanguageFile(const std::filesystem::path& source, const std::filesystem::path& target) {
    if (Exists(target) && !GivesNoText(target)) {
        return true;
    }
    std::string bytes;
    if (!ReadWholeFile(source, bytes)) {
        return false;
    }
    return WriteFileAtomically(target, bytes);
}

bool WriteSelectionIfMissing(const std::filesystem::path& target, std::string_view languageCode) {
    if (Exists(target)) {
        return true;
    }
    CStdioFileEx file;
    if (!file.Open(target, CStdioFileEx::Mode::WriteUnicode)) {
        return false;
    }
    std::string text(kSelectionHeader);
    text.append(kSelectionKey).append(languageCode).append("\n");
    const bool written = file.WriteString(text);
    return file.Close() && written;
}

const char* Environment(const char* name) {
    return std::getenv(name);
}

} // namespace

std::string_view LanguageCodeForLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (value == nullptr || value[0] == '\0') {
            continue;
        }
        return std::string_view(value).starts_with(kChineseLocalePrefix) ? kChineseLanguageCode
                                                                         : kEnglishLanguageCode;
    }
    return kEnglishLanguageCode;
}

std::string_view LanguageCodeFromEnvironment() {
    return LanguageCodeForLocale(Environment("LC_ALL"), Environment("LC_MESSAGES"), Environment("LANG"));
}

bool InstallLanguageFiles(const std::filesystem::path& appDirectory,
                          const std::filesystem::path& configFolder, std::string_view languageCode) {
    std::error_code ec;
    std::filesystem::create_directories(configFolder, ec);
    const std::filesystem::path shipped = appDirectory / kShippedLanguageFolder;
    bool complete = true;
    for (const char* name : {kDefaultLanguageFile, kEnglishLanguageFile}) {
        complete = CopyLanguageFile(shipped / name, configFolder / name) && complete;
    }
    return WriteSelectionIfMissing(configFolder / kLanguageSelectionFile, languageCode) && complete;
}

bool InstallLanguageFiles() {
    return InstallLanguageFiles(std::filesystem::path(AppDirectory), ConfigFolder(),
                                LanguageCodeFromEnvironment());
}

} // namespace vexmo
