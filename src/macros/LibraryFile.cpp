#include "macros/LibraryFile.h"

#include "macros/MacroLibrary.h"
#include "settings/CStdioFileEx.h"
#include "settings/DataFolder.h"
#include "settings/Globals.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace vexmo {

namespace {

constexpr std::string_view kHeaderLine = "[MacroLibrary]";
constexpr int64_t kLowestValue = INT32_MIN;
constexpr int64_t kHighestValue = UINT32_MAX;

// The decimal number at the start of a value: optional blanks and sign, then digits; no digits
// give 0. Saturates instead of overflowing so hostile files cannot cause undefined behaviour,
// and keeps the whole unsigned range so "%u" values read back as they were written.
uint32_t LeadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<int64_t>(value * 10 + (text[i] - '0'), kHighestValue);
    }
    value = negative ? std::max(-value, kLowestValue) : value;
    return static_cast<uint32_t>(value); // negative values wrap as "%d" wrote them
}

// The text after the first "="; false when there is none or it is empty.
bool ValueAfterEquals(std::string_view line, std::string_view& value) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals + 1 == line.size()) {
        return false;
    }
    value = line.substr(equals + 1);
    return true;
}

// A location the writer could have written: a stage of 0 to 2, the indexes that apply in
// 0..59 and the others 0. Anything else would name no slot of the tree.
bool IsStorableLocation(const LibraryLocation& location) {
    if (!MacroLibrary::IsValidLocation(location)) {
        return false;
    }
    return (location.stage >= 1 || location.stage1Index == 0) &&
           (location.stage >= 2 || location.stage2Index == 0);
}

class LibraryReader {
public:
    LibraryReader(CStdioFileEx& file, MacroLibrary& library, LibraryLoadReport& report)
        : file_(file), library_(library), report_(report) {}

    bool Run() {
        if (!ReadHeader() || !ReadSelection()) {
            return false;
        }
        while (NextLine()) {
            if (!ReadItem()) {
                return false;
            }
            ++report_.itemsRead;
        }
        report_.complete = true;
        return true;
    }

private:
    bool NextLine() {
        ++lineNumber_;
        return file_.ReadString(line_);
    }

    bool Fail(const char* reason) {
        report_.stopLine = lineNumber_;
        report_.reason = reason;
        return false;
    }

    bool ReadValueLine(std::string_view& value) {
        if (!NextLine()) {
            return Fail("line missing");
        }
        if (!ValueAfterEquals(line_, value)) {
            return Fail("no value after '='");
        }
        return true;
    }

    bool ReadNumberLine(uint32_t& number) {
        std::string_view value;
        if (!ReadValueLine(value)) {
            return false;
        }
        number = LeadingNumber(value);
        return true;
    }

    bool ReadHeader() {
        if (!NextLine()) {
            return Fail("line missing");
        }
        if (line_ != kHeaderLine) {
            return Fail("first line is not [MacroLibrary]");
        }
        uint32_t next = 0;
        if (!ReadNumberLine(next)) {
            return false;
        }
        library_.SetNextMacroKeyIndex(next);
        return true;
    }

    bool ReadFourNumbers(LibraryLocation& location) {
        int numbers[4] = {-1, 0, 0, 0};
        if (!ParseFourNumbers(line_, numbers)) {
            return Fail("four numbers expected");
        }
        location = {numbers[0], numbers[1], numbers[2], numbers[3]};
        return true;
    }

    bool ReadSelection() {
        if (!NextLine()) {
            return Fail("line missing");
        }
        if (!ReadFourNumbers(report_.selection)) {
            return false;
        }
        report_.selectionRead = true;
        return true;
    }

    // The item's name line has been read into line_.
    bool ReadItem() {
        std::string_view nameValue;
        if (!ValueAfterEquals(line_, nameValue)) {
            return Fail("no value after '='");
        }
        const std::string name(nameValue);
        LibraryLocation location;
        if (!NextLine()) {
            return Fail("line missing");
        }
        if (!ReadFourNumbers(location)) {
            return false;
        }
        if (!IsStorableLocation(location)) {
            return Fail("location outside the tree");
        }
        uint32_t isFolder = 0;
        uint32_t isOpen = 0;
        if (!ReadNumberLine(isFolder) || !ReadNumberLine(isOpen)) {
            return false;
        }
        if (isFolder != 0) {
            library_.AddFolderAt(location, name, isOpen != 0);
            return true;
        }
        return ReadMacro(location, name);
    }

