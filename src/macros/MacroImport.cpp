#include "macros/MacroImport.h"

#include "macros/LibraryFile.h"
#include "macros/MacroLibrary.h"
#include "settings/Globals.h"

#include <string>

namespace vexmo {

namespace {

// Slot m of the group holding the children of `parent`; none below level 1.
bool ChildLocation(const LibraryLocation& parent, int m, LibraryLocation& child) {
    if (parent.stage == 0) {
        child = {1, parent.stage0Index, m, 0};
        return true;
    }
    if (parent.stage == 1) {
        child = {2, parent.stage0Index, parent.stage1Index, m};
        return true;
    }
    return false;
}

// The named children of an item of `source`, in slot order.
std::vector<LibraryLocation> NamedChildren(const MacroLibrary& source, const LibraryLocation& parent) {
    std::vector<LibraryLocation> children;
    LibraryLocation child;
    for (int m = 0; m < kLibrarySlots && ChildLocation(parent, m, child); ++m) {
        const LibraryItem* item = source.ItemAt(child);
        if (item != nullptr && !item->IsFree()) {
            children.push_back(child);
        }
    }
    return children;
}

// The location of slot m in the group that holds `location`.
LibraryLocation Sibling(LibraryLocation location, int m) {
    (location.stage == 0   ? location.stage0Index
     : location.stage == 1 ? location.stage1Index
                           : location.stage2Index) = m;
    return location;
}

int SlotOf(const LibraryLocation& location) {
    return location.stage == 0   ? location.stage0Index
           : location.stage == 1 ? location.stage1Index
                                 : location.stage2Index;
}

bool IsFolderAt(const MacroLibrary& library, const LibraryLocation& location) {
    const LibraryItem* item = library.ItemAt(location);
    return item != nullptr && item->IsNamedFolder();
}

void OpenFolderAt(MacroLibrary& library, const LibraryLocation& location) {
    if (LibraryItem* item = library.ItemAt(location); item != nullptr && item->IsNamedFolder()) {
        item->IsOpen = 1;
    }
}

// Reads the chosen file into ImportLibrary, starting from an empty import library and no
// selection so nothing of an earlier import can be taken for this one.
void ReadImportFile(const std::filesystem::path& path) {
    ImportLibrary.Clear();
    ImportSelection = kNoLibraryLocation;
    LoadLibraryFile(path, ImportLibrary);
}

void FinishImport(LibraryTransferHost& host) {
    host.ImportFinished();
    ImportLibrary.Clear();
    ImportSelection = kNoLibraryLocation;
}

// Creates a macro named after `source` at LibrarySelection and gives it the source's content
// (the new macro keeps the MacroKeyIndex it was just given). True when it was created.
bool CreateMacroFrom(MacroLibrary& library, const LibraryItem& source) {
    if (library.TryCreateMacro(source.Name, LibrarySelection) != CreateOutcome::Created) {
        return false;
    }
    LibraryItem* created = library.ItemAt(LibrarySelection);
    if (source.Macro && created != nullptr && created->Macro) {
        CopyMacroContent(*source.Macro, *created->Macro);
    }
    return true;
}

// One folder of the import set with its content; `destination` is LibrarySelection before it.
// True when the folder itself was created.
bool ImportFolder(MacroLibrary& library, const LibraryLocation& folder, const LibraryLocation& destination) {
    const LibraryItem& source = *ImportLibrary.ItemAt(folder);
    const bool created = library.TryCreateFolder(source.Name, LibrarySelection) == CreateOutcome::Created;
    // A folder that could not be created leaves the selection where it was, and its children
    // then go where the folder was asked for.
    const LibraryLocation parent = LibrarySelection;
    for (const LibraryLocation& childLocation : NamedChildren(ImportLibrary, folder)) {
        const LibraryItem& child = *ImportLibrary.ItemAt(childLocation);
        LibrarySelection = parent;
        if (child.IsFolder == 0) {
            CreateMacroFrom(library, child);
            continue;
        }
        if (parent.stage != 0) {
            continue; // a third folder level does not exist
        }
        // Not created: the selection stays on the parent and the grandchildren go there.
        library.TryCreateFolder(child.Name, LibrarySelection);
        const LibraryLocation inner = LibrarySelection;
        for (const LibraryLocation& grandchild : NamedChildren(ImportLibrary, childLocation)) {
            LibrarySelection = inner;
            CreateMacroFrom(library, *ImportLibrary.ItemAt(grandchild));
        }
    }
    LibrarySelection = created ? parent : destination;
    return created;
}

} // namespace

LibraryFileRequest ImportMacroRequest() {
    return {LibraryFileDialog::Open, "mkf", ".mkf", kMacroFileFilter, kTextImportMacroTitle};
}

LibraryFileRequest ImportLibraryRequest() {
    return {LibraryFileDialog::Open, "mbf", ".mbf", kLibraryFileFilter, kTextImportLibraryTitle};
}

std::vector<LibraryLocation> ImportSet(const MacroLibrary& source, const LibraryLocation& selection) {
    std::vector<LibraryLocation> set;
    if (selection.stage < 0) {
        for (int j = 0; j < kLibrarySlots; ++j) {
            const LibraryLocation location{0, j, 0, 0};
            if (source.ItemAt(location)->IsFree()) {
                break;
            }
            set.push_back(location);
        }
        return set;
    }
    const LibraryItem* selected = source.ItemAt(selection);
    if (selected == nullptr || selected->IsFree()) {
        return set;
    }
    if (selected->IsFolder != 0) {
        set.push_back(selection);
        return set;
    }
    for (int m = SlotOf(selection); m < kLibrarySlots; ++m) {
        const LibraryLocation location = Sibling(selection, m);
        if (source.ItemAt(location)->IsFree()) {
            break;
        }
        set.push_back(location);
    }
    return set;
}

void ImportMacroFile(MacroLibrary& library, LibraryTransferHost& host) {
    const auto path = host.AskLibraryFilePath(ImportMacroRequest());
    if (!path) {
        return;
    }
    ReadImportFile(*path);
    const LibraryItem* source = ImportLibrary.ItemAt(ImportSelection);
    // A selection line that names no item brings nothing: there is nothing to take a name from.
    if (source != nullptr && !source->IsFree()) {
        const LibraryLocation before = LibrarySelection;
        const bool folderSelected = IsFolderAt(library, before);
        const CreateOutcome outcome = library.TryCreateMacro(source->Name, LibrarySelection);
        if (outcome == CreateOutcome::NameUsed) {
            host.ShowAttention(kTextNameAlreadyUsed);
        } else if (outcome == CreateOutcome::Created) {
            if (folderSelected) {
                OpenFolderAt(library, before);
            }
            LibraryItem* created = library.ItemAt(LibrarySelection);
            if (source->Macro && created != nullptr && created->Macro) {
                CopyMacroContent(*source->Macro, *created->Macro);
            }
            host.ShowLibraryRow(library.LocationToRow(LibrarySelection));
        }
    }
    FinishImport(host);
}

void ImportLibraryFile(MacroLibrary& library, LibraryTransferHost& host) {
    const auto path = host.AskLibraryFilePath(ImportLibraryRequest());
    if (!path) {
        return;
    }
    ReadImportFile(*path);
    const LibraryLocation destination = LibrarySelection;
    const std::vector<LibraryLocation> set = ImportSet(ImportLibrary, ImportSelection);
    // Every top-level name is checked before anything is created, so an import is all or nothing.
    for (const LibraryLocation& location : set) {
        if (library.NameUsedAtDestination(destination, ImportLibrary.ItemAt(location)->Name)) {
            host.ShowAttention(kTextNameAlreadyUsed);
            FinishImport(host);
            return;
        }
    }
    OpenFolderAt(library, destination);
    const bool folderAllowed = !(destination.stage == 1 && IsFolderAt(library, destination));
    LibraryLocation lastCreated = destination;
    for (const LibraryLocation& location : set) {
        LibrarySelection = destination;
        const LibraryItem& item = *ImportLibrary.ItemAt(location);
        bool created = false;
        if (item.IsFolder == 0) {
            created = CreateMacroFrom(library, item);
        } else if (folderAllowed) {
            created = ImportFolder(library, location, destination);
        }
        if (created) {
            lastCreated = LibrarySelection;
        }
    }
    LibrarySelection = lastCreated;
    host.ShowLibraryRow(library.LocationToRow(LibrarySelection));
    FinishImport(host);
}

} // namespace vexmo
