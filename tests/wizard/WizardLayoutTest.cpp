#include "WizardLayout.h"

#include <gtest/gtest.h>

#include <string>

TEST(WizardButtonText, SplitsAtTheLineFeed)
{
    WizardButtonText back = ParseWizardButtonText("< &Back\n50");
    EXPECT_STREQ("< &Back", back.label);
    EXPECT_EQ(50, back.widthUnits);

    WizardButtonText plain = ParseWizardButtonText("Cancel");
    EXPECT_STREQ("Cancel", plain.label);
    EXPECT_EQ(-1, plain.widthUnits);

    WizardButtonText empty = ParseWizardButtonText("");
    EXPECT_STREQ("", empty.label);
    EXPECT_EQ(-1, empty.widthUnits);

    WizardButtonText noNumber = ParseWizardButtonText("&Help\n");
    EXPECT_STREQ("&Help", noNumber.label);
    EXPECT_EQ(0, noNumber.widthUnits);
}

TEST(WizardButtonText, OverlongLabelIsCutNotOverflowed)
{
    std::string text(400, 'x');
    text += "\n60";
    WizardButtonText parsed = ParseWizardButtonText(text.c_str());
    EXPECT_EQ(sizeof parsed.label - 1, std::string(parsed.label).size());
    EXPECT_EQ(60, parsed.widthUnits);
}

namespace {
WizardLayoutInput input(int pageWidth, bool finishMode, bool help)
{
    WizardLayoutInput in = {};
    in.pageWidth = pageWidth;
    in.pageHeight = 100;
    for (int& width : in.buttonWidth) width = 75;
    in.counted[WizardBack] = in.counted[WizardNext] = true;
    in.counted[WizardFinish] = finishMode;
    in.counted[WizardCancel] = !finishMode;
    in.counted[WizardHelp] = help;
    in.buttonHeight = 23;
    in.gap = 6;
    in.marginX = 6;
    in.marginY = 7;
    return in;
}
}

TEST(WizardLayout, WidePageSetsTheWidthAndButtonsAlignRight)
{
    WizardLayoutResult out = ComputeWizardLayout(input(400, false, false));
    EXPECT_EQ(400 + 2 * 6 + 3, out.clientWidth);
    EXPECT_EQ(3 * 7 + 100 + 4 + 23, out.clientHeight);
    EXPECT_EQ(7, out.page.left);
    EXPECT_EQ(7, out.page.top);
    EXPECT_EQ(400, out.page.right - out.page.left);
    EXPECT_EQ(100, out.page.bottom - out.page.top);
    // [Back][Next] gap [Cancel], the last one a margin from the right.
    EXPECT_EQ(out.clientWidth - 6, out.button[WizardCancel].right);
    EXPECT_EQ(out.button[WizardNext].right + 6, out.button[WizardCancel].left);
    EXPECT_EQ(out.button[WizardBack].right, out.button[WizardNext].left);
    // The hidden Finish stands exactly where Cancel is.
    EXPECT_EQ(out.button[WizardCancel].left, out.button[WizardFinish].left);
    EXPECT_EQ(out.button[WizardCancel].right, out.button[WizardFinish].right);
    for (const RECT& r : out.button) EXPECT_EQ(2 * 7 + 100 + 4, r.top);
}

TEST(WizardLayout, FinishModeSwapsTheCountedButton)
{
    WizardLayoutResult out = ComputeWizardLayout(input(400, true, false));
    EXPECT_EQ(out.clientWidth - 6, out.button[WizardFinish].right);
    EXPECT_EQ(out.button[WizardNext].right + 6, out.button[WizardFinish].left);
    // The hidden Cancel follows without taking room.
    EXPECT_EQ(out.button[WizardFinish].right + 6, out.button[WizardCancel].left);
}

TEST(WizardLayout, NarrowPageWidensToFitTheButtons)
{
    // Four counted buttons (with Help) need 4 x 75 + 2 gaps + 2 margins.
    WizardLayoutResult out = ComputeWizardLayout(input(50, false, true));
    EXPECT_EQ(4 * 75 + 2 * 6 + 2 * 6, out.clientWidth);
    EXPECT_EQ(6, out.button[WizardBack].left);
    EXPECT_EQ(out.button[WizardCancel].right + 6, out.button[WizardHelp].left);
    EXPECT_EQ(out.clientWidth - 6, out.button[WizardHelp].right);
    // The page is stretched to the width less the margins.
    EXPECT_EQ(out.clientWidth - 2 * 6 - 3, out.page.right - out.page.left);
}

TEST(WizardLayout, NothingCountedStillGivesAPageSizedSheet)
{
    WizardLayoutInput in = input(200, false, false);
    for (bool& counted : in.counted) counted = false;
    WizardLayoutResult out = ComputeWizardLayout(in);
    EXPECT_EQ(200 + 2 * 6 + 3, out.clientWidth);
    EXPECT_EQ(out.clientWidth - 6, out.button[WizardBack].left);
}
