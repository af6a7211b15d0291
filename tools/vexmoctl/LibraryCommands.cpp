// vexmoctl library: check, show and rewrite macro library files (the program's own library and
// the .mkf/.mbf export files) with the same reader and writer the program uses. Checking and
// showing never write; rewriting writes only the output file, atomically.
#include "CommandTable.h"

#include "macros/LibraryFile.h"
#include "macros/MacroActionText.h"
#include "macros/MacroLibrary.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace vexmo::ctl {

namespace {

constexpr const char* kGroup = "library";
constexpr const char* kUsage = "library check FILE\n"
                               "library show FILE [--json]\n"
                               "library rewrite FILE --output FILE";

struct Arguments {
    std::vector<std::string> files;
    std::string output;
    bool json = false;
};

// Words after the subcommand; false (with `why`) on an option the subcommand does not take.
bool ParseArguments(const std::vector<std::string>& args, bool takesJson, bool takesOutput, Arguments& parsed,
                    std::string& why) {
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--json" && takesJson) {
            parsed.json = true;
        } else if (word == "--output" && takesOutput) {
            if (i + 1 >= args.size()) {
                why = "--output needs a FILE";
                return false;
            }
            parsed.output = args[++i];
        } else if (word.rfind("--", 0) == 0) {
            why = "unknown option '" + word + "'";
            return false;
        } else {
            parsed.files.push_back(word);
        }
    }
    return true;
}

// Prints why a read stopped early; true when the file was read whole.
bool ReportRead(const std::string& file, bool complete, const LibraryLoadReport& report) {
    if (complete) {
        return true;
    }
    if (!report.opened) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), report.reason.c_str());
    } else {
        std::fprintf(stderr, "%s: line %d: %s (%d items read before it)\n", file.c_str(), report.stopLine,
                     report.reason.c_str(), report.itemsRead);
    }
    return false;
}

std::string LocationText(const LibraryLocation& at) {
    char text[96];
    std::snprintf(text, sizeof text, "stage=%d;stage0Index=%d;stage1Index=%d;stage2Index=%d;", at.stage,
                  at.stage0Index, at.stage1Index, at.stage2Index);
    return text;
}

std::string ActionKind(MacroAction action) {
    if (action.IsDelay()) {
        return "delay";
    }
    return action.IsRelease() ? "release" : "press";
}

// ---- the tree in slot order, every level shown whatever the folders' open state ----

struct ShownItem {
    LibraryLocation location;
    const LibraryItem* item; // a free slot that still has children (possible in a hand-edited file)
    std::vector<ShownItem> children;
};

LibraryLocation ChildOf(const LibraryLocation& parent, int m) {
    return parent.stage == 0 ? LibraryLocation{1, parent.stage0Index, m, 0}
                             : LibraryLocation{2, parent.stage0Index, parent.stage1Index, m};
}

std::vector<ShownItem> ShownGroup(const MacroLibrary& library, const LibraryLocation* parent) {
    std::vector<ShownItem> group;
    for (int m = 0; m < kLibrarySlots; ++m) {
        const LibraryLocation at = parent == nullptr ? LibraryLocation{0, m, 0, 0} : ChildOf(*parent, m);
        ShownItem shown{at, library.ItemAt(at), {}};
        if (at.stage < 2) {
            shown.children = ShownGroup(library, &at);
        }
        if (!shown.item->IsFree() || !shown.children.empty()) {
            group.push_back(std::move(shown));
        }
    }
    return group;
}

void PrintMacroText(const MacroRecord& macro, const std::string& indent) {
    for (uint32_t i = 0; i < macro.ActionCount; ++i) {
        const MacroAction action = macro.Actions[i];
        std::printf("%s  %3u  %-8s %-16s %s\n", indent.c_str(), i, ActionKind(action).c_str(),
                    ActionText(action).c_str(), FormatAction(action).c_str());
    }
}

