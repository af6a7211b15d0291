#pragma once
// A fresh folder per test, removed afterwards; also points XDG_CONFIG_HOME into it so the
// program's data folder never touches the real one.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace vexmo::test {

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vexmo-test-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
        oldConfigHome_ = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
        setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
        if (oldConfigHome_.empty()) {
            unsetenv("XDG_CONFIG_HOME");
        } else {
            setenv("XDG_CONFIG_HOME", oldConfigHome_.c_str(), 1);
        }
    }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
    std::string oldConfigHome_;
};

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// UTF-16LE bytes of an ASCII/UTF-8 text, with or without the byte-order mark.
std::string Utf16Bytes(const std::string& text, bool withMark = true);

} // namespace vexmo::test
