#pragma once
// The program's line-oriented text file: UTF-16LE on disk with a byte-order mark and one
// line feed per line, UTF-8 in memory. Reading goes strictly line by line, and an empty
// line looks exactly like the end of the file to every reader.
//
// Files opened for writing are written to a temporary file and only replace the target
// when Close() succeeds; a writer that never reaches Close() leaves the old file alone.
#include "settings/AtomicFile.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace vexmo {

class CStdioFileEx {
public:
    enum class Mode {
        ReadUnicode,  // read only: a read-only file is as readable as any other
        WriteUnicode, // create or replace
    };

    CStdioFileEx() = default;
    ~CStdioFileEx();
    CStdioFileEx(const CStdioFileEx&) = delete;
    CStdioFileEx& operator=(const CStdioFileEx&) = delete;

    bool Open(const std::filesystem::path& path, Mode mode);
    // Reads the next line without its line feed; false on an empty line or the end.
    bool ReadString(std::string& line);
    // Writes the text as it is (the caller supplies the line feeds); the mark goes first.
    bool WriteString(std::string_view text);
    // For a written file: true only when every write succeeded and the file replaced the target.
    bool Close();
    bool IsOpen() const { return reader_ != nullptr || writer_.IsOpen(); }

private:
    bool NextUnit(char16_t& unit);

    std::FILE* reader_ = nullptr;
    long long readPosition_ = 0;
    std::array<unsigned char, 8192> buffer_{};
    size_t bufferFill_ = 0;
    size_t bufferPos_ = 0;
    AtomicFile writer_;
};

// Reads "name=value;" fields from a library line: four numbers, true when all four were found.
// Numbers read before a failure stay in `numbers`.
bool ParseFourNumbers(std::string_view line, int numbers[4]);

} // namespace vexmo