    bool ReadMacro(const LibraryLocation& location, const std::string& name) {
        auto macro = std::make_unique<MacroRecord>(name);
        uint32_t loopType = 0;
        uint32_t loopCount = 0;
        uint32_t commandCount = 0;
        std::string_view value;
        if (!ReadNumberLine(macro->MacroKeyIndex) || !ReadNumberLine(loopType) ||
            !ReadNumberLine(loopCount)) {
            return false;
        }
        if (!ReadValueLine(value)) {
            return false;
        }
        if (!ParseActionCount(value, macro->ActionCount)) {
            return Fail("MacroActionNum outside 0..336");
        }
        if (!ReadNumberLine(commandCount) || !ReadValueLine(value)) {
            return false;
        }
        if (!ParseAllActions(value, *macro)) {
            return Fail("AllAction is not 2688 characters");
        }
        macro->LoopType = static_cast<uint8_t>(loopType);
        macro->LoopCount = static_cast<uint8_t>(loopCount);
        macro->CommandCount = static_cast<uint8_t>(commandCount);
        library_.AddMacroAt(location, name, std::move(macro));
        return true;
    }

    CStdioFileEx& file_;
    MacroLibrary& library_;
    LibraryLoadReport& report_;
    std::string line_;
    int lineNumber_ = 0;
};

std::string LocationFields(const LibraryLocation& location) {
    char text[96];
    std::snprintf(text, sizeof text, "stage=%d;stage0Index=%d;stage1Index=%d;stage2Index=%d;", location.stage,
                  location.stage0Index, location.stage1Index, location.stage2Index);
    return text;
}

void AppendLine(std::string& out, std::string_view indent, std::string_view key, std::string_view value) {
    out += indent;
    out += key;
    out += value;
    out += '\n';
}

std::string ItemBlock(const LibraryLocation& location, const LibraryItem& item) {
    const std::string_view indent = std::string_view("\t\t").substr(0, static_cast<size_t>(location.stage));
    std::string block;
    AppendLine(block, indent, "++++++++MacroItemName=", item.Name);
    AppendLine(block, indent, "MacroItemLocation:", LocationFields(location));
    AppendLine(block, indent, "MacroItemIsFolder=", std::to_string(item.IsFolder));
    AppendLine(block, indent, "MacroItemFolderIsOpen=", std::to_string(item.IsOpen));
    if (!item.Macro) {
        return block;
    }
    const MacroRecord& macro = *item.Macro;
    AppendLine(block, indent, "MacroKeyIndex=", std::to_string(macro.MacroKeyIndex));
    AppendLine(block, indent, "MacroKeyLoopType=", std::to_string(macro.LoopType));
    AppendLine(block, indent, "MacroKeyLoopNum=", std::to_string(macro.LoopCount));
    AppendLine(block, indent, "MacroActionNum=", std::to_string(macro.ActionCount));
    AppendLine(block, indent, "MacroCommandActionNum=", std::to_string(macro.CommandCount));
    AppendLine(block, indent, "AllAction=", FormatAllActions(macro));
    return block;
}

} // namespace

bool ReadLibraryFile(const std::filesystem::path& path, MacroLibrary& library, LibraryLoadReport& report) {
    report = {};
    CStdioFileEx file;
    if (!file.Open(path, CStdioFileEx::Mode::ReadUnicode)) {
        report.reason = "cannot open the file";
        return false;
    }
    report.opened = true;
    library.Clear();
    return LibraryReader(file, library, report).Run();
}

bool LoadLibraryFile(const std::filesystem::path& path, MacroLibrary& library) {
    LibraryLoadReport report;
    const bool complete = ReadLibraryFile(path, library, report);
    if (&library == &ImportLibrary && report.selectionRead) {
        ImportSelection = report.selection;
    }
    return complete;
}

bool SaveLibraryFile(const std::filesystem::path& path, const MacroLibrary& library,
                     const LibraryLocation& selection) {
    CStdioFileEx file;
    if (!file.Open(path, CStdioFileEx::Mode::WriteUnicode)) {
        return false;
    }
    std::string head(kHeaderLine);
    head += '\n';
    // Written as a signed number, as the format always has; the reader wraps it back.
    AppendLine(head, "", "MacroKeyIndex=", std::to_string(static_cast<int32_t>(library.NextMacroKeyIndex())));
    AppendLine(head, "", "Select Locaton:", LocationFields(selection));
    bool written = file.WriteString(head);
    library.ForEachNamedItem([&](const LibraryLocation& location, const LibraryItem& item) {
        written = written && file.WriteString(ItemBlock(location, item));
    });
    // Close commits the new file only when every write succeeded.
    return file.Close() && written;
}

std::filesystem::path LibraryFilePath() {
    return ConfigFolder() / kLibraryFileName;
}

} // namespace vexmo
