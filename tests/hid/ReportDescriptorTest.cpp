#include "platform/linux/ReportDescriptor.h"

#include <gtest/gtest.h>
#include <vector>

namespace vexmo {
namespace {

ParsedReportDescriptor Parse(const std::vector<uint8_t>& bytes) {
    return ParseReportDescriptor(bytes.data(), bytes.size());
}

// A boot-protocol mouse: one collection, no report IDs; 3 buttons + 5 padding bits, X, Y, wheel.
const std::vector<uint8_t> kBootMouse = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00,             // Mouse / Pointer
    0x05, 0x09, 0x19, 0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01,             // buttons 1-3
    0x95, 0x03, 0x75, 0x01, 0x81, 0x02, 0x95, 0x01, 0x75, 0x05, 0x81, 0x03, // 3 bits + 5 pad
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x09, 0x38, 0x15, 0x81, 0x25, 0x7F, // X, Y, wheel
    0x75, 0x08, 0x95, 0x03, 0x81, 0x06, 0xC0, 0xC0,
};

// The mouse's vendor interface: an input collection (ID 05) and a feature collection (ID 0C),
// 32 data bytes each, on one node.
const std::vector<uint8_t> kVendorPair = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,                         // vendor page, usage 1
    0x85, 0x05, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x20, // ID 5, 32 bytes
    0x09, 0x01, 0x81, 0x02, 0xC0,                                     // input
    0x06, 0x00, 0xFF, 0x09, 0x02, 0xA1, 0x01,                         // vendor page, usage 2
    0x85, 0x0C, 0x75, 0x08, 0x95, 0x20, 0x09, 0x02, 0xB1, 0x02, 0xC0, // ID 0C, feature
};

// A keyboard node: keys with LED output (ID 1), consumer keys (ID 2), system control (ID 3).
const std::vector<uint8_t> kKeyboardWithIds = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x01, // Keyboard, ID 1
    0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95,
    0x08, 0x81, 0x02, 0x95, 0x01, 0x75, 0x08, 0x81, 0x03,                   // reserved byte
    0x95, 0x05, 0x75, 0x01, 0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x91, 0x02, // 5 LEDs
    0x95, 0x01, 0x75, 0x03, 0x91, 0x03,                                     // LED padding
    0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x65, 0x05, 0x07, 0x19, 0x00, 0x29,
    0x65, 0x81, 0x00, 0xC0, 0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x02, // Consumer, ID 2
    0x15, 0x00, 0x26, 0xFF, 0x03, 0x19, 0x00, 0x2A, 0xFF, 0x03, 0x75, 0x10, 0x95,
    0x01, 0x81, 0x00, 0xC0, 0x05, 0x01, 0x09, 0x80, 0xA1, 0x01, 0x85, 0x03, // System control, ID 3
    0x19, 0x81, 0x29, 0x83, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x03, 0x81,
    0x02, 0x95, 0x05, 0x81, 0x01, 0xC0,
};

