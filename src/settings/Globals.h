#pragma once
// The process-wide state the program shares between its parts, kept together here.
// Everything is touched from the user-interface thread only.
#include "macros/LibraryLocation.h"
#include "settings/AppSettings.h"
#include "settings/LanguageTable.h"
#include "settings/ProfileTable.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vexmo {

// Scale of every design coordinate: 1.0, 1.5 or 2.0 (coordinates are multiplied, then truncated).
extern double UiScale;
// The program's own folder (where skins/ lies), with a trailing separator.
extern std::string AppDirectory;

// Interface font, chosen by the language file.
extern std::string UiFontFace;
extern int UiFontHeight;
extern int UiFontCharset;

// The interface texts, loaded once at start-up by LoadLanguage.
extern LanguageTable AppLanguage;

// The five profiles and the application settings, loaded once at start-up by LoadAppSettings.
extern ProfileTable AppProfiles;
extern AppSettings AppConfig;

// The item selected in the macro lists (-1 when none); the list control writes it and the
// library operations read and move it.
extern LibraryLocation LibrarySelection;
// A second library used only while an export file is imported, and the selection line that
// file was read with.
class MacroLibrary;
extern MacroLibrary ImportLibrary;
extern LibraryLocation ImportSelection;

// The DPI steps of the configured sensor, in units of 50 DPI; XYSetting indexes into it.
// Rebuilt by BuildDpiTable (device/DpiStepTable.h) at start-up and when the sensor changes.
extern std::vector<uint16_t> DpiStepTable;

// Scales a design coordinate by UiScale, truncating.
inline int Scaled(int designPixels) { return static_cast<int>(designPixels * UiScale); }

} // namespace vexmo
