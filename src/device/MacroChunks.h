#pragma once
// Cutting one macro's event bytes into the reports of command 0x0E: 25 data bytes per report
// after the slot byte, the chunk index in the high nibble of the chunk byte and the chunk
// count in the low one.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vexmo {

inline constexpr size_t kMacroChunkData = 25;
// The low nibble of the chunk byte counts at most 15 chunks.
inline constexpr size_t kMaxMacroChunks = 15;
inline constexpr size_t kMaxMacroDataBytes = kMaxMacroChunks * kMacroChunkData; // 375

struct MacroChunk {
    uint8_t chunkByte = 0;
    uint8_t length = 0;                // 26, or remaining data + 1 on the last chunk
    std::array<uint8_t, 26> payload{}; // slot, then 25 data bytes (zero past the end)
};

// At least one chunk, also for an empty macro. Data past 375 bytes would need a chunk count
// the chunk byte cannot hold, so callers cut macros first (FitMacroEvents); anything beyond
// is ignored here rather than sent with a wrong count.
std::vector<MacroChunk> SplitMacroData(uint8_t slot, std::span<const uint8_t> data);

} // namespace vexmo
