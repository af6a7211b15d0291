#pragma once
// The macro library file ("MacroLibraryFile.mlf") and the export files, which share its format:
// UTF-16 text, a header, the next MacroKeyIndex, a selection line, then one block per named
// item (level 0, then level 1, then level 2, each in slot order).
#include "macros/LibraryLocation.h"

#include <filesystem>
#include <string>

namespace vexmo {

class MacroLibrary;

inline constexpr const char* kLibraryFileName = "MacroLibraryFile.mlf";

// What a read came to, for tools and tests; the program itself only looks at the result.
struct LibraryLoadReport {
    bool opened = false;
    bool complete = false; // every line was read and met its rule
    int stopLine = 0;      // 1-based line at which the reading stopped early
    std::string reason;    // why it stopped
    int itemsRead = 0;     // items stored before it stopped
    bool selectionRead = false;
    LibraryLocation selection = kNoLibraryLocation;
};

// Reads the file into `library`. A file that cannot be opened leaves the library unchanged;
// otherwise the library is cleared and filled item by item, and a missing or malformed line
// ends the reading with the items stored so far kept. True only when the whole file was read.
bool ReadLibraryFile(const std::filesystem::path& path, MacroLibrary& library, LibraryLoadReport& report);
// The same without the report; reading into ImportLibrary stores the selection line in
// ImportSelection.
bool LoadLibraryFile(const std::filesystem::path& path, MacroLibrary& library);

// Writes the library with the given selection line. The old file is replaced only when the
// whole new one was written. False when it could not be written.
bool SaveLibraryFile(const std::filesystem::path& path, const MacroLibrary& library,
                     const LibraryLocation& selection);

// The library file of the program's data folder.
std::filesystem::path LibraryFilePath();

} // namespace vexmo
