// The owner-painted controls, read back pixel by pixel from the screen.
#include "WizardTestSupport.h"

#include "WizardResource.h"

#include <gtest/gtest.h>

namespace {
typedef QFXWizardSheet S;

const COLORREF white = RGB(255, 255, 255);
const COLORREF lightGrey = RGB(192, 192, 192);
const COLORREF darkGrey = RGB(92, 92, 92);
const COLORREF grey = RGB(128, 128, 128);

// Pixels of one row of a window's client area.
std::vector<COLORREF> row(HWND window, int y)
{
    RECT client;
    ::GetClientRect(window, &client);
    std::vector<COLORREF> pixels;
    HDC dc = ::GetDC(window);
    for (int x = 0; x < client.right; ++x) pixels.push_back(::GetPixel(dc, x, y));
    ::ReleaseDC(window, dc);
    return pixels;
}

COLORREF pixel(HWND window, int x, int y)
{
    HDC dc = ::GetDC(window);
    COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return c;
}

int countFilled(const std::vector<COLORREF>& pixels, COLORREF fill)
{
    int count = 0;
    for (COLORREF c : pixels) count += c == fill;
    return count;
}

void expectDoubleFrame(HWND window, const RECT& r)
{
    int midY = (r.top + r.bottom) / 2;
    int midX = (r.left + r.right) / 2;
    EXPECT_EQ(grey, pixel(window, r.left, midY));
    EXPECT_EQ(darkGrey, pixel(window, r.left + 1, midY));
    EXPECT_EQ(white, pixel(window, r.right - 1, midY));
    EXPECT_EQ(lightGrey, pixel(window, r.right - 2, midY));
    EXPECT_EQ(grey, pixel(window, midX, r.top));
    EXPECT_EQ(darkGrey, pixel(window, midX, r.top + 1));
    EXPECT_EQ(white, pixel(window, midX, r.bottom - 1));
    EXPECT_EQ(lightGrey, pixel(window, midX, r.bottom - 2));
}
}

TEST(WizardPainting, ProgressBarFillsItsShareOfTheInnerWidth)
{
    TestProgressPage page;
    QFXWizardSheet sheet("Progress");
    sheet.AddPage(&page);
    bool timedOut = false;
    RunDriven(sheet, {[&] {
        HWND bar = page.Bar().m_hWnd;
        ASSERT_NE(nullptr, bar);
        RECT client;
        ::GetClientRect(bar, &client);
        int inner = client.right - 4;
        int midY = client.bottom / 2;
        COLORREF fill = ::GetNearestColor(::GetDC(bar), ::GetSysColor(COLOR_ACTIVECAPTION));
        ASSERT_NE(white, fill);

        page.SetRange(0, 10);
        page.SetPos(5);
        EXPECT_EQ(inner / 2, countFilled(row(bar, midY), fill)) << "half of " << inner;
        EXPECT_EQ(fill, pixel(bar, 2, midY));
        EXPECT_EQ(white, pixel(bar, 2 + inner / 2, midY));
        expectDoubleFrame(bar, client);

        page.SetPos(12);
        EXPECT_EQ(10, page.Bar().GetPos());
        EXPECT_EQ(inner, countFilled(row(bar, midY), fill));

        page.SetPos(-3);
        EXPECT_EQ(0, page.Bar().GetPos());
        EXPECT_EQ(0, countFilled(row(bar, midY), fill));

        // Position less low equal to high is tested first: an empty range is full.
        page.SetRange(0, 0);
        page.SetPos(1);
        EXPECT_EQ(inner, countFilled(row(bar, midY), fill));

        page.SetRange(-5, 10);
        page.SetPos(10);
        EXPECT_EQ(inner, countFilled(row(bar, midY), fill)) << "past high the bar stops at its frame";
        expectDoubleFrame(bar, client);
        Click(sheet, S::IdCancel);
    }}, &timedOut);
    EXPECT_FALSE(timedOut);
}

