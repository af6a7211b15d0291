// The CLIPBOARD selection under a real X server: text set by one connection is read by
// another (as another program would), in UTF-8; taking it over elsewhere is noticed.
#include "platform/XvfbEnvironment.h"

#include "platform/desktop/Clipboard.h"

namespace vexmo {
namespace {

const auto* const kXvfb = ::testing::AddGlobalTestEnvironment(new XvfbEnvironment);

TEST(X11ClipboardTest, TextCrossesBetweenConnections) {
    auto first = CreateX11ClipboardSource();
    auto second = CreateX11ClipboardSource();
    first->SetText("Grüße 中文");
    EXPECT_EQ(first->GetText(), std::optional<std::string>("Grüße 中文"));
    EXPECT_EQ(second->GetText(), std::optional<std::string>("Grüße 中文"));
    second->SetText("taken");
    EXPECT_EQ(second->GetText(), std::optional<std::string>("taken"));
    EXPECT_EQ(first->GetText(), std::optional<std::string>("taken"));
}

} // namespace
} // namespace vexmo
