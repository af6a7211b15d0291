#pragma once
// What the export and import operations need from the window that runs them (the macro
// manager): a file path from the user, attention notices, and the list's reaction to an
// import. Keeping it this narrow lets the operations run and be tested without any window.
#include <filesystem>
#include <optional>
#include <string>

namespace vexmo {

enum class LibraryFileDialog { Save, Open };

// One file dialog, as the shell's standard dialogs take it.
struct LibraryFileRequest {
    LibraryFileDialog dialog = LibraryFileDialog::Open;
    std::string defaultExtension; // without the dot
    std::string initialFileName;
    std::string filter; // "description|pattern||"
    int titleText = 0;  // language text number

    friend bool operator==(const LibraryFileRequest&, const LibraryFileRequest&) = default;
};

inline constexpr const char* kMacroFileFilter = "mkf file(*.mkf)|*.mkf||";
inline constexpr const char* kLibraryFileFilter = "mbf file(*.mbf)|*.mbf||";
inline constexpr const char* kWholeLibraryFileName = "AllMacroKey.mbf";

// Language texts used by export and import.
inline constexpr int kTextExportMacroTitle = 253;
inline constexpr int kTextImportMacroTitle = 254;
inline constexpr int kTextExportLibraryTitle = 255;
inline constexpr int kTextImportLibraryTitle = 256;
inline constexpr int kTextNameAlreadyUsed = 241;

class LibraryTransferHost {
public:
    virtual ~LibraryTransferHost() = default;
    // Shows the file dialog; no path when the user cancels.
    virtual std::optional<std::filesystem::path> AskLibraryFilePath(const LibraryFileRequest& request) = 0;
    // The attention dialog with the given language text as its message.
    virtual void ShowAttention(int textNumber) = 0;
    // The library list selects this row (-1: none) and scrolls down to it.
    virtual void ShowLibraryRow(int row) = 0;
    // An import ended (whatever its outcome): refresh the current macro and the loop-count
    // field and repaint.
    virtual void ImportFinished() = 0;
};

} // namespace vexmo
