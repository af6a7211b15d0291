// vexmoctl profile: check, show, write defaults and rewrite profile setting files, with the
// same reader and writer the program uses. Checking never writes; rewriting writes only the
// output file (atomically), never the program's own files.
#include "CommandTable.h"

#include "macros/MacroActionText.h"
#include "settings/LanguageTable.h"
#include "settings/ProfileDefaults.h"
#include "settings/ProfileFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vexmo::ctl {

namespace {

constexpr const char* kGroup = "profile";
constexpr const char* kUsage =
    "profile check FILE\n"
    "profile show FILE [--json]\n"
    "profile defaults --slot N [--sensor 0xHHHH] [--language FILE] --output FILE\n"
    "profile rewrite FILE --output FILE [--slot N] [--sensor 0xHHHH] [--language FILE]";

// Parsed words after the subcommand: positional arguments and "--name value" options.
struct Arguments {
    std::vector<std::string> files;
    std::map<std::string, std::string> options;
    bool json = false;
};

std::optional<Arguments> ParseArguments(const std::vector<std::string>& args,
                                        const std::vector<std::string>& allowed, std::string& why) {
    Arguments parsed;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word.rfind("--", 0) != 0) {
            parsed.files.push_back(word);
            continue;
        }
        const std::string name = word.substr(2);
        bool known = false;
        for (const std::string& option : allowed) {
            known = known || option == name;
        }
        if (!known) {
            why = "unknown option '" + word + "'";
            return std::nullopt;
        }
        if (name == "json") {
            parsed.json = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            why = "option '" + word + "' needs a value";
            return std::nullopt;
        }
        parsed.options[name] = args[++i];
    }
    return parsed;
}

bool ParseNumber(const std::string& text, int base, unsigned long maximum, unsigned long& value) {
    if (text.empty() || text[0] == '-' || text[0] == '+') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtoul(text.c_str(), &end, base);
    return errno == 0 && end != nullptr && *end == '\0' && value <= maximum;
}

// What defaults and rewrite share: slot, sensor model and language texts.
struct DefaultsSource {
    unsigned slot = 0;
    SensorModel sensor = kDefaultSensorModel;
    LanguageTable language;
};

// 0 when parsed; otherwise the exit code to return.
int ReadDefaultsSource(const Arguments& args, unsigned long maxSlot, DefaultsSource& source) {
    unsigned long value = 0;
    if (auto slot = args.options.find("slot"); slot != args.options.end()) {
        if (!ParseNumber(slot->second, 10, maxSlot, value)) {
            return UsageError(kGroup, "--slot must be a number from 0 to " + std::to_string(maxSlot));
        }
        source.slot = static_cast<unsigned>(value);
    }
    if (auto sensor = args.options.find("sensor"); sensor != args.options.end()) {
        std::string digits = sensor->second;
        if (digits.rfind("0x", 0) == 0 || digits.rfind("0X", 0) == 0) {
            digits.erase(0, 2);
        }
        if (digits.empty() || digits.size() > 4 || !ParseNumber(digits, 16, 0xFFFF, value)) {
            return UsageError(kGroup, "--sensor must be a 16-bit hexadecimal number such as 0x3104");
        }
        source.sensor = static_cast<SensorModel>(value);
    }
    if (auto language = args.options.find("language"); language != args.options.end()) {
        if (!std::filesystem::is_regular_file(language->second)) {
            std::fprintf(stderr, "vexmoctl: cannot read language file %s\n", language->second.c_str());
            return kExitFailed;
        }
        if (!ReadLanguageFile(language->second, source.language)) {
            std::fprintf(stderr,
                         "vexmoctl: %s: language file read only up to a bad line; using what was read\n",
                         language->second.c_str());
        }
    }
    return kExitOk;
}

bool WriteOutput(const ProfileRecord& record, const std::string& path) {
    if (WriteProfileRecord(record, path)) {
        return true;
    }
    std::fprintf(stderr, "vexmoctl: cannot write %s\n", path.c_str());
    return false;
}

