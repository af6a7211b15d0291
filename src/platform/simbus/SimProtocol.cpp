#include "platform/simbus/SimProtocol.h"

#include <cstdlib>
#include <unistd.h>

namespace vexmo::simbus {

std::filesystem::path DefaultSocketPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') {
        return std::filesystem::path(runtime) / "vexmo-mousesim.sock";
    }
    return std::filesystem::path("/tmp") / ("vexmo-mousesim-" + std::to_string(getuid()) + ".sock");
}

std::string ToHex(const uint8_t* bytes, size_t length) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(length * 2);
    for (size_t i = 0; i < length; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

namespace {
int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}
} // namespace

std::optional<std::vector<uint8_t>> FromHex(std::string_view text) {
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() / 2);
    for (size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<uint8_t>(high << 4 | low));
    }
    return bytes;
}

std::vector<std::string> SplitWords(std::string_view line) {
    std::vector<std::string> words;
    size_t at = 0;
    while (at < line.size()) {
        const size_t space = line.find(' ', at);
        const size_t end = space == std::string_view::npos ? line.size() : space;
        if (end > at) {
            words.emplace_back(line.substr(at, end - at));
        }
        at = end + 1;
    }
    return words;
}

} // namespace vexmo::simbus
