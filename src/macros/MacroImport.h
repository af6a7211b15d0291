#pragma once
// Import of a macro file or a library file into the program's library. The file is read into
// ImportLibrary (its selection line into ImportSelection), the items it names are created
// where LibrarySelection points, with new MacroKeyIndex values, and ImportLibrary is cleared
// again whatever the outcome.
#include "macros/LibraryLocation.h"
#include "macros/LibraryTransferHost.h"

#include <vector>

namespace vexmo {

class MacroLibrary;

LibraryFileRequest ImportMacroRequest();
LibraryFileRequest ImportLibraryRequest();

// The items of `source` a library file import takes for the given selection line, in order:
// the run of named level-0 items (nothing selected), the folder alone, or the macro with the
// named slots that follow it in its group; nothing for a free slot or an invalid stage.
std::vector<LibraryLocation> ImportSet(const MacroLibrary& source, const LibraryLocation& selection);

// Both do nothing when the dialog is cancelled.
void ImportMacroFile(MacroLibrary& library, LibraryTransferHost& host);
void ImportLibraryFile(MacroLibrary& library, LibraryTransferHost& host);

} // namespace vexmo
