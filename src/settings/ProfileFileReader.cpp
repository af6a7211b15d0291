#include "settings/CStdioFileEx.h"
#include "settings/Globals.h"
#include "settings/ProfileDefaults.h"
#include "settings/ProfileFile.h"
#include "settings/Utf16.h"

#include <algorithm>
#include <climits>

namespace vexmo {

namespace {

// Fixed positions in a value count UTF-16 units, as the file stores them; one char per unit
// keeps them lined up (units outside ASCII are not hexadecimal and read as 0 either way).
std::string UnitText(std::string_view value) {
    const std::u16string units = Utf8ToUtf16(value);
    std::string text(units.size(), '?');
    for (size_t i = 0; i < units.size(); ++i) {
        if (units[i] < 0x80) {
            text[i] = static_cast<char>(units[i]);
        }
    }
    return text;
}

uint32_t UnsignedDecimalValue(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    if (i < text.size() && text[i] == '+') {
        ++i;
    }
    uint64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<uint64_t>(value * 10 + static_cast<uint64_t>(text[i] - '0'), UINT32_MAX);
    }
    return static_cast<uint32_t>(value);
}

uint16_t ReadHexWord(std::string_view text) {
    constexpr size_t kWordDigits = 4;
    return static_cast<uint16_t>(LeadingHexValue(text.substr(0, kWordDigits)));
}

uint32_t ReadRgbAt(std::string_view text, size_t offset) {
    return ColorFromRgb(ReadHexPair(text, offset), ReadHexPair(text, offset + 2),
                        ReadHexPair(text, offset + 4));
}

ThreeBytes ReadThreeBytes(std::string_view text) {
    return {ReadHexPair(text, 0), ReadHexPair(text, 2), ReadHexPair(text, 4)};
}

template <size_t N>
void ReadByteList(std::string_view text, std::array<uint8_t, N>& values, size_t start = 0) {
    constexpr size_t kStride = 3; // "01|"
    for (size_t i = 0; i < N; ++i) {
        values[i] = ReadHexPair(text, start + i * kStride);
    }
}

// Walks the file line by line and records where and why it stopped.
class LineCursor {
public:
    LineCursor(CStdioFileEx& file, ReadFailure& failure) : file_(file), failure_(failure) {}

    bool Next() {
        ++number_;
        if (!file_.ReadString(line_)) {
            return Fail("missing line (the file ends or the line is empty)");
        }
        return true;
    }

    // The next line's value: the text after its first "=".
    bool NextValue(std::string& value, bool equalsMayLead = false, bool valueRequired = false) {
        if (!Next()) {
            return false;
        }
        const size_t equals = line_.find('=');
        if (equals == std::string::npos) {
            return Fail("no \"=\" in the line");
        }
        if (equals == 0 && !equalsMayLead) {
            return Fail("the line starts with \"=\"");
        }
        value.assign(line_, equals + 1);
        if (valueRequired && value.empty()) {
            return Fail("empty value");
        }
        return true;
    }

    // The next value as one char per UTF-16 unit, for reading at fixed positions.
    bool NextUnits(std::string& units) {
        std::string value;
        if (!NextValue(value)) {
            return false;
        }
        units = UnitText(value);
        return true;
    }

    bool Fail(std::string reason) {
        failure_.line = number_;
        failure_.reason = std::move(reason);
        return false;
    }