int RunCheck(const std::vector<std::string>& args) {
    std::string why;
    const auto parsed = ParseArguments(args, {}, why);
    if (!parsed || parsed->files.size() != 1) {
        return UsageError(kGroup, parsed ? "check takes one FILE" : why);
    }
    const std::string& file = parsed->files[0];
    ProfileRecord record;
    ReadFailure failure;
    if (!ReadProfileRecord(file, record, &failure)) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), failure.Message().c_str());
        return kExitFailed;
    }
    std::printf("%s: ok\n", file.c_str());
    return kExitOk;
}

int RunDefaults(const std::vector<std::string>& args) {
    std::string why;
    const auto parsed = ParseArguments(args, {"slot", "sensor", "language", "output"}, why);
    if (!parsed) {
        return UsageError(kGroup, why);
    }
    if (!parsed->files.empty() || !parsed->options.contains("slot") || !parsed->options.contains("output")) {
        return UsageError(kGroup, "defaults needs --slot and --output and no FILE");
    }
    DefaultsSource source;
    constexpr unsigned long kAnySlot = 0xFFFFFFFEul; // other slots are named "Profile<slot + 1>"
    if (const int code = ReadDefaultsSource(*parsed, kAnySlot, source); code != kExitOk) {
        return code;
    }
    ProfileRecord record;
    ResetProfileToDefaults(record, source.slot, source.language, source.sensor);
    return WriteOutput(record, parsed->options.at("output")) ? kExitOk : kExitFailed;
}

int RunRewrite(const std::vector<std::string>& args) {
    std::string why;
    const auto parsed = ParseArguments(args, {"slot", "sensor", "language", "output"}, why);
    if (!parsed) {
        return UsageError(kGroup, why);
    }
    if (parsed->files.size() != 1 || !parsed->options.contains("output")) {
        return UsageError(kGroup, "rewrite needs one FILE and --output");
    }
    DefaultsSource source;
    if (const int code = ReadDefaultsSource(*parsed, kProfileSlots - 1, source); code != kExitOk) {
        return code;
    }
    const std::string& file = parsed->files[0];
    ProfileRecord record;
    ReadFailure failure;
    const bool whole = ReadProfileRecord(file, record, &failure);
    if (!whole) {
        // What the program does on start-up, except that the defaults go to the output file.
        std::fprintf(stderr, "%s: %s; writing defaults\n", file.c_str(), failure.Message().c_str());
        ResetProfileToDefaults(record, source.slot, source.language, source.sensor);
    }
    if (!WriteOutput(record, parsed->options.at("output"))) {
        return kExitFailed;
    }
    return whole ? kExitOk : kExitFailed;
}

// ---- show ----

