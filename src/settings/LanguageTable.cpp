#include "settings/LanguageTable.h"

#include "settings/CStdioFileEx.h"
#include "settings/DataFolder.h"
#include "settings/DecimalText.h"
#include "settings/Globals.h"

#include <string_view>

namespace vexmo {

namespace {

constexpr std::string_view kSelectionHeader = "[ChangeLanguage]";
constexpr std::string_view kLanguageHeader = "[Setting]";
constexpr std::string_view kEnglishCode = "EN";
constexpr std::string_view kChineseLanguageName = "中文";

struct FontChoice {
    const char* face;
    int designHeight;
    int charset;
};
constexpr FontChoice kChineseFont{"宋体", 12, 134};
constexpr FontChoice kDefaultFont{"Tahoma", 16, 1};

const std::string kEmptyText;

// The position of the first "=" when it is neither the first nor the last character.
std::string_view::size_type InnerEquals(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0 || equals + 1 == line.size()) {
        return std::string_view::npos;
    }
    return equals;
}

} // namespace

const std::string& LanguageTable::Text(int entry) const {
    if (entry < 0 || entry >= kEntryCount) {
        return kEmptyText;
    }
    return entries_[static_cast<size_t>(entry)];
}

bool LanguageTable::Set(int entry, std::string text) {
    if (entry < 0 || entry >= kEntryCount) {
        return false;
    }
    entries_[static_cast<size_t>(entry)] = std::move(text);
    return true;
}

void LanguageTable::Clear() {
    for (std::string& text : entries_) {
        text.clear();
    }
}

const std::string& LanguageText(int entry) {
    return AppLanguage.Text(entry);
}

std::filesystem::path SelectedLanguageFile(const std::filesystem::path& configFolder) {
    std::string code;
    CStdioFileEx selection;
    if (selection.Open(configFolder / kLanguageSelectionFile, CStdioFileEx::Mode::ReadUnicode)) {
        selection.ReadString(code);
        if (code == kSelectionHeader) {
            selection.ReadString(code);
            const auto equals = InnerEquals(code);
            if (equals != std::string_view::npos) {
                code.erase(0, equals + 1);
            }
        }
        selection.Close();
    }
    return configFolder / (code == kEnglishCode ? kEnglishLanguageFile : kDefaultLanguageFile);
}

bool ReadLanguageFile(const std::filesystem::path& file, LanguageTable& table) {
    CStdioFileEx in;
    if (!in.Open(file, CStdioFileEx::Mode::ReadUnicode)) {
        return false;
    }
    std::string line;
    if (!in.ReadString(line) || line != kLanguageHeader) {
        return false;
    }
    while (in.ReadString(line)) {
        const auto equals = InnerEquals(line);
        if (equals == std::string_view::npos) {
            return false;
        }
        const long long entry = DecimalValue(std::string_view(line).substr(0, equals));
        if (entry >= 0 && entry < LanguageTable::kEntryCount) {
            table.Set(static_cast<int>(entry), line.substr(equals + 1));
        }
    }
    return true;
}

void ApplyLanguageFont(const std::string& languageName) {
    const FontChoice& font = languageName == kChineseLanguageName ? kChineseFont : kDefaultFont;
    UiFontFace = font.face;
    UiFontHeight = static_cast<int>(font.designHeight * UiScale);
    UiFontCharset = font.charset;
}

bool LoadLanguage(const std::filesystem::path& configFolder, LanguageTable& table) {
    if (!ReadLanguageFile(SelectedLanguageFile(configFolder), table)) {
        return false;
    }
    ApplyLanguageFont(table.Text(0));
    return true;
}

bool LoadLanguage() {
    return LoadLanguage(ConfigFolder(), AppLanguage);
}

} // namespace vexmo
