#include "settings/CStdioFileEx.h"
#include "settings/Globals.h"
#include "settings/ProfileFile.h"

namespace vexmo {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendHex(std::string& out, uint32_t value, int digits) {
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        out += kHexDigits[(value >> shift) & 0xF];
    }
}

void AppendByte(std::string& out, uint8_t value) {
    AppendHex(out, value, 2);
}

void AppendRgb(std::string& out, uint32_t color) {
    AppendByte(out, RedOf(color));
    AppendByte(out, GreenOf(color));
    AppendByte(out, BlueOf(color));
}

void AppendThreeBytes(std::string& out, const ThreeBytes& bytes) {
    for (uint8_t b : bytes) {
        AppendByte(out, b);
    }
}

template <size_t N> void AppendByteList(std::string& out, const std::array<uint8_t, N>& values, char last) {
    for (size_t i = 0; i < N; ++i) {
        AppendByte(out, values[i]);
        if (i + 1 < N) {
            out += '|';
        } else if (last != '\0') {
            out += last;
        }
    }
}

void AppendLighting(std::string& out, const ProfileRecord& r) {
    out += "Lighting1Name=" + r.Lighting1Name + "\n";
    out += "\tLighting1ModeValue=";
    AppendThreeBytes(out, r.Lighting1ModeValue);
    out += "\n\tLighting1OffOn=";
    AppendByte(out, r.Lighting1OffOn);
    out += "\n\tLighting1Speed=";
    AppendByteList(out, r.Lighting1Speed, '\0');
    out += "\n\tLighting1Brightness=";
    AppendByteList(out, r.Lighting1Brightness, '\0');
    out += "\n\tLighting1ColorSelected=";
    for (const auto& group : r.Lighting1ColorSelected) {
        AppendByteList(out, group, ';');
    }
    out += "\n\tLighting1FixedColor=";
    for (const auto& group : r.Lighting1FixedColor) {
        for (size_t c = 0; c < group.size(); ++c) {
            AppendRgb(out, group[c]);
            out += c + 1 < group.size() ? '|' : ';';
        }
    }
    out += "\n\tLighting1Direction=";
    AppendByteList(out, r.Lighting1Direction, '\0');
    out += "\nLighting2Name=" + r.Lighting2Name + "\n";
    out += "\tLighting2ModeValue=";
    AppendThreeBytes(out, r.Lighting2ModeValue);
    out += "\n\tLighting2OffOn=";
    AppendByte(out, r.Lighting2OffOn);
    out += "\n\tLighting2Speed=";
    AppendByte(out, r.Lighting2Speed);
    out += "\n\tLighting2Brightness=";
    AppendByte(out, r.Lighting2Brightness);
    out += "\n\tLighting2FixedColor=";
    AppendRgb(out, r.Lighting2FixedColor);
    out += "\n";
}

void AppendDpi(std::string& out, const ProfileRecord& r) {
    out += "DPIOffOnFlagValue=";
    AppendByte(out, r.DPIOffOnFlagValue);
    out += "\n";
    for (size_t level = 0; level < kDpiLevelCount; ++level) {
        out += "\tXYSetting" + std::to_string(level + 1) + "Value=";
        AppendHex(out, r.XYSetting[level], 4);
        out += "\n";
    }
    out += "\tCurrentDPILevelValue=";
    AppendByte(out, r.CurrentDPILevelValue);
    out += "\n";
    for (size_t level = 0; level < kDpiLevelCount; ++level) {
        out += "\tDPILevelIndication" + std::to_string(level) + "Valuer=";
        AppendRgb(out, r.DPILevelIndication[level]);
        out += "\n";
    }
    out += "\tAngleSnapValue=";
    AppendByte(out, r.AngleSnapValue);
    out += "\n\tLiftDetectionValue=";
    AppendByte(out, r.LiftDetectionValue);
    out += "\n";
}

void AppendKeys(std::string& out, const ProfileRecord& r) {
    for (size_t u = 0; u < kProfileKeyCount; ++u) {
        const KeyAssignment& key = r.keys[u];
        const std::string n = std::to_string(u);
        out += "Key" + n + "Name=" + key.name + "\n";
        out += "\tKey" + n + "Value=" + FormatKeyFunctionCode(key.code) + "\n";
        out += "\tMacroKeyIndex=" + std::to_string(key.MacroKeyIndex) + "\n";
        out += "\tMacroKey" + n + "Name=" + key.macro.Name + "\n";
        out += "\t\tMacroActionNum=" + std::to_string(key.macro.ActionCount) + "\n";
        out += "\t\tAllAction=" + FormatAllActions(key.macro) + "\n";
    }
}

} // namespace

std::string FormatProfileFile(const ProfileRecord& record) {
    std::string out;
    out.reserve(20000);
    out += kSettingHeader;
    out += "\n";
    for (const SettingPair& pair : record.settings) {
        out += pair.name + "=" + pair.value + "\n";
    }
    AppendDpi(out, record);
    out += "PollingRateName=" + record.PollingRateName + "\n";
    out += "\tPollingRateValue=";
    AppendThreeBytes(out, record.PollingRateValue);
    out += "\n";
    AppendLighting(out, record);
    AppendKeys(out, record);
    return out;
}

bool WriteProfileRecord(const ProfileRecord& record, const std::filesystem::path& path) {
    CStdioFileEx file;
    if (!file.Open(path, CStdioFileEx::Mode::WriteUnicode)) {
        return false;
    }
    const bool written = file.WriteString(FormatProfileFile(record));
    return file.Close() && written;
}

bool WriteProfileFile(const ProfileTable& profiles, int slot, const std::filesystem::path& path) {
    const ProfileRecord* record = profiles.Slot(slot);
    return record != nullptr && WriteProfileRecord(*record, path);
}

bool SaveAllProfiles(const ProfileTable& profiles, const AppSettings& settings) {
    bool all = true;
    for (int slot = 0; slot < kProfileSlots; ++slot) {
        all = WriteProfileFile(profiles, slot, settings.ProfileSlotPath(slot)) && all;
    }
    return all;
}

bool WriteProfileFile(int slot, const std::filesystem::path& path) {
    return WriteProfileFile(AppProfiles, slot, path);
}

bool SaveAllProfiles() {
    return SaveAllProfiles(AppProfiles, AppConfig);
}

} // namespace vexmo
