#include "sim/ReportLog.h"

namespace vexmo::sim {

std::string_view DirectionName(ReportDirection direction) {
    switch (direction) {
    case ReportDirection::Get:
        return "get";
    case ReportDirection::Input:
        return "input";
    case ReportDirection::Set:
        break;
    }
    return "set";
}

std::string HexBytes(const uint8_t* bytes, size_t length) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(length * 2);
    for (size_t i = 0; i < length; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

std::string FormatLogLine(const LoggedReport& report) {
    std::string line = std::to_string(report.ms);
    line += ' ';
    line += KindName(report.kind);
    line += ' ';
    line += DirectionName(report.direction);
    line += ' ';
    line += HexBytes(report.bytes.data(), report.bytes.size());
    return line;
}

} // namespace vexmo::sim
