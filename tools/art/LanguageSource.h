#pragma once
// The language files' editable source: UTF-8, "[Setting]" first, then "n=text" lines, with
// "#" comment lines and blank lines for the editor's sake. The program's file is UTF-16LE with
// a byte-order mark and one line feed per line, and stops at its first empty line, so the
// source is checked strictly: a line the program would stop at fails the build instead.
#include <filesystem>
#include <string>
#include <string_view>

namespace vexmo::art {

inline constexpr int kLanguageEntries = 500;

// Checks `source` and returns the program's file bytes in `out`; false with a message
// ("line 12: ...") in `error`.
bool ConvertLanguageSource(std::string_view source, std::string& out, std::string& error);

} // namespace vexmo::art

namespace vexmo::art {

// Any other text file of the program (the language selection file): UTF-8 lines to UTF-16LE
// with a byte-order mark, with no blank lines and no carriage returns allowed.
bool ConvertPlainText(std::string_view source, std::string& out, std::string& error);

} // namespace vexmo::art
