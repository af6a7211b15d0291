#include "sim/StateFormat.h"

#include <sstream>

namespace vexmo::sim {

namespace {

constexpr int kSentLevels = 6;

std::string Hex(const uint8_t* bytes, size_t length) {
    return HexBytes(bytes, length);
}

template <size_t N> std::string Hex(const std::array<uint8_t, N>& bytes) {
    return Hex(bytes.data(), N);
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    return Hex(bytes.data(), bytes.size());
}

std::string HexByte(uint8_t value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    return std::string("0x") + kDigits[value >> 4] + kDigits[value & 0x0F];
}

std::string Faults(const SimFaults& faults) {
    auto count = [](int n) { return n == kAlways ? std::string("always") : std::to_string(n); };
    std::ostringstream out;
    out << "fail-writes " << count(faults.failWrites) << ", fail-reads " << count(faults.failReads)
        << ", empty-replies " << count(faults.emptyReplies) << ", disconnect-after wired "
        << faults.disconnectAfter[0] << " receiver " << faults.disconnectAfter[1];
    return out.str();
}

} // namespace

std::string FormatStateText(const SimSnapshot& s) {
    const MouseConfig& c = s.config;
    std::ostringstream out;
    out << "plugged: wired " << (s.plugged[0] ? "yes" : "no") << ", receiver "
        << (s.plugged[1] ? "yes" : "no") << "\n";
    out << "status: sensor " << HexByte(s.status.sensorCode) << ", battery " << int{s.status.battery}
        << "%, charge " << ChargeName(s.status.charge) << ", link " << (s.status.link ? "on" : "off") << "\n";
    for (int slot = 0; slot < kButtonSlots; ++slot) {
        out << "button " << slot << ": " << Hex(c.buttons[static_cast<size_t>(slot)]) << "\n";
    }
    out << "dpi: enabled mask " << HexByte(c.dpi[1]) << " (" << EnabledLevelCount(c)
        << " levels), active position " << ActiveLevelPosition(c) << ", levels";
    for (int level = 0; level < kSentLevels; ++level) {
        out << " " << LevelDpi(c, level);
    }
    out << "\n";
    out << "dpi colours: " << Hex(c.dpiColours) << "\n";
    out << "report rate: " << RateHz(c.rateCode) << " Hz (code " << int{c.rateCode} << ")\n";
    out << "lighting: " << Hex(c.lighting) << "\n";
    out << "lift-off: " << Hex(c.liftOff) << ", debounce: " << int{c.debounce} << ", power: " << Hex(c.power)
        << ", motion wake-up: " << int{c.motionWakeup} << "\n";
    for (int slot = 0; slot < kMacroSlots; ++slot) {
        const auto& macro = c.macros[static_cast<size_t>(slot)];
        if (macro) {
            out << "macro " << slot << ": " << macro->size() / 3 << " events " << Hex(*macro) << "\n";
        }
    }
    out << "frames: " << s.framesAccepted << " accepted, " << s.framesRejected << " rejected";
    if (!s.lastRejection.empty()) {
        out << " (last: " << s.lastRejection << ")";
    }
    out << "\n";
    out << "faults: " << Faults(s.faults) << "\n";
    return out.str();
}

std::string FormatStateJson(const SimSnapshot& s) {
    const MouseConfig& c = s.config;
    std::ostringstream out;
    out << "{\"plugged\":{\"wired\":" << (s.plugged[0] ? "true" : "false")
        << ",\"receiver\":" << (s.plugged[1] ? "true" : "false") << "},";
    out << "\"status\":{\"sensor\":" << int{s.status.sensorCode} << ",\"battery\":" << int{s.status.battery}
        << ",\"charge\":\"" << ChargeName(s.status.charge)
        << "\",\"link\":" << (s.status.link ? "true" : "false") << "},";
    out << "\"buttons\":[";
    for (int slot = 0; slot < kButtonSlots; ++slot) {
        out << (slot ? "," : "") << "\"" << Hex(c.buttons[static_cast<size_t>(slot)]) << "\"";
    }
    out << "],\"dpi\":{\"block\":\"" << Hex(c.dpi) << "\",\"enabledMask\":" << int{c.dpi[1]}
        << ",\"activePosition\":" << ActiveLevelPosition(c) << ",\"levels\":[";
    for (int level = 0; level < kSentLevels; ++level) {
        out << (level ? "," : "") << LevelDpi(c, level);
    }
    out << "]},\"dpiColours\":\"" << Hex(c.dpiColours) << "\",";
    out << "\"reportRateHz\":" << RateHz(c.rateCode) << ",\"rateCode\":" << int{c.rateCode} << ",";
    out << "\"lighting\":\"" << Hex(c.lighting) << "\",\"liftOff\":\"" << Hex(c.liftOff)
        << "\",\"debounce\":" << int{c.debounce} << ",\"power\":\"" << Hex(c.power)
        << "\",\"motionWakeup\":" << int{c.motionWakeup} << ",";
    out << "\"macros\":{";
    bool first = true;
    for (int slot = 0; slot < kMacroSlots; ++slot) {
        const auto& macro = c.macros[static_cast<size_t>(slot)];
        if (macro) {
            out << (first ? "" : ",") << "\"" << slot << "\":\"" << Hex(*macro) << "\"";
            first = false;
        }
    }
    out << "},\"framesAccepted\":" << s.framesAccepted << ",\"framesRejected\":" << s.framesRejected << "}";
    return out.str();
}

} // namespace vexmo::sim