std::string Hex(uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

std::string RgbText(uint32_t color) {
    return Hex(RedOf(color), 2) + Hex(GreenOf(color), 2) + Hex(BlueOf(color), 2);
}

std::string BytesText(const ThreeBytes& bytes) {
    return Hex(bytes[0], 2) + Hex(bytes[1], 2) + Hex(bytes[2], 2);
}

std::string ButtonMaskText(uint8_t mask) {
    const std::pair<uint8_t, const char*> buttons[] = {
        {kLeftButtonMask, "left"}, {kRightButtonMask, "right"},     {kMiddleButtonMask, "middle"},
        {kBackButtonMask, "back"}, {kForwardButtonMask, "forward"},
    };
    std::string text;
    for (const auto& [bit, name] : buttons) {
        if ((mask & bit) != 0) {
            text += (text.empty() ? "" : "+") + std::string(name);
        }
    }
    return text.empty() ? "none" : text;
}

std::string ModifierText(uint8_t mask) {
    const std::pair<uint8_t, const char*> modifiers[] = {
        {kCtrlModifier, "Ctrl+"},
        {kShiftModifier, "Shift+"},
        {kAltModifier, "Alt+"},
        {kWinModifier, "Win+"},
    };
    std::string text;
    for (const auto& [bit, name] : modifiers) {
        if ((mask & bit) != 0) {
            text += name;
        }
    }
    return text;
}

// What the mouse does with a code, for a person; the program's own texts are in the button name.
std::string FunctionText(KeyFunctionCode code) {
    switch (code.category) {
    case kNoFunctionCategory:
        return "no function";
    case kMouseButtonCategory:
        return "mouse button " + ButtonMaskText(code.parameter1);
    case kFireKeyCategory:
        return "fire key " + std::to_string(code.parameter1) + "/" + std::to_string(code.parameter2);
    case kDpiFunctionCategory:
        switch (code.parameter1) {
        case 0x02:
            return "DPI function 1";
        case 0x03:
            return "DPI function 2";
        case 0x01:
            return "DPI function 3";
        default:
            return "DPI function " + Hex(code.parameter1, 2);
        }
    case kDpiLockCategory:
        return "DPI lock " + std::to_string((code.parameter1 + 1) * 100) + " DPI";
    case kSpecialCategory:
        return "special function " + Hex(code.parameter1, 2);
    case kKeyboardCategory:
        return "keyboard " + ModifierText(code.parameter1) + "usage 0x" + Hex(code.parameter2, 2);
    case kConsumerCategory:
        return "consumer usage 0x" + Hex((uint32_t{code.parameter2} << 8) | code.parameter1, 4);
    case kMacroCategory:
        return "macro";
    default:
        return "unknown category " + Hex(code.category, 2);
    }
}

constexpr int kRateHz[] = {125, 250, 500, 1000};

int RateHz(uint8_t index) {
    return index < std::size(kRateHz) ? kRateHz[index] : 0;
}

std::string ActionKind(MacroAction action) {
    if (action.IsDelay()) {
        return "delay";
    }
    return action.IsRelease() ? "release" : "press";
}

std::vector<std::string> UsedColors(const ProfileRecord& r, size_t effect) {
    std::vector<std::string> colors;
    for (size_t c = 0; c < kLightingColorSlots; ++c) {
        if (r.Lighting1ColorSelected[effect][c] != 0) {
            colors.push_back(RgbText(r.Lighting1FixedColor[effect][c]));
        }
    }
    return colors;
}

void PrintText(const ProfileRecord& r) {
    std::printf("Profile: %s\nSettings:\n", r.SettingValue(kProfileNameSetting).c_str());
    for (const SettingPair& pair : r.settings) {
        std::printf("  %s=%s\n", pair.name.c_str(), pair.value.c_str());
    }
    std::printf("Buttons:\n");
    for (size_t u = 0; u < r.keys.size(); ++u) {
        const KeyAssignment& key = r.keys[u];
        std::printf("  %zu  %-20s %s  %s\n", u, key.name.c_str(), FormatKeyFunctionCode(key.code).c_str(),
                    FunctionText(key.code).c_str());
    }
    std::printf("DPI: enabled mask %s, current level %u (position among the enabled levels)\n",
                Hex(r.DPIOffOnFlagValue, 2).c_str(), r.CurrentDPILevelValue);
    for (size_t level = 0; level < kDpiLevelCount; ++level) {
        std::printf("  level %zu  %-3s  step %-5u colour %s\n", level,
                    (r.DPIOffOnFlagValue >> level) & 1 ? "on" : "off", r.XYSetting[level],
                    RgbText(r.DPILevelIndication[level]).c_str());
    }
    std::printf("Angle snapping: %u  Lift-off: %u\n", r.AngleSnapValue, r.LiftDetectionValue);
    std::printf("Report rate: %s (index %u, %d Hz; bytes %s)\n", r.PollingRateName.c_str(),
                r.PollingRateValue[0], RateHz(r.PollingRateValue[0]), BytesText(r.PollingRateValue).c_str());
    std::printf("Lighting: %s, \"%s\", mode %s (effect %u)\n", r.Lighting1OffOn ? "on" : "off",
                r.Lighting1Name.c_str(), BytesText(r.Lighting1ModeValue).c_str(), r.Lighting1ModeValue[0]);
    for (size_t e = 0; e < kLightingEffectCount; ++e) {
        std::string colors;
        for (const std::string& color : UsedColors(r, e)) {
            colors += " " + color;
        }
        std::printf("  effect %zu: speed %u brightness %u direction %u colours%s\n", e, r.Lighting1Speed[e],
                    r.Lighting1Brightness[e], r.Lighting1Direction[e],
                    colors.empty() ? " -" : colors.c_str());
    }
    std::printf("Second zone: %s, \"%s\", mode %s, speed %u, brightness %u, colour %s\n",
                r.Lighting2OffOn ? "on" : "off", r.Lighting2Name.c_str(),
                BytesText(r.Lighting2ModeValue).c_str(), r.Lighting2Speed, r.Lighting2Brightness,
                RgbText(r.Lighting2FixedColor).c_str());
    std::printf("Macros:\n");
    for (size_t u = 0; u < r.keys.size(); ++u) {
        const MacroRecord& macro = r.keys[u].macro;
        std::printf("  button %zu: \"%s\", macro id %u, %u actions\n", u, macro.Name.c_str(),
                    r.keys[u].MacroKeyIndex, macro.ActionCount);
        for (uint32_t i = 0; i < macro.ActionCount; ++i) {
            const MacroAction action = macro.Actions[i];
            std::printf("    %3u  %-8s %-16s %s\n", i, ActionKind(action).c_str(), ActionText(action).c_str(),
                        FormatAction(action).c_str());
        }
    }
}

std::string Json(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            out += "\\u" + Hex(u, 4);
        } else {
            out += c;
        }
    }
    return out + "\"";
}

