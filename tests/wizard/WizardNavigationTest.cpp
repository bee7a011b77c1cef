// Back, Next and Finish with the pages' answers, on a sheet of four pages.
#include "WizardTestSupport.h"

#include <gtest/gtest.h>

namespace {
typedef QFXWizardSheet S;

class FourPages : public ::testing::Test {
protected:
    FourPages() : sheet("Navigation")
    {
        for (TestMessagePage& page : pages) {
            page.buttons = S::Back | S::Next | S::Cancel;
            sheet.AddPage(&page);
        }
    }

    int Run(std::vector<std::function<void()>> steps)
    {
        bool timedOut = false;
        int result = RunDriven(sheet, std::move(steps), &timedOut);
        EXPECT_FALSE(timedOut);
        return result;
    }

    void ExpectOnly(int index)
    {
        EXPECT_EQ(index, sheet.GetActiveIndex());
        for (int i = 0; i < 4; ++i) {
            if (pages[i].m_hWnd) {
                EXPECT_EQ(i == index, IsShown(pages[i].m_hWnd)) << "page " << i;
            }
        }
    }

    TestMessagePage pages[4];
    QFXWizardSheet sheet;
};
}

TEST_F(FourPages, DefaultNextAndBackStepAndHideThePreviousPage)
{
    Run({
        [&] { ExpectOnly(0); Click(sheet, S::IdNext); },
        [&] {
            ExpectOnly(1);
            // Every page takes the place of the first.
            RECT first = RectIn(pages[0].m_hWnd, sheet.m_hWnd);
            RECT second = RectIn(pages[1].m_hWnd, sheet.m_hWnd);
            EXPECT_TRUE(::EqualRect(&first, &second));
            Click(sheet, S::IdBack);
        },
        [&] {
            ExpectOnly(0);
            EXPECT_EQ(2, pages[0].setActiveCalls) << "returning shows the same window again";
            Click(sheet, S::IdBack);
        },
        [&] { ExpectOnly(0); Click(sheet, S::IdCancel); },
    });
}

TEST_F(FourPages, NextReturningAnIndexAndBackReturningIndexPlusOne)
{
    pages[0].nextResult = 3;
    pages[3].backResult = 3;
    Run({
        [&] { Click(sheet, S::IdNext); },
        [&] { ExpectOnly(3); Click(sheet, S::IdBack); },
        [&] {
            ExpectOnly(2);
            // Checked while the sheet runs: its end destroys every page window.
            EXPECT_EQ(nullptr, pages[1].m_hWnd) << "a page never visited has no window";
            Click(sheet, S::IdCancel);
        },
    });
}

TEST_F(FourPages, NegativeResultWithAndWithoutAJump)
{
    pages[0].nextResult = -1;
    Run({
        [&] { Click(sheet, S::IdNext); },
        [&] {
            ExpectOnly(0);
            EXPECT_EQ(1, pages[0].nextCalls);
            pages[0].jumpOnNext = 2;
            Click(sheet, S::IdNext);
        },
        [&] {
            EXPECT_EQ(2, pages[0].nextCalls) << "Next can be pressed again";
            ExpectOnly(2);
            EXPECT_FALSE(IsShown(pages[0].m_hWnd)) << "the page that jumped is hidden";
            Click(sheet, S::IdCancel);
        },
    });
}

TEST_F(FourPages, KillActiveFalseBlocksBackNextFinishButNotCancel)
{
    pages[1].allowLeave = FALSE;
    pages[1].buttons = S::Back | S::Next | S::Finish;
    pages[1].finishResult = 1;
    int result = Run({
        [&] { Click(sheet, S::IdNext); },
        [&] {
            ExpectOnly(1);
            Click(sheet, S::IdBack);
            Click(sheet, S::IdNext);
            Click(sheet, S::IdFinish);
        },
        [&] {
            ExpectOnly(1);
            ASSERT_TRUE(sheet.m_hWnd) << "Finish was blocked";
            // Cancel is not offered in finish mode, but its command still ends the sheet.
            ::SendMessageA(sheet.m_hWnd, WM_COMMAND, MAKEWPARAM(S::IdCancel, BN_CLICKED), 0);
        },
    });
    EXPECT_EQ(2, result);
    EXPECT_EQ(1, pages[1].cancelCalls);
}

TEST_F(FourPages, EndsChangeNothing)
{
    pages[0].nextResult = 3;
    Run({
        [&] { Click(sheet, S::IdBack); },
        [&] { ExpectOnly(0); Click(sheet, S::IdNext); },
        [&] { ExpectOnly(3); Click(sheet, S::IdNext); },
        [&] { ExpectOnly(3); Click(sheet, S::IdCancel); },
    });
}

TEST_F(FourPages, RefusingPageKeepsTheOldOne)
{
    pages[1].refuse = true;
    Run({
        [&] { Click(sheet, S::IdNext); },
        [&] {
            ExpectOnly(0);
            EXPECT_FALSE(sheet.SetActivePage(1));
            EXPECT_FALSE(sheet.SetActivePage(7)) << "no such page";
            EXPECT_FALSE(sheet.SetActivePage(-1));
            ExpectOnly(0);
            Click(sheet, S::IdCancel);
        },
    });
}

TEST_F(FourPages, FinishResultBelowZeroKeepsTheSheetOpen)
{
    pages[0].buttons = S::Finish;
    pages[0].finishResult = -1;
    int result = Run({
        [&] { Click(sheet, S::IdFinish); },
        [&] {
            ASSERT_TRUE(sheet.m_hWnd);
            EXPECT_TRUE(IsShown(pages[0].m_hWnd)) << "Finish does not hide the page";
            pages[0].finishResult = 0;
            Click(sheet, S::IdFinish);
        },
    });
    EXPECT_EQ(1, result);
}

TEST(WizardPages, ListGrowsPastItsFirstBlockAndIndexesAreChecked)
{
    std::vector<TestMessagePage> pages(70);
    QFXWizardSheet sheet("Many");
    for (TestMessagePage& page : pages) sheet.AddPage(&page);
    EXPECT_EQ(70, sheet.GetPageCount());
    EXPECT_EQ(&pages[0], sheet.GetPage(0));
    EXPECT_EQ(&pages[33], sheet.GetPage(33));
    EXPECT_EQ(&pages[69], sheet.GetPage(69));
    EXPECT_EQ(nullptr, sheet.GetPage(70));
    EXPECT_EQ(nullptr, sheet.GetPage(-1));
    EXPECT_EQ(&sheet, pages[69].GetSheet());
    EXPECT_FALSE(sheet.SetActivePage(5)) << "no window yet";
}
