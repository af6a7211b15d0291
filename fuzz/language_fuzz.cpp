// Language files and the language selection file come from the user's data folder: any bytes
// must load without reading past anything, and the table must stay within its 500 entries.
#include "settings/Globals.h"
#include "settings/LanguageTable.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// A private folder for the run, removed when the fuzzer exits.
class FuzzFolder {
public:
    FuzzFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vexmo-language-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        path_ = pattern;
    }
    ~FuzzFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

void WriteFile(const std::filesystem::path& file, const uint8_t* data, size_t size) {
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr) {
        std::abort();
    }
    if (size > 0 && std::fwrite(data, 1, size, out) != size) {
        std::abort();
    }
    std::fclose(out);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vexmo;
    static const FuzzFolder fuzzFolder;
    const std::filesystem::path& folder = fuzzFolder.path();
    // The same bytes serve as the selection file and as both language files.
    WriteFile(folder / kLanguageSelectionFile, data, size);
    WriteFile(folder / kDefaultLanguageFile, data, size);
    WriteFile(folder / kEnglishLanguageFile, data, size);
    LanguageTable table;
    if (LoadLanguage(folder, table) && UiFontHeight <= 0) {
        std::abort();
    }
    for (int n = -1; n <= LanguageTable::kEntryCount; ++n) {
        (void)table.Text(n).size();
    }
    return 0;
}