void PrintItemsText(const std::vector<ShownItem>& items, const std::string& indent) {
    for (const ShownItem& shown : items) {
        const LibraryItem& item = *shown.item;
        if (item.IsFree()) {
            std::printf("%s(free slot %s)\n", indent.c_str(), LocationText(shown.location).c_str());
        } else if (item.IsFolder != 0) {
            std::printf("%s%s/  (folder, %s)\n", indent.c_str(), item.Name.c_str(),
                        item.IsOpen ? "open" : "closed");
        } else if (item.Macro) {
            const MacroRecord& macro = *item.Macro;
            std::printf("%s%s  (macro %u, loop type %u, loop count %u, %u actions, %u key events)\n",
                        indent.c_str(), item.Name.c_str(), macro.MacroKeyIndex, macro.LoopType,
                        macro.LoopCount, macro.ActionCount, macro.CommandCount);
            PrintMacroText(macro, indent);
        }
        PrintItemsText(shown.children, indent + "    ");
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
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string JsonLocation(const LibraryLocation& at) {
    return "{\"stage\":" + std::to_string(at.stage) + ",\"stage0Index\":" + std::to_string(at.stage0Index) +
           ",\"stage1Index\":" + std::to_string(at.stage1Index) +
           ",\"stage2Index\":" + std::to_string(at.stage2Index) + "}";
}

std::string JsonMacro(const MacroRecord& macro) {
    std::string out = "{\"macroKeyIndex\":" + std::to_string(macro.MacroKeyIndex) +
                      ",\"loopType\":" + std::to_string(macro.LoopType) +
                      ",\"loopCount\":" + std::to_string(macro.LoopCount) +
                      ",\"actionCount\":" + std::to_string(macro.ActionCount) +
                      ",\"commandCount\":" + std::to_string(macro.CommandCount) + ",\"actions\":[";
    for (uint32_t i = 0; i < macro.ActionCount; ++i) {
        const MacroAction action = macro.Actions[i];
        out += (i == 0 ? "" : ",");
        out += "{\"kind\":" + Json(ActionKind(action)) + ",\"text\":" + Json(ActionText(action)) +
               ",\"code\":" + Json(FormatAction(action)) + "}";
    }
    return out + "]}";
}

std::string JsonItems(const std::vector<ShownItem>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i) {
        const ShownItem& shown = items[i];
        const LibraryItem& item = *shown.item;
        out += (i == 0 ? "{" : ",{");
        out += "\"name\":" + Json(item.Name) + ",\"location\":" + JsonLocation(shown.location);
        out += ",\"free\":" + std::string(item.IsFree() ? "true" : "false");
        out += ",\"folder\":" + std::string(item.IsFolder != 0 ? "true" : "false");
        out += ",\"open\":" + std::string(item.IsOpen != 0 ? "true" : "false");
        if (item.Macro) {
            out += ",\"macro\":" + JsonMacro(*item.Macro);
        }
        out += ",\"children\":" + JsonItems(shown.children) + "}";
    }
    return out + "]";
}

std::string SelectedName(const MacroLibrary& library, const LibraryLoadReport& report) {
    const LibraryItem* item = report.selectionRead ? library.ItemAt(report.selection) : nullptr;
    return item != nullptr ? item->Name : std::string();
}

void PrintJson(const std::string& file, const MacroLibrary& library, const LibraryLoadReport& report) {
    const std::string selected = SelectedName(library, report);
    std::string out = "{\"file\":" + Json(file) + ",\"complete\":" + (report.complete ? "true" : "false");
    if (!report.complete) {
        out += ",\"stopLine\":" + std::to_string(report.stopLine) + ",\"reason\":" + Json(report.reason);
    }
    out += ",\"nextMacroKeyIndex\":" + std::to_string(library.NextMacroKeyIndex());
    out += ",\"selection\":" + (report.selectionRead ? JsonLocation(report.selection) : std::string("null"));
    out += ",\"selectedName\":" + (selected.empty() ? std::string("null") : Json(selected));
    out += ",\"items\":" + JsonItems(ShownGroup(library, nullptr)) + "}";
    std::printf("%s\n", out.c_str());
}

void PrintText(const MacroLibrary& library, const LibraryLoadReport& report) {
    std::printf("Next MacroKeyIndex: %u\n", library.NextMacroKeyIndex());
    if (report.selectionRead) {
        const std::string selected = SelectedName(library, report);
        std::printf("Selection: %s%s%s\n", LocationText(report.selection).c_str(),
                    selected.empty() ? "" : " -> ", selected.c_str());
    }
    PrintItemsText(ShownGroup(library, nullptr), "");
}

// ---- subcommands ----

int RunCheck(const Arguments& args) {
    const std::string& file = args.files[0];
    MacroLibrary library;
    LibraryLoadReport report;
    const bool complete = ReadLibraryFile(file, library, report);
    if (!ReportRead(file, complete, report)) {
        return kExitFailed;
    }
    std::printf("%s: ok, %d items\n", file.c_str(), report.itemsRead);
    return kExitOk;
}

int RunShow(const Arguments& args) {
    const std::string& file = args.files[0];
    MacroLibrary library;
    LibraryLoadReport report;
    const bool complete = ReadLibraryFile(file, library, report);
    if (!report.opened) {
        ReportRead(file, complete, report);
        return kExitFailed;
    }
    if (args.json) {
        PrintJson(file, library, report);
    } else {
        PrintText(library, report);
    }
    return ReportRead(file, complete, report) ? kExitOk : kExitFailed;
}

int RunRewrite(const Arguments& args) {
    const std::string& file = args.files[0];
    MacroLibrary library;
    LibraryLoadReport report;
    const bool complete = ReadLibraryFile(file, library, report);
    if (!report.opened) {
        ReportRead(file, complete, report);
        return kExitFailed;
    }
    const LibraryLocation selection = report.selectionRead ? report.selection : kNoLibraryLocation;
    if (!SaveLibraryFile(args.output, library, selection)) {
        std::fprintf(stderr, "vexmoctl: cannot write %s\n", args.output.c_str());
        return kExitFailed;
    }
    return ReportRead(file, complete, report) ? kExitOk : kExitFailed;
}

int RunLibrary(const std::vector<std::string>& args) {
    if (args.empty()) {
        return UsageError(kGroup);
    }
    const std::string& command = args[0];
    const bool show = command == "show";
    const bool rewrite = command == "rewrite";
    if (command != "check" && !show && !rewrite) {
        return UsageError(kGroup, "unknown library command '" + command + "'");
    }
    Arguments parsed;
    std::string why;
    if (!ParseArguments(args, show, rewrite, parsed, why)) {
        return UsageError(kGroup, why);
    }
    if (parsed.files.size() != 1) {
        return UsageError(kGroup, command + " takes one FILE");
    }
    if (rewrite && parsed.output.empty()) {
        return UsageError(kGroup, "rewrite needs --output FILE");
    }
    return show ? RunShow(parsed) : rewrite ? RunRewrite(parsed) : RunCheck(parsed);
}

const bool registered = RegisterCommandGroup({kGroup, kUsage, &RunLibrary});

} // namespace

} // namespace vexmo::ctl