    const std::string& Line() const { return line_; }

private:
    CStdioFileEx& file_;
    ReadFailure& failure_;
    std::string line_;
    int number_ = 0;
};

bool ReadSettings(LineCursor& in, ProfileRecord& r) {
    if (!in.Next()) {
        return false;
    }
    if (in.Line() != kSettingHeader) {
        return in.Fail("the first line is not \"[Setting]\"");
    }
    for (SettingPair& pair : r.settings) {
        if (!in.Next()) {
            return false;
        }
        if (!SplitSettingLine(in.Line(), pair)) {
            return in.Fail("no \"=\" in the line");
        }
        if (pair.name.empty()) {
            return in.Fail("the line starts with \"=\"");
        }
    }
    return true;
}

bool ReadDpi(LineCursor& in, ProfileRecord& r) {
    std::string v;
    if (!in.NextUnits(v)) {
        return false;
    }
    r.DPIOffOnFlagValue = ReadHexPair(v, 0);
    for (uint16_t& steps : r.XYSetting) {
        if (!in.NextUnits(v)) {
            return false;
        }
        steps = ReadHexWord(v);
    }
    if (!in.NextUnits(v)) {
        return false;
    }
    r.CurrentDPILevelValue = ReadHexPair(v, 0);
    for (uint32_t& color : r.DPILevelIndication) {
        if (!in.NextUnits(v)) {
            return false;
        }
        color = ReadRgbAt(v, 0);
    }
    if (!in.NextUnits(v)) {
        return false;
    }
    r.AngleSnapValue = ReadHexPair(v, 0);
    if (!in.NextUnits(v)) {
        return false;
    }
    r.LiftDetectionValue = ReadHexPair(v, 0);
    return true;
}

bool ReadLighting1(LineCursor& in, ProfileRecord& r) {
    std::string v;
    if (!in.NextValue(v)) {
        return false;
    }
    r.SetLighting1Name(v);
    if (!in.NextUnits(v)) {
        return false;
    }
    r.Lighting1ModeValue = ReadThreeBytes(v);
    if (!in.NextUnits(v)) {
        return false;
    }
    r.Lighting1OffOn = ReadHexPair(v, 0);
    if (!in.NextUnits(v)) {
        return false;
    }
    ReadByteList(v, r.Lighting1Speed);
    if (!in.NextUnits(v)) {
        return false;
    }
    ReadByteList(v, r.Lighting1Brightness);
    if (!in.NextUnits(v)) {
        return false;
    }
    constexpr size_t kGroupWidth = kLightingColorSlots * 3; // "01|...01;"
    for (size_t e = 0; e < kLightingEffectCount; ++e) {
        ReadByteList(v, r.Lighting1ColorSelected[e], e * kGroupWidth);
    }
    if (!in.NextUnits(v)) {
        return false;
    }
    constexpr size_t kColorWidth = 7; // "RRGGBB|"
    for (size_t e = 0; e < kLightingEffectCount; ++e) {
        for (size_t c = 0; c < kLightingColorSlots; ++c) {
            r.Lighting1FixedColor[e][c] = ReadRgbAt(v, (e * kLightingColorSlots + c) * kColorWidth);
        }
    }
    if (!in.NextUnits(v)) {
        return false;
    }
    ReadByteList(v, r.Lighting1Direction);
    return true;
}

bool ReadLighting2(LineCursor& in, ProfileRecord& r) {
    std::string v;
    if (!in.NextValue(v)) {
        return false;
    }
    r.SetLighting2Name(v);
    if (!in.NextUnits(v)) {
        return false;
    }
    r.Lighting2ModeValue = ReadThreeBytes(v);
    uint8_t* const bytes[] = {&r.Lighting2OffOn, &r.Lighting2Speed, &r.Lighting2Brightness};
    for (uint8_t* byte : bytes) {
        if (!in.NextUnits(v)) {
            return false;
        }
        *byte = ReadHexPair(v, 0);
    }
    if (!in.NextUnits(v)) {
        return false;
    }
    r.Lighting2FixedColor = ReadRgbAt(v, 0);
    return true;
}

bool ReadKey(LineCursor& in, KeyAssignment& key) {
    std::string v;
    if (!in.NextValue(key.name)) {
        return false;
    }
    if (!in.NextUnits(v)) {
        return false;
    }
    key.code = ParseKeyFunctionCode(v);
    if (!in.NextValue(v, true, true)) {
        return false;
    }
    key.MacroKeyIndex = UnsignedDecimalValue(v);
    if (!in.NextValue(key.macro.Name, true)) {
        return false;
    }
    if (!in.NextValue(v, true, true)) {
        return false;
    }
    uint32_t count = 0;
    if (!ParseActionCount(v, count)) {
        return in.Fail("action count \"" + v + "\" is not a number from 0 to " +
                       std::to_string(kMacroActionSlots));
    }
    if (!in.NextValue(v, true, true)) {
        return false;
    }
    const std::string units = UnitText(v);
    if (units.size() != kAllActionTextLength) {
        return in.Fail("action text is " + std::to_string(units.size()) + " characters, expected " +
                       std::to_string(kAllActionTextLength));
    }
    ParseAllActions(units, key.macro);
    key.macro.ActionCount = count;
    return true;
}

bool ReadRecord(LineCursor& in, ProfileRecord& r) {
    if (!ReadSettings(in, r) || !ReadDpi(in, r)) {
        return false;
    }
    std::string v;
    if (!in.NextValue(r.PollingRateName) || !in.NextUnits(v)) {
        return false;
    }
    r.PollingRateValue = ReadThreeBytes(v);
    if (!ReadLighting1(in, r) || !ReadLighting2(in, r)) {
        return false;
    }
    for (KeyAssignment& key : r.keys) {
        if (!ReadKey(in, key)) {
            return false;
        }
    }
    return true; // anything after the sixth button is ignored
}

} // namespace

bool ReadProfileRecord(const std::filesystem::path& path, ProfileRecord& record, ReadFailure* failure) {
    ReadFailure local;
    ReadFailure& where = failure != nullptr ? *failure : local;
    where = {};
    CStdioFileEx file;
    if (!file.Open(path, CStdioFileEx::Mode::ReadUnicode)) {
        where.reason = "cannot open the file for reading";
        return false;
    }
    LineCursor in(file, where);
    return ReadRecord(in, record);
}

int ReadProfileFile(ProfileTable& profiles, const AppSettings& settings, const LanguageTable& language,
                    int slot, const std::filesystem::path& path, ReadFailure* failure) {
    ProfileRecord* record = profiles.Slot(slot);
    if (record == nullptr) {
        if (failure != nullptr) {
            *failure = {0, "no profile slot " + std::to_string(slot)};
        }
        return 0;
    }
    if (ReadProfileRecord(path, *record, failure)) {
        return 1;
    }
    ResetProfileToDefaults(*record, static_cast<unsigned>(slot), language, settings.sensorModel);
    WriteProfileRecord(*record, settings.ProfileSlotPath(slot));
    return 0;
}

bool ImportProfileFile(ProfileTable& profiles, int slot, const std::filesystem::path& path,
                       ReadFailure* failure) {
    ProfileRecord* target = profiles.Slot(slot);
    if (target == nullptr) {
        if (failure != nullptr) {
            *failure = {0, "no profile slot " + std::to_string(slot)};
        }
        return false;
    }
    // Read over a copy: the fields the file does not store (the macros' loop settings) keep
    // the slot's values, as a direct read would leave them.
    ProfileRecord imported = *target;
    if (!ReadProfileRecord(path, imported, failure)) {
        return false;
    }
    *target = std::move(imported);
    return true;
}

int ReadProfileFile(int slot, const std::filesystem::path& path) {
    return ReadProfileFile(AppProfiles, AppConfig, AppLanguage, slot, path);
}

} // namespace vexmo
