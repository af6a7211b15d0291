#pragma once
// Export of the selected macro (".mkf") or of the library (".mbf"). Both files hold the whole
// library in the library file format; their selection line, LibrarySelection at the time of
// export, names what an import takes.
#include "macros/LibraryTransferHost.h"

#include <string_view>

namespace vexmo {

class MacroLibrary;

LibraryFileRequest ExportMacroRequest(std::string_view macroName);
// `selectedName` empty when nothing is selected.
LibraryFileRequest ExportLibraryRequest(std::string_view selectedName);

// Only when LibrarySelection names a macro: asks for a path and writes the file. True when a
// file was written; a cancelled dialog or a failed write leaves everything as it was.
bool ExportMacroFile(const MacroLibrary& library, LibraryTransferHost& host);
bool ExportLibraryFile(const MacroLibrary& library, LibraryTransferHost& host);

} // namespace vexmo
