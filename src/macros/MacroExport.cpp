#include "macros/MacroExport.h"

#include "macros/LibraryFile.h"
#include "macros/MacroLibrary.h"
#include "settings/Globals.h"

#include <string>

namespace vexmo {

LibraryFileRequest ExportMacroRequest(std::string_view macroName) {
    return {LibraryFileDialog::Save, "mkf", std::string(macroName) + ".mkf", kMacroFileFilter,
            kTextExportMacroTitle};
}

LibraryFileRequest ExportLibraryRequest(std::string_view selectedName) {
    std::string initialName =
        selectedName.empty() ? kWholeLibraryFileName : std::string(selectedName) + ".mbf";
    return {LibraryFileDialog::Save, "mbf", std::move(initialName), kLibraryFileFilter,
            kTextExportLibraryTitle};
}

bool ExportMacroFile(const MacroLibrary& library, LibraryTransferHost& host) {
    const LibraryItem* item = library.ItemAt(LibrarySelection);
    if (item == nullptr || !item->IsNamedMacro()) {
        return false;
    }
    const auto path = host.AskLibraryFilePath(ExportMacroRequest(item->Name));
    return path && SaveLibraryFile(*path, library, LibrarySelection);
}

bool ExportLibraryFile(const MacroLibrary& library, LibraryTransferHost& host) {
    const LibraryItem* item = library.ItemAt(LibrarySelection);
    const std::string_view name = item != nullptr ? std::string_view(item->Name) : std::string_view();
    const auto path = host.AskLibraryFilePath(ExportLibraryRequest(name));
    return path && SaveLibraryFile(*path, library, LibrarySelection);
}

} // namespace vexmo
