#pragma once
// The functions the program offers for a button: the main function list, its sub-lists with
// their fixed codes, and the names (language entries) they are shown with.
#include "settings/KeyFunctionChoice.h"
#include "settings/KeyFunctionCode.h"

#include <optional>
#include <span>
#include <string>

namespace vexmo {

class LanguageTable;
struct MacroRecord;

// What choosing an entry of the main function list does.
enum class FunctionListAction {
    Assign, // assigns the entry's code
    OpenDpiList,
    OpenFireKeyDialog,
    OpenMacroDialog,
    OpenShortcutDialog,
    OpenMultimediaList,
    OpenOfficeList,
    OpenWindowManageList,
    OpenDpiLockList,
};

struct MainFunctionEntry {
    int nameEntry; // language entry of the row's name
    FunctionListAction action;
    KeyFunctionCode code; // only meaningful for Assign
};

struct CatalogueFunction {
    int nameEntry;
    KeyFunctionCode code;
};

// Language entries used for function names.
inline constexpr int kFireKeyNameEntry = 26;
inline constexpr int kDpiLockNameEntry = 36;
inline constexpr int kMacroNameEntry = 190;
inline constexpr int kDpiLockCount = 11;

// The 16 rows of the main function list, in order (row value = index + 1).
std::span<const MainFunctionEntry> MainFunctionList();
// Sub-lists, in row order.
std::span<const CatalogueFunction> DpiFunctionList();          // 3 rows
std::span<const CatalogueFunction> MultimediaFunctionList();   // 10 rows
std::span<const CatalogueFunction> OfficeFunctionList();       // 9 rows
std::span<const CatalogueFunction> WindowManageFunctionList(); // 6 rows

// A fixed-code function with its name from the table.
KeyFunctionChoice CatalogueChoice(const CatalogueFunction& function, const LanguageTable& language);
// DPI lock row `value` (1 to 11): code 50 value 00, named entry 36 + "-" + "200".."1200".
std::optional<KeyFunctionChoice> DpiLockChoice(int value, const LanguageTable& language);
// A macro: code 90 00 00, named entry 190 followed by the macro's name.
KeyFunctionChoice MacroChoice(const MacroRecord& macro, const LanguageTable& language);

// The language entry naming a code that one of the lists assigns as it is, if any.
std::optional<int> CatalogueNameEntry(KeyFunctionCode code);

} // namespace vexmo
