// The edit box inside an owner window on the headless desktop: typing (any Unicode), editing
// keys, Shift and mouse selection, the clipboard keys, EN_CHANGE after each change, the
// owner's pre-translation taking a key first, show/hide/move, and what it paints.
#include <gtest/gtest.h>

#include "platform/HeadlessFixture.h"
#include "platform/core/TextLayout.h"
#include "platform/core/VirtualKeys.h"
#include "platform/desktop/Clipboard.h"
#include "platform/desktop/EditBox.h"

namespace vexmo {
namespace {

constexpr uint32_t kEditId = 2017;
constexpr Rect kEditRect{20, 20, 220, 44};

// An owner that does what the dialogs do: pre-translation first (Enter swallowed), then the
// box gets the message, and it paints the box over its own background.
class OwnerWnd : public CWnd {
public:
    CEditBox edit;
    int changes = 0;
    int enterSeen = 0;

    bool PreTranslateMessage(Message& m) override {
        if (m.message == WM_KEYDOWN && m.wParam == VK_RETURN) {
            ++enterSeen;
            return true;
        }
        return CWnd::PreTranslateMessage(m);
    }
    LRESULT WindowProc(uint32_t message, WPARAM wParam, LPARAM lParam) override {
        if (message == kEditId && lParam == EN_CHANGE)
            ++changes;
        if (edit.RouteMessage({Handle(), message, wParam, lParam}))
            return 0;
        return CWnd::WindowProc(message, wParam, lParam);
    }

protected:
    void OnPaint(CCanvas& dc) override {
        dc.FillSolidRect(GetClientRect(), RGB(40, 40, 40));
        edit.Paint(dc);
    }
};

class EditBoxTest : public HeadlessTest {
protected:
    OwnerWnd owner;