TEST(ReportDescriptor, RealWorldShapes) {
    struct Expected {
        uint16_t usagePage, usage, input, output, feature;
    };
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        bool usesIds;
        std::vector<Expected> collections;
    };
    const std::vector<Case> cases = {
        {"boot mouse", kBootMouse, false, {{0x01, 0x02, 5, 0, 0}}},
        {"vendor input and feature collections",
         kVendorPair,
         true,
         {{0xFF00, 0x01, 33, 0, 0}, {0xFF00, 0x02, 0, 0, 33}}},
        {"keyboard, consumer and system control",
         kKeyboardWithIds,
         true,
         {{0x01, 0x06, 9, 2, 0}, {0x0C, 0x01, 3, 0, 0}, {0x01, 0x80, 2, 0, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ParsedReportDescriptor parsed = Parse(c.bytes);
        EXPECT_FALSE(parsed.truncated);
        EXPECT_EQ(parsed.usesReportIds, c.usesIds);
        ASSERT_EQ(parsed.collections.size(), c.collections.size());
        for (size_t i = 0; i < c.collections.size(); ++i) {
            SCOPED_TRACE(i);
            const HidCollectionCaps& got = parsed.collections[i];
            EXPECT_EQ(got.usagePage, c.collections[i].usagePage);
            EXPECT_EQ(got.usage, c.collections[i].usage);
            EXPECT_EQ(got.inputReportByteLength, c.collections[i].input);
            EXPECT_EQ(got.outputReportByteLength, c.collections[i].output);
            EXPECT_EQ(got.featureReportByteLength, c.collections[i].feature);
        }
    }
}

TEST(ReportDescriptor, LongestReportIdSetsTheLength) {
    // Two input reports in one collection: ID 1 with 4 bytes, ID 2 with 10 bytes.
    const std::vector<uint8_t> bytes = {
        0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x85, 0x01, 0x95, 0x04,
        0x09, 0x01, 0x81, 0x02, 0x85, 0x02, 0x95, 0x0A, 0x09, 0x01, 0x81, 0x02, 0xC0,
    };
    const auto parsed = Parse(bytes);
    ASSERT_EQ(parsed.collections.size(), 1u);
    EXPECT_EQ(parsed.collections[0].inputReportByteLength, 11);
    EXPECT_EQ(parsed.collections[0].inputReportIds, (std::vector<uint8_t>{1, 2}));
}

TEST(ReportDescriptor, LongItemsPushPopAndWideUsages) {
    const std::vector<uint8_t> bytes = {
        0x0B, 0x02, 0x00, 0xA0, 0xFF,                   // four-byte usage: page FFA0, usage 0002
        0xA1, 0x01, 0xFE, 0x03, 0x10, 0xAA, 0xBB, 0xCC, // long item, skipped whole
        0x75, 0x08, 0x95, 0x04, 0xA4,                   // 4 bytes, push
        0x95, 0x10, 0xB1, 0x02,                         // feature of 16 bytes
        0xB4, 0x81, 0x02,                               // pop back to 4 bytes: input of 4
        0xC0,
    };
    const auto parsed = Parse(bytes);
    ASSERT_EQ(parsed.collections.size(), 1u);
    EXPECT_EQ(parsed.collections[0].usagePage, 0xFFA0);
    EXPECT_EQ(parsed.collections[0].usage, 0x0002);
    EXPECT_EQ(parsed.collections[0].featureReportByteLength, 17);
    EXPECT_EQ(parsed.collections[0].inputReportByteLength, 5);
}

TEST(ReportDescriptor, MalformedDescriptorsKeepWhatTheySaidClearly) {
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        size_t collections;
        bool truncated;
    };
    std::vector<uint8_t> cutShort = kVendorPair;
    cutShort.push_back(0x27); // four-byte logical maximum with no data
    std::vector<uint8_t> cutLongItem = kBootMouse;
    cutLongItem.insert(cutLongItem.end(), {0xFE, 0x40, 0x00, 0x01});
    const std::vector<Case> cases = {
        {"empty", {}, 0, false},
        {"item cut short after two collections", cutShort, 2, true},
        {"long item running past the end", cutLongItem, 1, true},
        {"end collection without collection", {0xC0, 0xC0, 0x75, 0x08, 0x95, 0x02, 0x81, 0x02}, 0, false},
        {"collection never closed",
         {0x06, 0x00, 0xFF, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x02, 0x81, 0x02},
         1,
         false},
        {"only a prefix byte", {0x05}, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = Parse(c.bytes);
        EXPECT_EQ(parsed.collections.size(), c.collections);
        EXPECT_EQ(parsed.truncated, c.truncated);
    }
    const auto unclosed = Parse(cases[4].bytes);
    EXPECT_EQ(unclosed.collections[0].inputReportByteLength, 3);
    EXPECT_EQ(ParseReportDescriptor(nullptr, 10).collections.size(), 0u);
}

TEST(ReportDescriptor, HugeFieldsSaturateInsteadOfWrapping) {
    // Report size and count of 0xFFFFFFFF each: the product overflows 32 and nearly 64 bits.
    const std::vector<uint8_t> bytes = {
        0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF,
        0xFF, 0xFF, 0x81, 0x02, 0x81, 0x02, 0x81, 0x02, 0xC0,
    };
    const auto parsed = Parse(bytes);
    ASSERT_EQ(parsed.collections.size(), 1u);
    EXPECT_EQ(parsed.collections[0].inputReportByteLength, 0xFFFF);
}

TEST(ReportDescriptor, NestedCollectionsBelongToTheirTopLevelOne) {
    // Application collection holding a logical one: one interface, both fields counted.
    const std::vector<uint8_t> bytes = {
        0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xA1, 0x02,
        0x95, 0x02, 0x81, 0x02, 0xC0, 0xC0, 0x75, 0x08, 0x95, 0x07, 0x81, 0x02, // outside every collection:
                                                                                // no interface has it
    };
    const auto parsed = Parse(bytes);
    ASSERT_EQ(parsed.collections.size(), 1u);
    EXPECT_EQ(parsed.collections[0].inputReportByteLength, 4);
}

} // namespace
} // namespace vexmo
