#pragma once
// Conversion between the UTF-8 text held in memory and the UTF-16 code units of the
// program's files. Unpaired surrogates survive the round trip (they are held as their
// three-byte generalized UTF-8 form), so a value read from a file is written back byte for byte.
#include <string>
#include <string_view>

namespace vexmo {

std::string Utf16ToUtf8(std::u16string_view units);
std::u16string Utf8ToUtf16(std::string_view text);

} // namespace vexmo
