#include "platform/core/Resources.h"

#include <gtest/gtest.h>

#include <string>

namespace vexmo {
namespace {

std::string AsString(std::span<const uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

TEST(Resources, FindsEmbeddedBytesByIdAndType) {
    EXPECT_EQ(AsString(FindResource(7, ResourceType::Png)), std::string("hello\0world\n", 12));
    EXPECT_EQ(AsString(FindResource(9, ResourceType::Icon)), std::string("hello\0world\n", 12));
    EXPECT_TRUE(FindResource(7, ResourceType::Bitmap).empty());
}

TEST(Resources, MissingIdOrTypeIsEmpty) {
    EXPECT_TRUE(FindResource(8, ResourceType::Png).empty());
    EXPECT_TRUE(FindResource(9, ResourceType::Png).empty());
}

TEST(Resources, ParsesTypeNames) {
    ResourceType t{};
    EXPECT_TRUE(ParseResourceType("png", t));
    EXPECT_EQ(t, ResourceType::Png);
    EXPECT_TRUE(ParseResourceType("BITMAP", t));
    EXPECT_EQ(t, ResourceType::Bitmap);
    EXPECT_FALSE(ParseResourceType("jpeg", t));
}

} // namespace
} // namespace vexmo
