// The sheet's buttons and layout, measured on real windows while DoModal runs.
#include "WizardTestSupport.h"

#include "AfxMessages.h"
#include "WizardResource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
typedef QFXWizardSheet S;

struct ButtonState {
    bool shown;
    bool enabled;
};

ButtonState state(QFXWizardSheet& sheet, UINT id)
{
    HWND button = sheet.GetButton(id);
    return {IsShown(button), IsEnabled(button)};
}

void expectButton(QFXWizardSheet& sheet, UINT id, bool shown, bool enabled, const char* what)
{
    ButtonState s = state(sheet, id);
    EXPECT_EQ(shown, s.shown) << what << ": button " << id << " shown";
    if (shown) {
        EXPECT_EQ(enabled, s.enabled) << what << ": button " << id << " enabled";
    }
}
}

TEST(WizardButtons, FlagsShowAndEnableAndFinishModeSticks)
{
    TestMessagePage page;
    page.buttons = S::Next | S::Cancel;
    QFXWizardSheet sheet("Buttons");
    sheet.AddPage(&page);
    bool timedOut = false;
    int result = RunDriven(sheet, {
        [&] {
            expectButton(sheet, S::IdBack, true, false, "6");
            expectButton(sheet, S::IdNext, true, true, "6");
            expectButton(sheet, S::IdCancel, true, true, "6");
            expectButton(sheet, S::IdFinish, false, false, "6");
            expectButton(sheet, S::IdHelp, false, false, "6");
            EXPECT_FALSE(IsEnabled(sheet.GetButton(S::IdHelp))) << "no help file: Help disabled";
            sheet.SetWizardButtons(S::Back | S::Next | S::Cancel);
            expectButton(sheet, S::IdBack, true, true, "7");
            expectButton(sheet, S::IdNext, true, true, "7");
            expectButton(sheet, S::IdCancel, true, true, "7");
            sheet.SetWizardButtons(0);
            expectButton(sheet, S::IdBack, false, false, "0");
            expectButton(sheet, S::IdNext, false, false, "0");
            expectButton(sheet, S::IdCancel, true, false, "0");
            expectButton(sheet, S::IdFinish, false, false, "0");
            sheet.SetWizardButtons(S::Finish);
            expectButton(sheet, S::IdFinish, true, true, "8");
            expectButton(sheet, S::IdCancel, false, false, "8");
            expectButton(sheet, S::IdBack, false, false, "8");
            expectButton(sheet, S::IdNext, false, false, "8");
            sheet.SetWizardButtons(S::Next | S::Cancel);
            expectButton(sheet, S::IdFinish, true, true, "6 after 8");
            expectButton(sheet, S::IdCancel, false, false, "6 after 8");
            expectButton(sheet, S::IdNext, true, true, "6 after 8");
        },
        [&] { Click(sheet, S::IdFinish); },
    }, &timedOut);
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(1, result);
}

TEST(WizardButtons, CaptionsComeFromTheStringResources)
{
    TestMessagePage page;
    QFXWizardSheet sheet("Captions");
    sheet.AddPage(&page);
    bool timedOut = false;
    RunDriven(sheet, {[&] {
        char text[64];
        const struct { UINT id; const char* caption; } expected[] = {
            {S::IdBack, "< &Back"}, {S::IdNext, "&Next >"}, {S::IdFinish, "&Finish"},
            {S::IdCancel, "Cancel"}, {S::IdHelp, "&Help"}};
        for (const auto& e : expected) {
            ::GetWindowTextA(sheet.GetButton(e.id), text, sizeof text);
            EXPECT_STREQ(e.caption, text);
        }
        Click(sheet, S::IdCancel);
    }}, &timedOut);
    EXPECT_FALSE(timedOut);
}

TEST(WizardButtons, LayoutMatchesThePageDialogUnits)
{
    TestMessagePage page;
    QFXWizardSheet sheet("Layout");
    sheet.AddPage(&page);
    bool timedOut = false;
    RunDriven(sheet, {[&] {
        HWND pageWindow = page.m_hWnd;
        RECT units = {0, 0, 50, 14};
        ::MapDialogRect(pageWindow, &units);
        // WizardTests.rc gives Finish and Cancel 62 units instead of 50.
        RECT wide = {0, 0, 62, 0};
        ::MapDialogRect(pageWindow, &wide);
        int cw = wide.right;
        RECT small = {4, 4, 0, 0};
        ::MapDialogRect(pageWindow, &small);
        // The page's frame as the template's caption and border would make it.
        RECT templateSize = {0, 0, 294, 174};
        ::MapDialogRect(pageWindow, &templateSize);
        ::AdjustWindowRectEx(&templateSize, 0x48C00440, FALSE, 0);
        ::OffsetRect(&templateSize, -templateSize.left, -templateSize.top);
        int bw = units.right, bh = units.bottom, mx = small.left, my = small.top, gap = small.left;
        int w0 = templateSize.right;
        int h0 = templateSize.bottom - ::GetSystemMetrics(SM_CYCAPTION) + 1;

        RECT client;
        ::GetClientRect(sheet.m_hWnd, &client);
        int expectedWidth = std::max(w0 + 2 * mx + 3, 2 * bw + cw + 2 * mx + gap);
        EXPECT_EQ(expectedWidth, client.right);
        EXPECT_GE(client.right, w0 + 2 * mx + 3);
        EXPECT_EQ(3 * my + h0 + 4 + bh, client.bottom);

        RECT p = RectIn(pageWindow, sheet.m_hWnd);
        EXPECT_EQ(mx + 1, p.left);
        EXPECT_EQ(my, p.top);
        EXPECT_EQ(client.right - 2 * mx - 3, p.right - p.left);
        EXPECT_EQ(h0, p.bottom - p.top);

        RECT back = RectIn(sheet.GetButton(S::IdBack), sheet.m_hWnd);
        RECT next = RectIn(sheet.GetButton(S::IdNext), sheet.m_hWnd);
        RECT cancel = RectIn(sheet.GetButton(S::IdCancel), sheet.m_hWnd);
        RECT finish = RectIn(sheet.GetButton(S::IdFinish), sheet.m_hWnd);
        int y = 2 * my + h0 + 4;
        for (const RECT* r : {&back, &next, &cancel, &finish}) {
            EXPECT_EQ(y, r->top);
            EXPECT_EQ(bh, r->bottom - r->top);
            EXPECT_EQ(r == &back || r == &next ? bw : cw, r->right - r->left) << "the caption's width";
        }
        EXPECT_EQ(client.right - mx, cancel.right) << "right-aligned, margin x on the right without Help";
        EXPECT_EQ(next.right + gap, cancel.left);
        EXPECT_EQ(back.right, next.left) << "Back and Next touch";
        EXPECT_TRUE(::EqualRect(&finish, &cancel)) << "Finish exactly in Cancel's place";
        Click(sheet, S::IdCancel);
    }}, &timedOut);
    EXPECT_FALSE(timedOut);
}

