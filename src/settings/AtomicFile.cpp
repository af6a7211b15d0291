#include "settings/AtomicFile.h"

#include <cstdlib>
#include <string>
#include <system_error>
#include <sys/stat.h>
#include <unistd.h>

namespace vexmo {

AtomicFile::~AtomicFile() { Discard(); }

bool AtomicFile::Open(const std::filesystem::path& target) {
    Discard();
    target_ = target;
    std::string pattern = target.string() + ".XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        return false;
    }
    file_ = fdopen(fd, "wb");
    if (file_ == nullptr) {
        close(fd);
        unlink(pattern.c_str());
        return false;
    }
    temp_ = pattern;
    written_ = 0;
    failed_ = false;
    // mkstemp creates 0600: keep the mode of the file being replaced, else the usual 0644.
    struct stat old {};
    fchmod(fd, stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    return true;
}

bool AtomicFile::Write(const void* data, size_t size) {
    if (file_ == nullptr || failed_) {
        return false;
    }
    if (size != 0 && std::fwrite(data, 1, size, file_) != size) {
        failed_ = true;
        return false;
    }
    written_ += static_cast<long long>(size);
    return true;
}

bool AtomicFile::Commit() {
    if (file_ == nullptr) {
        return false;
    }
    // No fsync: the rename already guarantees old-or-new content when the program or a write
    // fails, and the common Linux filesystems flush a file's data before a rename that replaces
    // another. Syncing six files on every settings save cost tens of milliseconds.
    bool ok = !failed_ && std::fflush(file_) == 0;
    ok = (std::fclose(file_) == 0) && ok;
    file_ = nullptr;
    if (ok) {
        std::error_code ec;
        std::filesystem::rename(temp_, target_, ec);
        ok = !ec;
    }
    if (!ok) {
        unlink(temp_.c_str());
    }
    temp_.clear();
    return ok;
}

void AtomicFile::Discard() {
    if (file_ == nullptr) {
        return;
    }
    std::fclose(file_);
    file_ = nullptr;
    unlink(temp_.c_str());
    temp_.clear();
}

bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    AtomicFile file;
    return file.Open(target) && file.Write(bytes.data(), bytes.size()) && file.Commit();
}

} // namespace vexmo
