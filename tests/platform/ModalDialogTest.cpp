#include "HeadlessFixture.h"

#include "platform/core/VirtualKeys.h"

namespace vexmo {
namespace {

using Modal = HeadlessTest;

class TestDialog : public CDialog {
public:
    using CDialog::CDialog;
    std::function<void(TestDialog&)> onInit;
    bool OnInitDialog() override {
        MoveWindow({100, 100, 300, 200});
        if (onInit) onInit(*this);
        return true;
    }
};

TEST_F(Modal, DoModalRunsUntilEndDialogWithTheOwnerDisabled) {
    std::vector<Received> log;
    RecordingWnd owner(log);
    ASSERT_TRUE(owner.Open({0, 0, 500, 500}));
    TestDialog dlg(owner.Handle());
    bool ownerEnabledInside = true;
    dlg.onInit = [&](TestDialog& d) {
        screen->Schedule(100, [&] {
            ownerEnabledInside = owner.IsWindowEnabled();
            d.EndDialog(42);
        });
    };
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_FALSE(ownerEnabledInside);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(GetActiveWindow(), owner.Handle());
    EXPECT_EQ(dlg.Handle(), 0u);
}

TEST_F(Modal, NestedDialogsEndInsideOut) {
    std::vector<std::string> trace;
    TestDialog outer;
    outer.onInit = [&](TestDialog& o) {
        screen->Schedule(10, [&] {
            TestDialog inner(o.Handle());
            inner.onInit = [&](TestDialog& i) { screen->Schedule(10, [&] { i.EndDialog(IDCANCEL); }); };
            trace.push_back("inner " + std::to_string(inner.DoModal()));
            o.EndDialog(IDOK);
        });
    };
    trace.push_back("outer " + std::to_string(outer.DoModal()));
    EXPECT_EQ(trace, (std::vector<std::string>{"inner 2", "outer 1"}));
}

TEST_F(Modal, EnterAndEscapeReachOkAndCancelUnlessPreTranslationTakesThem) {
    struct SwallowEscape : TestDialog {
        bool PreTranslateMessage(Message& m) override {
            if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) return true;
            return TestDialog::PreTranslateMessage(m);
        }
    };
    {
        TestDialog dlg;
        dlg.onInit = [&](TestDialog&) { screen->Schedule(5, [&] { screen->Key(VK_ESCAPE); }); };
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    {
        SwallowEscape dlg;
        dlg.onInit = [&](TestDialog&) {
            screen->Schedule(5, [&] { screen->Key(VK_ESCAPE); });
            screen->Schedule(10, [&] { screen->Key(VK_RETURN); });
        };
        EXPECT_EQ(dlg.DoModal(), IDOK);
    }
}

TEST_F(Modal, ClicksOnTheDisabledOwnerAreIgnored) {
    std::vector<Received> log;
    RecordingWnd owner(log);
    ASSERT_TRUE(owner.Open({0, 0, 500, 500}));
    TestDialog dlg(owner.Handle());
    dlg.onInit = [&](TestDialog& d) {
        screen->Schedule(5, [&] { screen->Click({450, 450}); });
        screen->Schedule(10, [&] { d.EndDialog(IDOK); });
    };
    dlg.DoModal();
    EXPECT_TRUE(MessagesOf(log, owner.Handle(), {WM_LBUTTONDOWN, WM_LBUTTONUP}).empty());
}

TEST_F(Modal, QuitInsideAModalLoopEndsItAndReachesTheOuterLoop) {
    TestDialog dlg;
    dlg.onInit = [&](TestDialog&) { screen->Schedule(5, [] { PostQuitMessage(9); }); };
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(RunMessageLoop(), 9);
}

TEST_F(Modal, ALoopWaitingForNothingEndsInsteadOfHanging) {
    screen->SetIdleLimit(1000);
    TestDialog dlg;
    EXPECT_EQ(dlg.DoModal(), -1);
}

} // namespace
} // namespace vexmo
