#include "settings/FunctionCatalogue.h"

#include "macros/MacroRecord.h"
#include "settings/LanguageTable.h"
#include "settings/ValueTexts.h"

#include <array>

namespace vexmo {

namespace {

using enum FunctionListAction;

constexpr KeyFunctionCode kNoCode{};
// Entry 27's fixed fire setting.
constexpr KeyFunctionCode kPresetFireCode{kFireKeyCategory, 0x32, 0x03};

constexpr std::array<MainFunctionEntry, 16> kMainList = {{
    {20, Assign, kLeftButtonCode},
    {21, Assign, kRightButtonCode},
    {22, Assign, kMiddleButtonCode},
    {23, Assign, kForwardButtonCode},
    {24, Assign, kBackButtonCode},
    {25, OpenDpiList, kNoCode},
    {26, OpenFireKeyDialog, kNoCode},
    {27, Assign, kPresetFireCode},
    {28, OpenMacroDialog, kNoCode},
    {29, OpenShortcutDialog, kNoCode},
    {30, OpenMultimediaList, kNoCode},
    {31, OpenOfficeList, kNoCode},
    {32, OpenWindowManageList, kNoCode},
    {33, Assign, kSpecialFunctionCode},
    {36, OpenDpiLockList, kNoCode},
    {34, Assign, kNoFunctionCode},
}};

constexpr std::array<CatalogueFunction, 3> kDpiList = {{
    {40, kDpiFunction1Code},
    {41, kDpiFunction2Code},
    {42, kDpiFunction3Code},
}};

constexpr std::array<CatalogueFunction, 10> kMultimediaList = {{
    {45, ConsumerCode(0x0183)}, // consumer control configuration
    {46, ConsumerCode(0x00B6)}, // previous track
    {47, ConsumerCode(0x00B5)}, // next track
    {48, ConsumerCode(0x00B7)}, // stop
    {49, ConsumerCode(0x00CD)}, // play/pause
    {50, ConsumerCode(0x00E2)}, // mute
    {51, ConsumerCode(0x00E9)}, // volume up
    {52, ConsumerCode(0x00EA)}, // volume down
    {53, ConsumerCode(0x018A)}, // email reader
    {54, ConsumerCode(0x0192)}, // calculator
}};

constexpr KeyFunctionCode KeyboardCode(uint8_t modifiers, uint8_t usage) {
    return {kKeyboardCategory, modifiers, usage};
}

constexpr std::array<CatalogueFunction, 9> kOfficeList = {{
    {60, KeyboardCode(kCtrlModifier, 0x06)}, // Ctrl+C
    {61, KeyboardCode(kCtrlModifier, 0x19)}, // Ctrl+V
    {62, KeyboardCode(kCtrlModifier, 0x1B)}, // Ctrl+X
    {63, KeyboardCode(kCtrlModifier, 0x04)}, // Ctrl+A
    {64, KeyboardCode(kCtrlModifier, 0x11)}, // Ctrl+N
    {65, KeyboardCode(kCtrlModifier, 0x16)}, // Ctrl+S
    {66, KeyboardCode(kCtrlModifier, 0x13)}, // Ctrl+P
    {67, KeyboardCode(kWinModifier, 0x08)},  // Win+E
    {68, KeyboardCode(kCtrlModifier, 0x1D)}, // Ctrl+Z
}};

constexpr std::array<CatalogueFunction, 6> kWindowManageList = {{
    {75, ConsumerCode(0x0194)},             // local machine browser
    {76, KeyboardCode(kAltModifier, 0x3D)}, // Alt+F4
    {77, KeyboardCode(kWinModifier, 0x07)}, // Win+D
    {78, KeyboardCode(kWinModifier, 0x15)}, // Win+R
    {79, KeyboardCode(kWinModifier, 0x51)}, // Win+Down
    {80, KeyboardCode(kWinModifier, 0x52)}, // Win+Up
}};

} // namespace

std::span<const MainFunctionEntry> MainFunctionList() {
    return kMainList;
}
std::span<const CatalogueFunction> DpiFunctionList() {
    return kDpiList;
}
std::span<const CatalogueFunction> MultimediaFunctionList() {
    return kMultimediaList;
}
std::span<const CatalogueFunction> OfficeFunctionList() {
    return kOfficeList;
}
std::span<const CatalogueFunction> WindowManageFunctionList() {
    return kWindowManageList;
}

KeyFunctionChoice CatalogueChoice(const CatalogueFunction& function, const LanguageTable& language) {
    return {language.Text(function.nameEntry), function.code, nullptr};
}

std::optional<KeyFunctionChoice> DpiLockChoice(int value, const LanguageTable& language) {
    if (value < 1 || value > kDpiLockCount) {
        return std::nullopt;
    }
    std::string name = language.Text(kDpiLockNameEntry);
    name += '-';
    name += DpiLockTexts()[static_cast<size_t>(value - 1)];
    return KeyFunctionChoice{std::move(name), {kDpiLockCategory, static_cast<uint8_t>(value), 0x00}, nullptr};
}

KeyFunctionChoice MacroChoice(const MacroRecord& macro, const LanguageTable& language) {
    return {language.Text(kMacroNameEntry) + macro.Name, kMacroCode, &macro};
}

std::optional<int> CatalogueNameEntry(KeyFunctionCode code) {
    for (const MainFunctionEntry& entry : kMainList) {
        if (entry.action == Assign && entry.code == code) {
            return entry.nameEntry;
        }
    }
    for (auto list :
         {DpiFunctionList(), MultimediaFunctionList(), OfficeFunctionList(), WindowManageFunctionList()}) {
        for (const CatalogueFunction& function : list) {
            if (function.code == code) {
                return function.nameEntry;
            }
        }
    }
    return std::nullopt;
}

} // namespace vexmo