template <typename T, typename Fn> std::string JsonList(const T& items, Fn each) {
    std::string out = "[";
    bool first = true;
    for (const auto& item : items) {
        out += (first ? "" : ",") + each(item);
        first = false;
    }
    return out + "]";
}

std::string JsonRecord(const ProfileRecord& r) {
    std::string out = "{\"name\":" + Json(r.SettingValue(kProfileNameSetting));
    out += ",\"settings\":" + JsonList(r.settings, [](const SettingPair& p) {
               return "{\"name\":" + Json(p.name) + ",\"value\":" + Json(p.value) + "}";
           });
    std::vector<size_t> indexes(kProfileKeyCount);
    for (size_t i = 0; i < indexes.size(); ++i) {
        indexes[i] = i;
    }
    out += ",\"buttons\":" + JsonList(indexes, [&](size_t u) {
               const KeyAssignment& key = r.keys[u];
               return "{\"index\":" + std::to_string(u) + ",\"name\":" + Json(key.name) +
                      ",\"code\":" + Json(FormatKeyFunctionCode(key.code)) +
                      ",\"function\":" + Json(FunctionText(key.code)) +
                      ",\"macroKeyIndex\":" + std::to_string(key.MacroKeyIndex) + "}";
           });
    std::vector<size_t> levels(kDpiLevelCount);
    for (size_t i = 0; i < levels.size(); ++i) {
        levels[i] = i;
    }
    out += ",\"dpi\":{\"enabledMask\":" + Json(Hex(r.DPIOffOnFlagValue, 2)) +
           ",\"currentLevel\":" + std::to_string(r.CurrentDPILevelValue) + ",\"levels\":" +
           JsonList(levels,
                    [&](size_t level) {
                        return "{\"level\":" + std::to_string(level) +
                               ",\"enabled\":" + (((r.DPIOffOnFlagValue >> level) & 1) ? "true" : "false") +
                               ",\"step\":" + std::to_string(r.XYSetting[level]) +
                               ",\"color\":" + Json(RgbText(r.DPILevelIndication[level])) + "}";
                    }) +
           "}";
    out += ",\"angleSnap\":" + std::to_string(r.AngleSnapValue) +
           ",\"liftDetection\":" + std::to_string(r.LiftDetectionValue);
    out += ",\"rate\":{\"name\":" + Json(r.PollingRateName) +
           ",\"index\":" + std::to_string(r.PollingRateValue[0]) +
           ",\"hz\":" + std::to_string(RateHz(r.PollingRateValue[0])) +
           ",\"bytes\":" + Json(BytesText(r.PollingRateValue)) + "}";
    std::vector<size_t> effects(kLightingEffectCount);
    for (size_t i = 0; i < effects.size(); ++i) {
        effects[i] = i;
    }
    out += ",\"lighting\":{\"on\":" + std::string(r.Lighting1OffOn ? "true" : "false") +
           ",\"name\":" + Json(r.Lighting1Name) + ",\"mode\":" + Json(BytesText(r.Lighting1ModeValue)) +
           ",\"effect\":" + std::to_string(r.Lighting1ModeValue[0]) + ",\"effects\":" +
           JsonList(effects,
                    [&](size_t e) {
                        return "{\"effect\":" + std::to_string(e) +
                               ",\"speed\":" + std::to_string(r.Lighting1Speed[e]) +
                               ",\"brightness\":" + std::to_string(r.Lighting1Brightness[e]) +
                               ",\"direction\":" + std::to_string(r.Lighting1Direction[e]) + ",\"colors\":" +
                               JsonList(UsedColors(r, e), [](const std::string& c) { return Json(c); }) + "}";
                    }) +
           "}";
    out += ",\"lighting2\":{\"on\":" + std::string(r.Lighting2OffOn ? "true" : "false") +
           ",\"name\":" + Json(r.Lighting2Name) + ",\"mode\":" + Json(BytesText(r.Lighting2ModeValue)) +
           ",\"speed\":" + std::to_string(r.Lighting2Speed) +
           ",\"brightness\":" + std::to_string(r.Lighting2Brightness) +
           ",\"color\":" + Json(RgbText(r.Lighting2FixedColor)) + "}";
    out += ",\"macros\":" + JsonList(indexes, [&](size_t u) {
               const MacroRecord& macro = r.keys[u].macro;
               std::vector<MacroAction> actions(macro.Actions.begin(),
                                                macro.Actions.begin() + macro.ActionCount);
               return "{\"button\":" + std::to_string(u) + ",\"name\":" + Json(macro.Name) +
                      ",\"macroKeyIndex\":" + std::to_string(r.keys[u].MacroKeyIndex) +
                      ",\"actionCount\":" + std::to_string(macro.ActionCount) + ",\"actions\":" +
                      JsonList(actions,
                               [](const MacroAction& a) {
                                   return "{\"kind\":" + Json(ActionKind(a)) +
                                          ",\"text\":" + Json(ActionText(a)) +
                                          ",\"hex\":" + Json(FormatAction(a)) + "}";
                               }) +
                      "}";
           });
    return out + "}";
}