    void SetUp() override {
        HeadlessTest::SetUp();
        ASSERT_TRUE(owner.CreateEx(0, "owner", WS_POPUP | WS_VISIBLE, {100, 100, 400, 200}));
        owner.SetForegroundWindow();
        ASSERT_TRUE(owner.edit.Create(WS_CHILD | WS_VISIBLE | ES_CENTER, kEditRect, &owner, kEditId));
        owner.edit.SetFocus();
        screen->RunUntilIdle();
        owner.changes = 0;
    }
    void TearDown() override {
        ReleaseClipboard();
        HeadlessTest::TearDown();
    }
    void Type(const std::string& text) {
        for (char32_t c : DecodeUtf8(text))
            screen->Key(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : 0, Utf8(c));
        screen->RunUntilIdle();
    }
    void Keys(std::initializer_list<uint32_t> keys) {
        for (uint32_t k : keys)
            screen->Key(k);
        screen->RunUntilIdle();
    }
    void WithModifier(uint32_t modifier, std::initializer_list<uint32_t> keys) {
        screen->KeyDown(modifier);
        for (uint32_t k : keys)
            screen->Key(k);
        screen->KeyUp(modifier);
        screen->RunUntilIdle();
    }
    std::string Text() const { return owner.edit.GetWindowText(); }
    std::pair<int, int> Sel() const {
        int a = 0, b = 0;
        owner.edit.GetSel(a, b);
        return {a, b};
    }
};

TEST_F(EditBoxTest, TypingUnicodeReportsEachChange) {
    Type("ab é中😀");
    EXPECT_EQ(Text(), "ab é中😀");
    EXPECT_EQ(owner.changes, 6);
    EXPECT_EQ(Sel(), std::make_pair(6, 6));
}

TEST_F(EditBoxTest, EditingKeys) {
    struct Case {
        const char* name;
        std::function<void()> act;
        const char* text;
        std::pair<int, int> sel;
    };
    const Case cases[] = {
        {"backspace at end", [&] { Keys({VK_BACK}); }, "abc", {3, 3}},
        {"home then delete",
         [&] {
             Keys({VK_HOME, VK_DELETE});
         },
         "bcd",
         {0, 0}},
        {"left twice then type",
         [&] {
             Keys({VK_LEFT, VK_LEFT});
             Type("X");
         },
         "abXcd",
         {3, 3}},
        {"backspace at start does nothing",
         [&] {
             Keys({VK_HOME, VK_BACK});
         },
         "abcd",
         {0, 0}},
        {"delete at end does nothing",
         [&] {
             Keys({VK_END, VK_DELETE});
         },
         "abcd",
         {4, 4}},
        {"right past the end stays",
         [&] {
             Keys({VK_RIGHT, VK_RIGHT});
         },
         "abcd",
         {4, 4}},
        {"shift+home selects, typing replaces",
         [&] {
             WithModifier(VK_LSHIFT, {VK_LEFT, VK_LEFT});
             Type("Z");
         },
         "abZ",
         {3, 3}},
        {"shift selection then right collapses to its end",
         [&] {
             WithModifier(VK_SHIFT, {VK_HOME});
             Keys({VK_RIGHT});
         },
         "abcd",
         {4, 4}},
        {"selection then backspace",
         [&] {
             WithModifier(VK_SHIFT, {VK_LEFT, VK_LEFT, VK_LEFT});
             Keys({VK_BACK});
         },
         "a",
         {1, 1}},
    };
    for (const Case& c : cases) {
        owner.edit.SetWindowText("abcd");
        owner.edit.SetSel(4, 4);
        c.act();
        EXPECT_EQ(Text(), c.text) << c.name;
        EXPECT_EQ(Sel(), c.sel) << c.name;
    }
}

TEST_F(EditBoxTest, ClipboardKeys) {
    owner.edit.SetWindowText("hello world");
    owner.edit.SetSel(0, 5);
    WithModifier(VK_LCONTROL, {'C'});
    EXPECT_EQ(GetClipboardText(), std::optional<std::string>("hello"));
    Keys({VK_END});
    WithModifier(VK_CONTROL, {'V'});
    EXPECT_EQ(Text(), "hello worldhello");
    WithModifier(VK_CONTROL, {'A'});
    EXPECT_EQ(Sel(), std::make_pair(0, 16));
    WithModifier(VK_CONTROL, {'X'});
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(GetClipboardText(), std::optional<std::string>("hello worldhello"));
    // Ctrl+letter types nothing, and a pasted line break never enters the line.
    SetClipboardText("a\nb");
    WithModifier(VK_CONTROL, {'V'});
    EXPECT_EQ(Text(), "ab");
}

TEST_F(EditBoxTest, PreTranslationTakesEnterFirst) {
    owner.edit.SetWindowText("50");
    owner.changes = 0;
    screen->Key(VK_RETURN, "\r");
    screen->RunUntilIdle();
    EXPECT_EQ(owner.enterSeen, 1);
    EXPECT_EQ(Text(), "50");
    EXPECT_EQ(owner.changes, 0);
}

TEST_F(EditBoxTest, MouseSelectsAndAPressElsewhereTakesTheFocus) {
    owner.edit.SetWindowText("abcdefgh");
    owner.edit.KillFocus();
    const int y = 100 + (kEditRect.top + kEditRect.bottom) / 2;
    // Drag from the far left of the text to past its end: everything is selected.
    const int left = 100 + kEditRect.left + 1;
    screen->MoveMouse({left, y});
    screen->Press();
    screen->MoveMouse({100 + kEditRect.right - 2, y});
    screen->Release();
    screen->RunUntilIdle();
    EXPECT_TRUE(owner.edit.HasFocus());
    EXPECT_EQ(Sel(), std::make_pair(0, 8));
    // The index under the pointer follows the text's own measure.
    EXPECT_EQ(owner.edit.IndexAtX(kEditRect.left), 0);
    EXPECT_EQ(owner.edit.IndexAtX(kEditRect.right), 8);
    screen->Click({100 + 5, 100 + 80});
    screen->RunUntilIdle();
    EXPECT_FALSE(owner.edit.HasFocus());
    Type("x");
    EXPECT_EQ(Text(), "abcdefgh"); // no focus, no typing
}

TEST_F(EditBoxTest, HiddenBoxTakesNothingAndPaintsNothing) {
    owner.edit.SetColors(RGB(0, 0, 0), RGB(255, 255, 255));
    owner.UpdateWindow();
    EXPECT_EQ(screen->Screenshot().GetPixel(100 + kEditRect.left + 1, 100 + kEditRect.top + 1),
              RGB(255, 255, 255));
    owner.edit.ShowWindow(SW_HIDE);
    EXPECT_FALSE(owner.edit.HasFocus());
    Type("q");
    EXPECT_EQ(Text(), "");
    owner.UpdateWindow();
    EXPECT_EQ(screen->Screenshot().GetPixel(100 + kEditRect.left + 1, 100 + kEditRect.top + 1),
              RGB(40, 40, 40));
    owner.edit.ShowWindow(SW_SHOW);
    owner.edit.MoveWindow(kEditRect.Offset(0, 40));
    owner.UpdateWindow();
    EXPECT_EQ(screen->Screenshot().GetPixel(100 + kEditRect.left + 1, 100 + kEditRect.top + 41),
              RGB(255, 255, 255));
    EXPECT_EQ(screen->Screenshot().GetPixel(100 + kEditRect.left + 1, 100 + kEditRect.top + 1),
              RGB(40, 40, 40));
}

TEST_F(EditBoxTest, TextIsCentredAndDrawnInTheOwnersColour) {
    owner.edit.SetColors(RGB(0, 0, 0), RGB(255, 255, 255));
    owner.edit.KillFocus();
    owner.edit.SetWindowText("WWW");
    owner.UpdateWindow();
    const CCanvas shot = screen->Screenshot();
    int first = -1, last = -1;
    for (int x = kEditRect.left; x < kEditRect.right; ++x) {
        for (int y = kEditRect.top; y < kEditRect.bottom; ++y) {
            if (shot.GetPixel(100 + x, 100 + y) != RGB(255, 255, 255)) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    ASSERT_GE(first, 0) << "no text drawn";
    const int leftGap = first - kEditRect.left;
    const int rightGap = kEditRect.right - 1 - last;
    EXPECT_LE(std::abs(leftGap - rightGap), 4) << leftGap << " " << rightGap;
}

TEST_F(EditBoxTest, LongTextScrollsToKeepTheCaretInView) {
    owner.edit.SetWindowText(std::string(60, 'W'));
    Keys({VK_END});
    EXPECT_EQ(owner.edit.IndexAtX(kEditRect.right - 2), 60);
    EXPECT_GT(owner.edit.IndexAtX(kEditRect.left + 2), 0); // the start has scrolled out
    Keys({VK_HOME});
    EXPECT_EQ(owner.edit.IndexAtX(kEditRect.left + 2), 0);
}

TEST_F(EditBoxTest, SetWindowTextReportsAChangeAndSetSelClamps) {
    owner.edit.SetWindowText("255");
    EXPECT_EQ(owner.changes, 1);
    owner.edit.SetSel(-1, 0);
    EXPECT_EQ(Sel(), std::make_pair(0, 0));
    owner.edit.SetSel(0, -1);
    EXPECT_EQ(Sel(), std::make_pair(0, 3));
    owner.edit.SetSel(10, 10);
    EXPECT_EQ(Sel(), std::make_pair(3, 3));
}

} // namespace
} // namespace vexmo
