#pragma once
// Writes a file by way of a temporary file in the same folder that is renamed over the
// target only when everything was written: a crash, a full disk or a failed write leaves
// the old file exactly as it was. Every file the program writes goes through this.
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace vexmo {

class AtomicFile {
public:
    AtomicFile() = default;
    ~AtomicFile(); // an uncommitted file is discarded
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool Open(const std::filesystem::path& target);
    bool Write(const void* data, size_t size);
    // Flushes and renames over the target. False (and the target untouched)
    // when any write since Open failed.
    bool Commit();
    void Discard();
    bool IsOpen() const { return file_ != nullptr; }
    long long Position() const { return written_; }

private:
    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::FILE* file_ = nullptr;
    long long written_ = 0;
    bool failed_ = false;
};

// Convenience for whole-buffer writers (export files, tools).
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

} // namespace vexmo
