// Profile files are imported from anywhere the user picks: any bytes must read without going
// past the record's fields or its 336 action slots, and whatever reads whole must survive
// being written and read again unchanged.
#include "settings/ProfileFile.h"
#include "settings/Utf16.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

class FuzzFile {
public:
    FuzzFile() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vexmo-profile-fuzz-XXXXXX").string();
        const int fd = mkstemp(pattern.data());
        if (fd < 0) {
            std::abort();
        }
        close(fd);
        path_ = pattern;
    }
    ~FuzzFile() { unlink(path_.c_str()); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr ||
        (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size())) {
        std::abort();
    }
    std::fclose(out);
}

// The bytes the writer would produce, without its sync to disk (too slow for fuzzing).
std::string Utf16FileBytes(const std::string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : vexmo::Utf8ToUtf16(text)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vexmo;
    static const FuzzFile file;
    WriteFile(file.path(), std::string(reinterpret_cast<const char*>(data), size));
    ProfileRecord record;
    ReadFailure failure;
    if (!ReadProfileRecord(file.path(), record, &failure)) {
        if (failure.reason.empty()) {
            std::abort(); // every failure says why
        }
        return 0;
    }
    for (const KeyAssignment& key : record.keys) {
        if (key.macro.ActionCount > kMacroActionSlots) {
            std::abort();
        }
    }
    WriteFile(file.path(), Utf16FileBytes(FormatProfileFile(record)));
    ProfileRecord again;
    if (!ReadProfileRecord(file.path(), again) || !(again == record)) {
        std::abort();
    }
    return 0;
}
