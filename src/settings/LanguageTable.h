#pragma once
// The 500 numbered interface texts and the language file they come from. The process's table
// is AppLanguage (settings/Globals.h); it lives for the whole run and is filled once at start-up.
#include <array>
#include <filesystem>
#include <string>

namespace vexmo {

class LanguageTable {
public:
    static constexpr int kEntryCount = 500;

    // Entry n; an empty text for numbers outside 0 to 499.
    const std::string& Text(int entry) const;
    const std::string& operator[](int entry) const { return Text(entry); }
    // False (nothing stored) for numbers outside 0 to 499.
    bool Set(int entry, std::string text);
    void Clear();

private:
    std::array<std::string, kEntryCount> entries_;
};

// Entry n of AppLanguage.
const std::string& LanguageText(int entry);

inline constexpr const char* kLanguageSelectionFile = "LanSetting.ini";
inline constexpr const char* kEnglishLanguageFile = "Lan_EN.txt";
inline constexpr const char* kDefaultLanguageFile = "Lan.txt";

// The language file the selection file in `configFolder` chooses (Lan_EN.txt for the code
// "EN", else Lan.txt); a missing or broken selection file chooses Lan.txt.
std::filesystem::path SelectedLanguageFile(const std::filesystem::path& configFolder);

// Reads a language file into `table` ("[Setting]", then "n=text" lines). True when the file
// was read to its end; on a bad line reading stops and the entries already set remain.
bool ReadLanguageFile(const std::filesystem::path& file, LanguageTable& table);

// Sets UiFontFace, UiFontHeight and UiFontCharset (settings/Globals.h) for the language whose
// entry 0 is `languageName`, scaled by UiScale.
void ApplyLanguageFont(const std::string& languageName);

// Start-up: reads the selected language file from `configFolder` into `table`; when it was
// read to its end, sets the interface font. Returns whether it was read to its end.
bool LoadLanguage(const std::filesystem::path& configFolder, LanguageTable& table);
// The same from ConfigFolder() into AppLanguage.
bool LoadLanguage();

} // namespace vexmo