int RunShow(const std::vector<std::string>& args) {
    std::string why;
    const auto parsed = ParseArguments(args, {"json"}, why);
    if (!parsed || parsed->files.size() != 1) {
        return UsageError(kGroup, parsed ? "show takes one FILE" : why);
    }
    const std::string& file = parsed->files[0];
    ProfileRecord record;
    ReadFailure failure;
    if (!ReadProfileRecord(file, record, &failure)) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), failure.Message().c_str());
        return kExitFailed;
    }
    if (parsed->json) {
        std::printf("%s\n", JsonRecord(record).c_str());
    } else {
        PrintText(record);
    }
    return kExitOk;
}

int RunProfile(const std::vector<std::string>& args) {
    if (args.empty()) {
        return UsageError(kGroup, "missing subcommand");
    }
    const std::string& command = args[0];
    if (command == "check") {
        return RunCheck(args);
    }
    if (command == "show") {
        return RunShow(args);
    }
    if (command == "defaults") {
        return RunDefaults(args);
    }
    if (command == "rewrite") {
        return RunRewrite(args);
    }
    return UsageError(kGroup, "unknown subcommand '" + command + "'");
}

const bool registered = RegisterCommandGroup({kGroup, kUsage, &RunProfile});

} // namespace

} // namespace vexmo::ctl