TEST(WizardPainting, ProgressPageScreenshot)
{
    TestProgressPage page;
    page.buttons = 0;
    QFXWizardSheet sheet("Kelbrook Creation Wizard");
    sheet.AddPage(&page);
    bool timedOut = false;
    RunDriven(sheet, {
        [&] { page.SetPos(7); },
        [&] {
            SaveScreenshot(sheet, "progress-page");
            ::PostMessageA(sheet.m_hWnd, WM_COMMAND, MAKEWPARAM(S::IdCancel, BN_CLICKED), 0);
        },
    }, &timedOut);
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(1, page.cancelCalls);
}

TEST(WizardPainting, PictureBoxShowsTheBitmapInATwoLineSunkenFrame)
{
    TestMessagePage page;
    page.text = "Welcome to the Test Wizard.\n\nThis wizard shows what a page of the framework looks like.\n\n"
                "Click 'Next >' to go on, or click 'Cancel' to quit.";
    QFXWizardSheet sheet("Kelbrook Creation Wizard");
    sheet.AddPage(&page);
    bool timedOut = false;
    RunDriven(sheet, {
        [&] {
            HWND box = ::GetDlgItem(page.m_hWnd, IDC_PICTURE);
            PictureBox* picture = static_cast<PictureBox*>(CWnd::FromHandlePermanent(box));
            ASSERT_NE(nullptr, picture);
            HBITMAP bitmap = picture->Bitmap();
            ASSERT_NE(nullptr, bitmap);
            BITMAP info;
            ::GetObjectA(bitmap, sizeof info, &info);
            EXPECT_EQ(120, info.bmWidth);
            EXPECT_EQ(258, info.bmHeight);

            ::UpdateWindow(box);
            RECT client;
            ::GetClientRect(box, &client);
            // Centred where the control is the larger, from its corner elsewhere.
            int left = client.right > 120 ? (client.right - 120) / 2 : 0;
            int top = client.bottom > 258 ? (client.bottom - 258) / 2 : 0;
            RECT shown = {left, top, left + 120, top + 258};
            RECT framed = shown;
            ::InflateRect(&framed, 2, 2);
            ::IntersectRect(&framed, &framed, &client);
            expectDoubleFrame(box, framed);

            // Inside the frame the screen shows the bitmap's own pixels.
            HDC memory = ::CreateCompatibleDC(nullptr);
            HGDIOBJ old = ::SelectObject(memory, bitmap);
            HDC screen = ::GetDC(box);
            int mismatches = 0, compared = 0;
            for (int y = framed.top + 2; y < framed.bottom - 2; y += 7) {
                for (int x = framed.left + 2; x < framed.right - 2; x += 5) {
                    ++compared;
                    if (::GetPixel(screen, x, y) != ::GetPixel(memory, x - shown.left, y - shown.top)) ++mismatches;
                }
            }
            ::ReleaseDC(box, screen);
            ::SelectObject(memory, old);
            ::DeleteDC(memory);
            EXPECT_GT(compared, 100);
            EXPECT_EQ(0, mismatches);

            // A second bitmap is refused politely: the first one stays.
            EXPECT_TRUE(page.SetBitmap(999));
            EXPECT_EQ(bitmap, picture->Bitmap());
        },
        [&] {
            SaveScreenshot(sheet, "message-page");
            Click(sheet, S::IdCancel);
        },
    }, &timedOut);
    EXPECT_FALSE(timedOut);
}

TEST(WizardPainting, MissingBitmapLeavesThePictureBoxEmpty)
{
    PictureBox box;
    EXPECT_FALSE(box.SetBitmap(999));
    EXPECT_EQ(nullptr, box.Bitmap());
    EXPECT_TRUE(box.SetBitmap(TestPictureId));
    EXPECT_NE(nullptr, box.Bitmap());
}
