#include "LanguageSource.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <vector>

namespace vexmo::art {
namespace {

constexpr std::string_view kHeader = "[Setting]";

void PutUnit(std::string& out, uint32_t unit) {
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>(unit >> 8));
}

// Appends the UTF-16LE form of one UTF-8 line; false on a malformed sequence.
bool AppendUtf16(std::string_view text, std::string& out) {
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<uint8_t>(text[i]);
        int extra = 0;
        uint32_t cp = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1, cp = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, cp = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, cp = lead & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<size_t>(extra) >= text.size()) {
            return false;
        }
        for (int k = 1; k <= extra; ++k) {
            const auto cont = static_cast<uint8_t>(text[i + k]);
            if ((cont & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (cont & 0x3F);
        }
        static constexpr std::array<uint32_t, 4> kMinimum = {0, 0x80, 0x800, 0x10000};
        if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        if (cp >= 0x10000) {
            PutUnit(out, 0xD800 + ((cp - 0x10000) >> 10));
            PutUnit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            PutUnit(out, cp);
        }
        i += static_cast<size_t>(extra) + 1;
    }
    return true;
}

bool CheckEntry(std::string_view line, std::vector<bool>& seen, std::string& why) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos || eq == 0 || eq + 1 == line.size()) {
        why = "needs \"number=text\" with both parts non-empty";
        return false;
    }
    int number = -1;
    const auto digits = line.substr(0, eq);
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (ec != std::errc() || end != digits.data() + digits.size() || number < 0 ||
        number >= kLanguageEntries) {
        why = "entry number must be 0 to 499";
        return false;
    }
    if (seen[static_cast<size_t>(number)]) {
        why = "entry " + std::to_string(number) + " is given twice";
        return false;
    }
    seen[static_cast<size_t>(number)] = true;
    return true;
}

} // namespace

bool ConvertLanguageSource(std::string_view source, std::string& out, std::string& error) {
    out.assign("\xFF\xFE");
    std::vector<bool> seen(kLanguageEntries, false);
    bool headerDone = false;
    int lineNumber = 0;
    while (!source.empty()) {
        ++lineNumber;
        const size_t nl = source.find('\n');
        std::string_view line = source.substr(0, nl);
        source = nl == std::string_view::npos ? std::string_view{} : source.substr(nl + 1);
        auto fail = [&](const std::string& why) {
            error = "line " + std::to_string(lineNumber) + ": " + why;
            return false;
        };
        if (line.find('\r') != std::string_view::npos) {
            return fail("carriage return (the file uses line feeds only)");
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (!headerDone) {
            if (line != kHeader) {
                return fail("the first line must be [Setting]");
            }
            headerDone = true;
        } else {
            std::string why;
            if (!CheckEntry(line, seen, why)) {
                return fail(why);
            }
        }
        if (!AppendUtf16(line, out)) {
            return fail("not valid UTF-8");
        }
        PutUnit(out, '\n');
    }
    if (!headerDone) {
        error = "no [Setting] line";
        return false;
    }
    if (!seen[0]) {
        error = "entry 0 (the language's own name) is missing";
        return false;
    }
    return true;
}

} // namespace vexmo::art

namespace vexmo::art {

bool ConvertPlainText(std::string_view source, std::string& out, std::string& error) {
    out.assign("\xFF\xFE");
    int lineNumber = 0;
    while (!source.empty()) {
        ++lineNumber;
        const size_t nl = source.find('\n');
        const std::string_view line = source.substr(0, nl);
        source = nl == std::string_view::npos ? std::string_view{} : source.substr(nl + 1);
        if (line.empty() || line.find('\r') != std::string_view::npos || !AppendUtf16(line, out)) {
            error = "line " + std::to_string(lineNumber) + ": empty, carriage return or not UTF-8";
            return false;
        }
        PutUnit(out, '\n');
    }
    return true;
}

} // namespace vexmo::art
