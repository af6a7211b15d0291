#pragma once
// The names the program shows for virtual-key codes (and its own codes E0-E7 of mouse actions).
#include <array>
#include <cstdint>
#include <string_view>

namespace vexmo {

inline constexpr std::string_view kUndefinedKeyName = "Undefined";

const std::array<std::string_view, 256>& KeyNameTable();
// The name of `virtualKey`; "Undefined" for codes without a key and for anything above 255.
std::string_view KeyName(uint32_t virtualKey);

} // namespace vexmo