TEST(WizardButtons, SheetWindowShapeMenuFontAndModelessNotifications)
{
    TestMessagePage page;
    QFXWizardSheet sheet("Window");
    sheet.AddPage(&page);
    CWinApp& app = TestApp();
    int modelessBefore = app.ModelessDisabledCount();
    bool timedOut = false;
    RunDriven(sheet, {[&] {
        EXPECT_EQ(modelessBefore + 1, app.ModelessDisabledCount());
        HMENU menu = ::GetSystemMenu(sheet.m_hWnd, FALSE);
        ASSERT_EQ(2, ::GetMenuItemCount(menu));
        EXPECT_EQ(static_cast<UINT>(SC_MOVE), ::GetMenuItemID(menu, 0));
        EXPECT_EQ(static_cast<UINT>(SC_CLOSE), ::GetMenuItemID(menu, 1));

        EXPECT_EQ(0x80C80080u, static_cast<DWORD>(::GetWindowLongA(sheet.m_hWnd, GWL_STYLE)) & 0x80C80080u);
        EXPECT_TRUE(::GetWindowLongA(sheet.m_hWnd, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);

        // The page lost its caption and border and became a tab stop.
        LONG style = ::GetWindowLongA(page.m_hWnd, GWL_STYLE);
        EXPECT_FALSE(style & WS_CAPTION);
        EXPECT_TRUE(style & WS_TABSTOP);
        EXPECT_TRUE(style & WS_GROUP);
        EXPECT_TRUE(::IsWindowEnabled(page.m_hWnd));
        EXPECT_FALSE(IsShown(::GetDlgItem(page.m_hWnd, IDC_DRIVE))) << "the template's unused controls stay hidden";
        EXPECT_FALSE(IsShown(::GetDlgItem(page.m_hWnd, IDC_DRIVE_LIST)));
        EXPECT_TRUE(IsShown(::GetDlgItem(page.m_hWnd, IDC_MESSAGE)));

        // The sheet's font is its own copy of the page's.
        HFONT sheetFont = reinterpret_cast<HFONT>(::SendMessageA(sheet.m_hWnd, WM_GETFONT, 0, 0));
        HFONT pageFont = reinterpret_cast<HFONT>(::SendMessageA(page.m_hWnd, WM_GETFONT, 0, 0));
        ASSERT_NE(nullptr, sheetFont);
        EXPECT_NE(pageFont, sheetFont);
        LOGFONTA a, b;
        ::GetObjectA(sheetFont, sizeof a, &a);
        ::GetObjectA(pageFont, sizeof b, &b);
        EXPECT_EQ(b.lfHeight, a.lfHeight);
        EXPECT_STREQ(b.lfFaceName, a.lfFaceName);
        EXPECT_EQ(sheetFont, reinterpret_cast<HFONT>(::SendMessageA(sheet.GetButton(S::IdNext), WM_GETFONT, 0, 0)));
        Click(sheet, S::IdCancel);
    }}, &timedOut);
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(modelessBefore, app.ModelessDisabledCount());
}

namespace {
class HelpPage : public TestMessagePage {
protected:
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM) { return 70 + static_cast<LRESULT>(wParam); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HelpPage, TestMessagePage)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()
}

TEST(WizardButtons, SheetForwardsContextHelpToTheCurrentPage)
{
    HelpPage page;
    QFXWizardSheet sheet("Help");
    sheet.AddPage(&page);
    bool timedOut = false;
    RunDriven(sheet, {[&] {
        EXPECT_EQ(77, ::SendMessageA(sheet.m_hWnd, WM_COMMANDHELP, 7, 0));
        ::SendMessageA(sheet.m_hWnd, WM_CLOSE, 0, 0);
    }}, &timedOut);
    EXPECT_FALSE(timedOut);
}

