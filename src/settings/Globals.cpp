#include "settings/Globals.h"

#include "macros/MacroLibrary.h"

namespace vexmo {

double UiScale = 1.0;
std::string AppDirectory;

std::string UiFontFace = "宋体";
int UiFontHeight = 12;
int UiFontCharset = 134;

LanguageTable AppLanguage;

ProfileTable AppProfiles;
AppSettings AppConfig;

LibraryLocation LibrarySelection = kNoLibraryLocation;
MacroLibrary ImportLibrary;
LibraryLocation ImportSelection = kNoLibraryLocation;

std::vector<uint16_t> DpiStepTable;

} // namespace vexmo
