// Library and export files come from the data folder and from other computers: any bytes must
// load without storing outside the tree, and whatever was loaded must save to a file that reads
// back whole and saves again byte for byte.
#include "macros/LibraryFile.h"
#include "macros/MacroLibrary.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// A private folder for the run, removed when the fuzzer exits.
class FuzzFolder {
public:
    FuzzFolder() {
        // Memory-backed when possible: every run saves twice, and each save syncs its file.
        std::error_code ec;
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm", ec) ? "/dev/shm" : std::filesystem::temp_directory_path();
        std::string pattern = (base / "vexmo-library-fuzz-XXXXXX").string();
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

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vexmo;
    static const FuzzFolder fuzzFolder;
    const std::filesystem::path input = fuzzFolder.path() / "input.mlf";
    const std::filesystem::path first = fuzzFolder.path() / "first.mlf";
    const std::filesystem::path second = fuzzFolder.path() / "second.mlf";
    WriteFile(input, data, size);

    MacroLibrary library;
    LibraryLoadReport report;
    ReadLibraryFile(input, library, report);
    Require(library.NamedItemCount() <= report.itemsRead); // a repeated location replaces, never adds
    library.ForEachNamedItem([](const LibraryLocation& at, const LibraryItem& item) {
        Require(MacroLibrary::IsValidLocation(at));
        Require(!item.Macro || item.Macro->ActionCount <= kMacroActionSlots);
    });
    // Exercise the row model on whatever shape the file gave the tree.
    const int rows = library.VisibleRowCount();
    for (int row = 0; row < rows; ++row) {
        Require(library.LocationToRow(library.RowToLocation(row)) == row);
    }

    const LibraryLocation selection = report.selectionRead ? report.selection : kNoLibraryLocation;
    Require(SaveLibraryFile(first, library, selection));
    MacroLibrary again;
    LibraryLoadReport againReport;
    Require(ReadLibraryFile(first, again, againReport));
    Require(again.NamedItemCount() == library.NamedItemCount());
    Require(SaveLibraryFile(second, again, againReport.selection));
    Require(ReadFile(first) == ReadFile(second));
    return 0;
}
