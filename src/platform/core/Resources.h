#pragma once
// Files embedded into the program at build time, found by numeric id and type.
// The bytes live in the binary's read-only data for the whole process; nothing is copied.
// Build side: cmake/EmbedResources.cmake (vexmo_embed_resources).
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/core/Image.h"

namespace vexmo {

enum class ResourceType : uint8_t { Png = 1, Bitmap = 2, Icon = 3 };

struct ResourceEntry {
    uint32_t id;
    ResourceType type;
    const uint8_t* data;
    size_t size;
};

// The bytes of resource `id` of `type`; empty when there is none.
std::span<const uint8_t> FindResource(uint32_t id, ResourceType type);

// Called by the generated tables before main(); the entries must outlive the process.
// A later table wins over an earlier one for the same id and type.
bool RegisterResources(const ResourceEntry* entries, size_t count);

// Decoded picture resources; an empty image when missing or unreadable.
Image LoadPngResource(uint32_t id);
Image LoadBitmapResource(uint32_t id);
Image LoadIconResource(uint32_t id);

// "PNG", "BITMAP", "ICON" (any case) -> type; false for anything else.
bool ParseResourceType(std::string_view name, ResourceType& type);

} // namespace vexmo
