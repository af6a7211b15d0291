#include "device/MacroChunks.h"

#include <algorithm>

namespace vexmo {

std::vector<MacroChunk> SplitMacroData(uint8_t slot, std::span<const uint8_t> data) {
    data = data.first(std::min(data.size(), kMaxMacroDataBytes));
    const size_t count = std::max<size_t>(1, (data.size() + kMacroChunkData - 1) / kMacroChunkData);
    std::vector<MacroChunk> chunks(count);
    size_t remaining = data.size();
    for (size_t index = 0; index < count; ++index) {
        MacroChunk& chunk = chunks[index];
        chunk.chunkByte = static_cast<uint8_t>((index << 4) | count);
        const size_t offset = index * kMacroChunkData;
        const size_t take = std::min(remaining, kMacroChunkData);
        chunk.length =
            static_cast<uint8_t>(remaining > kMacroChunkData ? kMacroChunkData + 1 : remaining + 1);
        chunk.payload[0] = slot;
        std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(offset), take, chunk.payload.begin() + 1);
        remaining -= take;
    }
    return chunks;
}

} // namespace vexmo
