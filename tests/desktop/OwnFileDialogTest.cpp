// Our own file dialog (used when the desktop has no dialog program): the path line starts
// with the folder and name, Enter accepts only a usable path, Escape cancels.
#include <gtest/gtest.h>

#include "platform/HeadlessFixture.h"
#include "platform/core/VirtualKeys.h"
#include "platform/desktop/OwnFileDialog.h"
#include "support/TempDir.h"

namespace vexmo {
namespace {

class OwnFileDialogTest : public HeadlessTest {};

TEST_F(OwnFileDialogTest, AcceptsOnlyUsablePaths) {
    test::TempDir dir;
    test::WriteBytes(dir / "a.psf", "x");
    using Status = FileDialogAnswer::Status;
    struct Case {
        const char* name;
        bool save;
        const char* initialName;
        std::function<void(HeadlessBackend&)> keys;
        Status status;
        const char* chosen; // inside dir
    };
    const auto enter = [](HeadlessBackend& s) { s.Key(VK_RETURN, "\r"); };
    const Case cases[] = {
        {"open an existing file", false, "a.psf", enter, Status::Chosen, "a.psf"},
        {"open a missing file is refused, then escape", false, "b.psf",
         [&](HeadlessBackend& s) {
             enter(s);
             s.Key(VK_ESCAPE);
         },
         Status::Cancelled, ""},
        {"typing fixes the name", false, "b.psf",
         [&](HeadlessBackend& s) {
             enter(s);
             s.Key(VK_END);
             for (int i = 0; i < 5; ++i)
                 s.Key(VK_BACK);
             for (char c : std::string("a.psf"))
                 s.Key(0, std::string(1, c));
             enter(s);
         },
         Status::Chosen, "a.psf"},
        {"save a new name", true, "new", enter, Status::Chosen, "new"},
        {"save into a missing folder is refused", true, "no/such",
         [&](HeadlessBackend& s) {
             enter(s);
             s.Key(VK_ESCAPE);
         },
         Status::Cancelled, ""},
    };
    for (const Case& c : cases) {
        FileDialogRequest request{c.save, "Title",       "psf file(*.psf)|*.psf||",
                                  "psf",  c.initialName, dir.path()};
        screen->Schedule(10, [&] { c.keys(*screen); });
        const FileDialogAnswer answer = RunOwnFileDialog(request);
        EXPECT_EQ(answer.status, c.status) << c.name;
        if (c.status == Status::Chosen)
            EXPECT_EQ(answer.path, dir.path() / c.chosen) << c.name;
    }
}

} // namespace
} // namespace vexmo
