// Keys pressed inside the pages and on the sheet, delivered through the
// sheet's own modal loop.
#include "WizardTestSupport.h"

#include <gtest/gtest.h>

namespace {
typedef QFXWizardSheet S;

bool looksDefault(HWND button)
{
    return (::GetWindowLongA(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
}

// Shows the template's hidden drive list so that the page has a tab stop.
HWND showDriveList(MessagePage& page)
{
    HWND list = ::GetDlgItem(page.m_hWnd, IDC_DRIVE_LIST);
    ::ShowWindow(list, SW_SHOW);
    ::SetFocus(list);
    return list;
}

// Holds a modifier key down in the thread's key state for the keys that follow.
void holdKey(UINT virtualKey, bool down)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[virtualKey] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

class TwoPages : public ::testing::Test {
protected:
    TwoPages() : sheet("Keyboard")
    {
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        second.buttons = S::Back | S::Next | S::Cancel;
    }

    int Run(std::vector<std::function<void()>> steps)
    {
        bool timedOut = false;
        int result = RunDriven(sheet, std::move(steps), &timedOut);
        EXPECT_FALSE(timedOut);
        return result;
    }

    TestMessagePage first;
    TestMessagePage second;
    QFXWizardSheet sheet;
};
}

TEST_F(TwoPages, EscapeInAPageClosesNeitherThePageNorTheSheet)
{
    Run({
        [&] {
            ::SetFocus(first.m_hWnd);
            PostKey(::GetFocus(), VK_ESCAPE);
        },
        [&] {
            ASSERT_TRUE(sheet.m_hWnd);
            EXPECT_TRUE(::IsWindow(first.m_hWnd));
            EXPECT_TRUE(IsShown(first.m_hWnd));
            EXPECT_EQ(0, sheet.GetActiveIndex());
            EXPECT_EQ(0, first.cancelCalls);
            HWND list = showDriveList(first);
            PostKey(list, VK_ESCAPE);
        },
        [&] {
            ASSERT_TRUE(sheet.m_hWnd);
            EXPECT_TRUE(IsShown(first.m_hWnd));
            Click(sheet, S::IdCancel);
        },
    });
}

TEST_F(TwoPages, EnterInAPageReachesTheSheetAndPressesTheDefaultButton)
{
    Run({
        [&] { showDriveList(first); },
        [&] {
            EXPECT_TRUE(looksDefault(sheet.GetButton(S::IdNext))) << "focus on a non-button: Next looks default";
            EXPECT_EQ(nullptr, sheet.FocusedPushButton());
            PostKey(::GetFocus(), VK_RETURN);
        },
        [&] {
            EXPECT_EQ(1, sheet.GetActiveIndex());
            EXPECT_EQ(1, first.nextCalls);
            Click(sheet, S::IdCancel);
        },
    });
}

TEST_F(TwoPages, FocusedPushButtonTakesTheDefaultLook)
{
    Run({
        [&] { ::SetFocus(sheet.GetButton(S::IdCancel)); },
        [&] {
            EXPECT_TRUE(looksDefault(sheet.GetButton(S::IdCancel)));
            EXPECT_FALSE(looksDefault(sheet.GetButton(S::IdNext)));
            EXPECT_EQ(sheet.GetButton(S::IdCancel), sheet.FocusedPushButton());
            showDriveList(first);
        },
        [&] {
            EXPECT_FALSE(looksDefault(sheet.GetButton(S::IdCancel)));
            EXPECT_TRUE(looksDefault(sheet.GetButton(S::IdNext)));
            EXPECT_EQ(nullptr, sheet.FocusedPushButton());
            // Enter on a focused button presses that button, not the default.
            ::SetFocus(sheet.GetButton(S::IdCancel));
        },
        [&] { PostKey(sheet.GetButton(S::IdCancel), VK_RETURN); },
    });
    EXPECT_EQ(0, first.nextCalls);
    EXPECT_EQ(1, first.cancelCalls);
}

TEST_F(TwoPages, MnemonicsPressTheSheetsButtons)
{
    Run({
        [&] {
            HWND list = showDriveList(first);
            // Alt+N arrives as a system character with the Alt bit.
            ::PostMessageA(list, WM_SYSCHAR, 'n', 0x20000001);
        },
        [&] {
            EXPECT_EQ(1, sheet.GetActiveIndex());
            ::SetFocus(second.m_hWnd);
            // A plain character also matches when the focused window does not want it.
            ::PostMessageA(::GetFocus(), WM_CHAR, 'B', 1);
        },
        [&] {
            EXPECT_EQ(0, sheet.GetActiveIndex());
            // Back is disabled on the first page: its mnemonic is skipped.
            HWND list = ::GetDlgItem(first.m_hWnd, IDC_DRIVE_LIST);
            ::SetFocus(list);
            ::PostMessageA(list, WM_SYSCHAR, 'b', 0x20000001);
        },
        [&] {
            EXPECT_EQ(0, sheet.GetActiveIndex());
            Click(sheet, S::IdCancel);
        },
    });
}

TEST_F(TwoPages, CharactersForAnEditAreTypedNotTakenAsMnemonics)
{
    HWND field = nullptr;
    Run({
        [&] {
            field = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 200, 200, 100, 20,
                                      first.m_hWnd, nullptr, nullptr, nullptr);
            ::SetFocus(field);
            ::PostMessageA(field, WM_CHAR, 'n', 1);
        },
        [&] {
            char text[16] = "";
            ::GetWindowTextA(field, text, sizeof text);
            EXPECT_STREQ("n", text);
            EXPECT_EQ(0, sheet.GetActiveIndex()) << "'n' did not press Next";
            Click(sheet, S::IdCancel);
        },
    });
}

TEST_F(TwoPages, TabLeavesThePageForTheSheetsButtons)
{
    Run({
        [&] {
            HWND list = showDriveList(first);
            EXPECT_EQ(list, ::GetFocus());
            PostKey(list, VK_TAB);
        },
        [&] {
            // Back is disabled on the first page, so Next is the next tab stop.
            EXPECT_EQ(sheet.GetButton(S::IdNext), ::GetFocus());
            PostKey(::GetFocus(), VK_TAB);
        },
        [&] {
            EXPECT_EQ(sheet.GetButton(S::IdCancel), ::GetFocus());
            Click(sheet, S::IdCancel);
        },
    });
}

TEST(WizardKeyboard, ShiftTabFromTheFirstButtonReturnsToThePagesLastTabStopAndCtrlTabIsSwallowed)
{
    // The progress template is no control parent, so the platform alone
    // would stop on the page window and then pick the page's first control.
    TestProgressPage page;
    QFXWizardSheet sheet("Shift+Tab");
    sheet.AddPage(&page);
    HWND one = nullptr, two = nullptr;
    bool timedOut = false;
    RunDriven(sheet, {
        [&] {
            for (HWND* button : {&one, &two})
                *button = ::CreateWindowExA(0, "BUTTON", "x", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 20, 20,
                                            page.m_hWnd, nullptr, nullptr, nullptr);
            ::SetFocus(sheet.GetButton(S::IdBack));
            holdKey(VK_SHIFT, true);
            PostKey(sheet.GetButton(S::IdBack), VK_TAB);
        },
        [&] {
            holdKey(VK_SHIFT, false);
            EXPECT_EQ(two, ::GetFocus()) << "Shift+Tab from Back lands on the page's last tab stop";
            ::SetFocus(sheet.GetButton(S::IdNext));
            holdKey(VK_CONTROL, true);
            PostKey(sheet.GetButton(S::IdNext), VK_TAB);
        },
        [&] {
            holdKey(VK_CONTROL, false);
            EXPECT_EQ(sheet.GetButton(S::IdNext), ::GetFocus()) << "Ctrl+Tab moves nothing";
            Click(sheet, S::IdCancel);
        },
    }, &timedOut);
    EXPECT_FALSE(timedOut);
}

TEST_F(TwoPages, EnterInAWantReturnEditIsALineBreakAndInAPlainEditPressesNext)
{
    HWND memo = nullptr, field = nullptr;
    Run({
        [&] {
            memo = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN,
                                     200, 150, 100, 40, first.m_hWnd, nullptr, nullptr, nullptr);
            field = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 200, 200, 100, 20,
                                      first.m_hWnd, nullptr, nullptr, nullptr);
            ::SetFocus(memo);
            ::PostMessageA(memo, WM_KEYDOWN, VK_RETURN, 1);
        },
        [&] {
            char text[16] = "";
            ::GetWindowTextA(memo, text, sizeof text);
            EXPECT_STREQ("\r\n", text);
            EXPECT_EQ(0, sheet.GetActiveIndex());
            ::SetFocus(field);
            ::PostMessageA(field, WM_KEYDOWN, VK_RETURN, 1);
        },
        [&] {
            EXPECT_EQ(1, sheet.GetActiveIndex());
            Click(sheet, S::IdCancel);
        },
    });
}
