#pragma once
// The line protocol between the simulated-mouse daemon (vexmo-mousesim) and its clients:
// the simulator HID bus and the daemon's own command line.
//
// A request is one line of words separated by single spaces. A reply is any number of
// "data <text>" lines followed by "ok[ <text>]" or "err <message>". Two requests turn the
// connection into a stream instead:
//   read <path> <connection>  -> "ok", then "input <hex>" per report, "gone" when unplugged
//   watch                     -> "ok", then "arrival <kind>" / "removal <kind>"
// HID requests: list (data "<path> <vid> <pid> <input length> <feature length>", ids in hex),
// open <path> (ok <connection>), set <path> <connection> <hex>, get <path> <connection> <hex>
// (ok <hex>). Reports travel as lowercase hex without separators.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexmo::simbus {

inline constexpr char kPathScheme[] = "sim://";
// Longer lines are refused: no report or command comes near this, only a hostile peer.
inline constexpr size_t kMaxLineLength = 64 * 1024;

// $XDG_RUNTIME_DIR/vexmo-mousesim.sock, else /tmp/vexmo-mousesim-<uid>.sock.
std::filesystem::path DefaultSocketPath();

std::string ToHex(const uint8_t* bytes, size_t length);
// nullopt unless `text` is an even number of hex digits.
std::optional<std::vector<uint8_t>> FromHex(std::string_view text);

std::vector<std::string> SplitWords(std::string_view line);

// A parsed reply.
struct Reply {
    bool ok = false;
    std::string text; // after "ok " or "err "
    std::vector<std::string> data;
};

} // namespace vexmo::simbus
