#pragma once
// Numbers at the start of a text, read as the C library's atoi reads them: blanks, an optional
// sign, then digits up to the first other character. Every file reader uses this one rule.
#include <string_view>

namespace vexmo {

// Saturates at INT_MAX (or its negative) instead of overflowing on a long run of digits.
int DecimalValue(std::string_view text);

} // namespace vexmo
