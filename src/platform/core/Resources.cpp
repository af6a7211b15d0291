#include "platform/core/Resources.h"

#include <algorithm>
#include <cctype>
#include <mutex>
#include <string>
#include <vector>

namespace vexmo {

namespace {
struct Table {
    const ResourceEntry* entries;
    size_t count;
};

// Function-local so registration from other static initialisers is order-safe.
std::vector<Table>& Tables() {
    static std::vector<Table> tables;
    return tables;
}

std::mutex& TablesMutex() {
    static std::mutex mutex;
    return mutex;
}
} // namespace

bool RegisterResources(const ResourceEntry* entries, size_t count) {
    std::lock_guard lock(TablesMutex());
    Tables().push_back({entries, count});
    return true;
}

std::span<const uint8_t> FindResource(uint32_t id, ResourceType type) {
    std::lock_guard lock(TablesMutex());
    const auto& tables = Tables();
    for (auto table = tables.rbegin(); table != tables.rend(); ++table) {
        for (size_t i = 0; i < table->count; ++i) {
            const ResourceEntry& e = table->entries[i];
            if (e.id == id && e.type == type) return {e.data, e.size};
        }
    }
    return {};
}

Image LoadPngResource(uint32_t id) { return DecodeImage(FindResource(id, ResourceType::Png)); }

Image LoadBitmapResource(uint32_t id) { return DecodeImage(FindResource(id, ResourceType::Bitmap)); }

Image LoadIconResource(uint32_t id) { return DecodeImage(FindResource(id, ResourceType::Icon)); }

bool ParseResourceType(std::string_view name, ResourceType& type) {
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (upper == "PNG") type = ResourceType::Png;
    else if (upper == "BITMAP") type = ResourceType::Bitmap;
    else if (upper == "ICON") type = ResourceType::Icon;
    else return false;
    return true;
}

} // namespace vexmo
