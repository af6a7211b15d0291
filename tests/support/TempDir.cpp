#include "support/TempDir.h"

#include "settings/Utf16.h"

namespace vexmo::test {

std::string Utf16Bytes(const std::string& text, bool withMark) {
    std::string bytes = withMark ? std::string("\xFF\xFE", 2) : std::string();
    for (char16_t u : Utf8ToUtf16(text)) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    return bytes;
}

} // namespace vexmo::test
