#include "platform/linux/ReportDescriptor.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>

namespace vexmo {

namespace {

enum ItemType : uint8_t { kMain = 0, kGlobal = 1, kLocal = 2 };

enum MainTag : uint8_t {
    kInput = 0x8,
    kOutput = 0x9,
    kCollection = 0xA,
    kFeature = 0xB,
    kEndCollection = 0xC
};

enum GlobalTag : uint8_t {
    kUsagePage = 0x0,
    kReportSize = 0x7,
    kReportId = 0x8,
    kReportCount = 0x9,
    kPush = 0xA,
    kPop = 0xB
};

enum LocalTag : uint8_t { kUsage = 0x0 };

constexpr uint8_t kLongItemPrefix = 0xFE;
// Deeper global stacks than this only come from hostile descriptors.
constexpr size_t kMaxPushDepth = 64;
constexpr uint64_t kMaxReportBits = uint64_t{std::numeric_limits<uint16_t>::max()} * 8;

struct Globals {
    uint32_t usagePage = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint8_t reportId = 0;
};

// Bits per report ID of one kind (input, output or feature) within one collection.
using BitsById = std::map<uint8_t, uint64_t>;

struct CollectionBuilder {
    HidCollectionCaps caps;
    BitsById input;
    BitsById output;
    BitsById feature;
};

uint16_t ByteLength(const BitsById& bits) {
    uint64_t longest = 0;
    for (const auto& [id, count] : bits) {
        longest = std::max(longest, count);
    }
    if (bits.empty()) {
        return 0;
    }
    const uint64_t bytes = (longest + 7) / 8 + 1; // plus the report ID byte
    return static_cast<uint16_t>(std::min<uint64_t>(bytes, std::numeric_limits<uint16_t>::max()));
}

uint32_t ItemValue(const uint8_t* data, size_t size) {
    uint32_t value = 0;
    for (size_t i = 0; i < size; ++i) {
        value |= uint32_t{data[i]} << (8 * i);
    }
    return value;
}

class Parser {
public:
    ParsedReportDescriptor Run(const uint8_t* bytes, size_t length) {
        size_t at = 0;
        while (at < length) {
            const uint8_t prefix = bytes[at];
            if (prefix == kLongItemPrefix) {
                // Long items carry no information we use: prefix, size, tag, data.
                if (at + 3 > length || at + 3 + bytes[at + 1] > length) {
                    result_.truncated = true;
                    break;
                }
                at += 3 + size_t{bytes[at + 1]};
                continue;
            }
            const size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
            if (at + 1 + size > length) {
                result_.truncated = true;
                break;
            }
            Item(static_cast<uint8_t>(prefix >> 2 & 3), static_cast<uint8_t>(prefix >> 4),
                 ItemValue(bytes + at + 1, size), size);
            at += 1 + size;
        }
        if (current_) {
            Finish();
        }
        return std::move(result_);
    }

private:
    void Item(uint8_t type, uint8_t tag, uint32_t value, size_t size) {
        switch (type) {
        case kMain:
            MainItem(tag);
            usages_.clear();
            break;
        case kGlobal:
            GlobalItem(tag, value);
            break;
        case kLocal:
            if (tag == kUsage) {
                // A four-byte usage names its own page in the high half.
                usages_.push_back(size == 4 ? value : (globals_.usagePage << 16 | (value & 0xFFFF)));
            }
            break;
        default:
            break;
        }
    }

    void MainItem(uint8_t tag) {
        switch (tag) {
        case kCollection:
            if (depth_ == 0) {
                current_ = CollectionBuilder{};
                const uint32_t usage = usages_.empty() ? globals_.usagePage << 16 : usages_.front();
                current_->caps.usagePage = static_cast<uint16_t>(usage >> 16);
                current_->caps.usage = static_cast<uint16_t>(usage & 0xFFFF);
            }
            ++depth_;
            break;
        case kEndCollection:
            if (depth_ == 0) {
                break; // unbalanced: nothing to close
            }
            if (--depth_ == 0 && current_) {
                Finish();
            }
            break;
        case kInput:
            AddBits(&CollectionBuilder::input);
            break;
        case kOutput:
            AddBits(&CollectionBuilder::output);
            break;
        case kFeature:
            AddBits(&CollectionBuilder::feature);
            break;
        default:
            break;
        }
    }

    void GlobalItem(uint8_t tag, uint32_t value) {
        switch (tag) {
        case kUsagePage:
            globals_.usagePage = value & 0xFFFF;
            break;
        case kReportSize:
            globals_.reportSize = value;
            break;
        case kReportCount:
            globals_.reportCount = value;
            break;
        case kReportId:
            globals_.reportId = static_cast<uint8_t>(value);
            result_.usesReportIds = true;
            break;
        case kPush:
            if (stack_.size() < kMaxPushDepth) {
                stack_.push_back(globals_);
            }
            break;
        case kPop:
            if (!stack_.empty()) {
                globals_ = stack_.back();
                stack_.pop_back();
            }
            break;
        default:
            break;
        }
    }

    // Data fields outside every collection belong to no interface and are ignored.
    void AddBits(BitsById CollectionBuilder::*kind) {
        if (!current_) {
            return;
        }
        uint64_t& bits = ((*current_).*kind)[globals_.reportId];
        const uint64_t added = uint64_t{globals_.reportSize} * globals_.reportCount;
        bits = std::min(kMaxReportBits, bits + std::min(added, kMaxReportBits));
    }

    void Finish() {
        CollectionBuilder& c = *current_;
        c.caps.inputReportByteLength = ByteLength(c.input);
        c.caps.outputReportByteLength = ByteLength(c.output);
        c.caps.featureReportByteLength = ByteLength(c.feature);
        for (const auto& [id, bits] : c.input) {
            c.caps.inputReportIds.push_back(id);
        }
        result_.collections.push_back(std::move(c.caps));
        current_.reset();
    }

    ParsedReportDescriptor result_;
    Globals globals_;
    std::vector<Globals> stack_;
    std::vector<uint32_t> usages_;
    std::optional<CollectionBuilder> current_;
    int depth_ = 0;
};

} // namespace

ParsedReportDescriptor ParseReportDescriptor(const uint8_t* bytes, size_t length) {
    if (bytes == nullptr) {
        return {};
    }
    return Parser().Run(bytes, length);
}

} // namespace vexmo
