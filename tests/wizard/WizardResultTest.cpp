// What DoModal returns, and how the sheet ends while a page is busy.
#include "WizardTestSupport.h"

#include <gtest/gtest.h>

#include <process.h>

namespace {
typedef QFXWizardSheet S;

const UINT workerReport = ::RegisterWindowMessageA("WizardTests-WorkerReport");

void postClose(QFXWizardSheet& sheet)
{
    ::PostMessageA(sheet.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}
}

TEST(WizardResult, CancelReturnsTwoAfterThePageCancels)
{
    TestMessagePage page;
    QFXWizardSheet sheet("Cancel");
    sheet.AddPage(&page);
    bool timedOut = false;
    int result = RunDriven(sheet, {[&] { Click(sheet, S::IdCancel); }}, &timedOut);
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(2, result);
    EXPECT_EQ(1, page.cancelCalls);
    EXPECT_EQ(nullptr, sheet.m_hWnd);
    EXPECT_EQ(nullptr, page.m_hWnd) << "the page window goes with the sheet";
}

TEST(WizardResult, SystemMenuCloseIsCancel)
{
    TestMessagePage page;
    QFXWizardSheet sheet("Close");
    sheet.AddPage(&page);
    bool timedOut = false;
    int result = RunDriven(sheet, {[&] { postClose(sheet); }}, &timedOut);
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(2, result);
    EXPECT_EQ(1, page.cancelCalls);
}

TEST(WizardResult, ClosingThePageWindowClosesTheSheet)
{
    TestMessagePage page;
    QFXWizardSheet sheet("Page close");
    sheet.AddPage(&page);
    bool timedOut = false;
    int result = RunDriven(sheet, {[&] { ::SendMessageA(page.m_hWnd, WM_CLOSE, 0, 0); }}, &timedOut);
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(2, result);
}

TEST(WizardResult, QuitMessageEndsWithTwoAndIsPostedAgain)
{
    TestMessagePage page;
    QFXWizardSheet sheet("Quit");
    sheet.AddPage(&page);
    bool timedOut = false;
    int result = RunDriven(sheet, {[&] { ::PostQuitMessage(42); }}, &timedOut);
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(2, result);
    MSG quit;
    ASSERT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(42u, quit.wParam);
    EXPECT_EQ(0, page.cancelCalls) << "a quit is not a Cancel";
}

TEST(WizardResult, CreationFailureReturnsTwoAndShowsNothing)
{
    QFXWizardSheet empty("No pages");
    EXPECT_EQ(2, empty.DoModal());
    EXPECT_EQ(nullptr, empty.m_hWnd);

    TestMessagePage missing(999);
    QFXWizardSheet sheet("Missing template");
    sheet.AddPage(&missing);
    EXPECT_EQ(2, sheet.DoModal());
    EXPECT_EQ(nullptr, sheet.m_hWnd);
    EXPECT_EQ(0, TestApp().ModelessDisabledCount());
}

TEST(WizardResult, CloseIsRefusedWhileAPageIsBusy)
{
    TestMessagePage page;
    QFXWizardSheet sheet("Busy");
    sheet.AddPage(&page);
    BusyEvent done;
    bool timedOut = false;
    int result = RunDriven(sheet, {
        [&] {
            page.SetBusyUntil(done.handle());
            sheet.SetWizardButtons(0);
            postClose(sheet);
        },
        [&] {
            ASSERT_TRUE(sheet.m_hWnd) << "Close was refused";
            EXPECT_EQ(0, page.cancelCalls);
            EXPECT_TRUE(IsShown(sheet.GetButton(S::IdCancel)));
            EXPECT_FALSE(IsEnabled(sheet.GetButton(S::IdCancel))) << "Cancel stays as the page set it";
            done.set();
            postClose(sheet);
        },
    }, &timedOut);
    EXPECT_FALSE(done.setByWatchdog()) << "Close was taken while the page was busy";
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(2, result);
    EXPECT_EQ(1, page.cancelCalls);
}

TEST(WizardResult, AHandleThatCannotBeWaitedOnMarksNoPageBusy)
{
    TestMessagePage page;
    QFXWizardSheet sheet("Bad handle");
    sheet.AddPage(&page);
    // Far above any handle a test process opens; a closed handle's value
    // would soon name a new object of the sheet's.
    HANDLE bad = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(0x00FFFFF0));
    bool timedOut = false;
    int result = RunDriven(sheet, {[&] {
        ASSERT_EQ(WAIT_FAILED, ::WaitForSingleObject(bad, 0));
        page.SetBusyUntil(bad);
        postClose(sheet);
    }}, &timedOut);
    EXPECT_FALSE(timedOut) << "Close was refused";
    EXPECT_EQ(2, result);
    EXPECT_EQ(1, page.cancelCalls);
}

namespace {
// A page with a worker that reports by SendMessage, as the copy pages do.
class WorkerPage : public TestMessagePage {
public:
    ~WorkerPage() override
    {
        if (thread) ::CloseHandle(thread);
    }

    bool Start()
    {
        thread = reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, &WorkerPage::Body, this, 0, nullptr));
        if (!thread) return false;
        SetBusyUntil(thread);
        return true;
    }

    HWND target = nullptr;
    HANDLE thread = nullptr;
    HWND owner = nullptr;
    int reportsWhileOwnerEnabled = 0;
    volatile LONG reportsHandled = 0;
    volatile LONG reportsSent = 0;
    volatile LONG finished = 0;

protected:
    LRESULT OnReport(WPARAM, LPARAM)
    {
        if (owner && ::IsWindowEnabled(owner)) ++reportsWhileOwnerEnabled;
        ::InterlockedIncrement(&reportsHandled);
        return 0;
    }

    DECLARE_MESSAGE_MAP()

private:
    static unsigned __stdcall Body(void* self)
    {
        WorkerPage* page = static_cast<WorkerPage*>(self);
        for (int i = 0; i < 6; ++i) {
            ::Sleep(60);
            ::SendMessageA(page->target, workerReport, 1, i);
            ::InterlockedIncrement(&page->reportsSent);
        }
        ::InterlockedExchange(&page->finished, 1);
        return 0;
    }
};

BEGIN_MESSAGE_MAP(WorkerPage, TestMessagePage)
    ON_REGISTERED_MESSAGE(workerReport, OnReport)
END_MESSAGE_MAP()
}

TEST(WizardResult, QuitWhileBusyWaitsForTheWorkerAndKeepsDeliveringItsReports)
{
    WorkerPage page;
    QFXWizardSheet sheet("Worker");
    sheet.AddPage(&page);
    bool timedOut = false;
    int result = RunDriven(sheet, {
        [&] {
            page.target = page.m_hWnd;
            ASSERT_TRUE(page.Start());
            ::PostQuitMessage(7);
        },
    }, &timedOut);
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(2, result);
    EXPECT_EQ(1, page.finished) << "DoModal returned before the worker ended";
    EXPECT_EQ(6, page.reportsSent);
    EXPECT_EQ(6, page.reportsHandled) << "reports sent during the wait were delivered";
    EXPECT_FALSE(page.IsBusy());
    MSG quit;
    EXPECT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(WizardResult, WorkerReportsReachThePageWhileTheSheetRuns)
{
    WorkerPage page;
    QFXWizardSheet sheet("Reports");
    sheet.AddPage(&page);
    bool timedOut = false;
    int polls = 0;
    std::vector<std::function<void()>> steps;
    steps.push_back([&] {
        page.target = page.m_hWnd;
        ASSERT_TRUE(page.Start());
    });
    // Poll at idle moments until the worker is done, then close normally.
    std::function<void()> poll = [&] {
        if (!page.IsBusy() || ++polls > 150) {
            postClose(sheet);
            return;
        }
    };
    for (int i = 0; i < 160; ++i) steps.push_back(poll);
    int result = RunDriven(sheet, steps, &timedOut);
    EXPECT_EQ(2, result);
    EXPECT_EQ(6, page.reportsHandled) << "the registered-message entry handled every report";
    EXPECT_EQ(1, page.finished);
}

namespace {
class OwnerWindow : public CWnd {
public:
    BOOL Create()
    {
        QFC::String windowClass = RegisterWindowClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);
        return CreateEx(0, windowClass.text(), "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr);
    }
    int idleNotices = 0;
    HWND idleSheet = nullptr;

protected:
    LRESULT OnEnterIdle(WPARAM, LPARAM lParam)
    {
        ++idleNotices;
        idleSheet = reinterpret_cast<HWND>(lParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OwnerWindow, CWnd)
    ON_MESSAGE(WM_ENTERIDLE, OnEnterIdle)
END_MESSAGE_MAP()
}

TEST(WizardResult, OwnerIsDisabledWhileTheSheetRunsAndToldOfIdleMoments)
{
    OwnerWindow owner;
    ASSERT_TRUE(owner.Create());
    TestMessagePage page;
    QFXWizardSheet sheet("Owned", &owner);
    sheet.AddPage(&page);
    HWND sheetWindow = nullptr;
    bool timedOut = false;
    int result = RunDriven(sheet, {[&] {
        sheetWindow = sheet.m_hWnd;
        EXPECT_FALSE(::IsWindowEnabled(owner.m_hWnd));
        EXPECT_EQ(owner.m_hWnd, ::GetParent(sheet.m_hWnd));
        Click(sheet, S::IdCancel);
    }}, &timedOut);
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(2, result);
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd)) << "enabled again when the sheet closes";
    EXPECT_GT(owner.idleNotices, 0);
    EXPECT_EQ(sheetWindow, owner.idleSheet);
    owner.DestroyWindow();
}

TEST(WizardResult, AHideTheSheetComesBackFromLeavesTheOwnerDisabled)
{
    OwnerWindow owner;
    ASSERT_TRUE(owner.Create());
    {
        TestMessagePage page;
        QFXWizardSheet sheet("Hidden", &owner);
        sheet.AddPage(&page);
        bool timedOut = false;
        RunDriven(sheet, {[&] {
            // What the platform does when the owner is minimised and restored
            // (Wine does it only for an active owner), then a plain hide.
            ::ShowOwnedPopups(owner.m_hWnd, FALSE);
            ::ShowOwnedPopups(owner.m_hWnd, TRUE);
            ::ShowWindow(sheet.m_hWnd, SW_HIDE);
            ::ShowWindow(sheet.m_hWnd, SW_SHOW);
            EXPECT_FALSE(::IsWindowEnabled(owner.m_hWnd));
            Click(sheet, S::IdCancel);
        }}, &timedOut);
        EXPECT_FALSE(timedOut);
    }
    // DoModal hides the sheet while it waits for a busy page.
    WorkerPage page;
    QFXWizardSheet sheet("Busy hide", &owner);
    sheet.AddPage(&page);
    page.owner = owner.m_hWnd;
    bool timedOut = false;
    RunDriven(sheet, {[&] {
        page.target = page.m_hWnd;
        ASSERT_TRUE(page.Start());
        ::PostQuitMessage(0);
    }}, &timedOut);
    EXPECT_EQ(6, page.reportsHandled);
    EXPECT_EQ(0, page.reportsWhileOwnerEnabled) << "the owner was enabled while the sheet waited";
    MSG quit;
    ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    owner.DestroyWindow();
}

TEST(WizardResult, WindowDestroyedFromOutsideEndsAsCancelAndCleansUp)
{
    OwnerWindow owner;
    ASSERT_TRUE(owner.Create());
    HFONT font = nullptr;
    int result = 0;
    {
        TestMessagePage page;
        QFXWizardSheet sheet("Destroyed", &owner);
        sheet.AddPage(&page);
        bool timedOut = false;
        result = RunDriven(sheet, {[&] {
            font = reinterpret_cast<HFONT>(::SendMessageA(sheet.m_hWnd, WM_GETFONT, 0, 0));
            ::DestroyWindow(sheet.m_hWnd);
        }}, &timedOut);
        EXPECT_FALSE(timedOut);
        EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd)) << "the owner is enabled again";
        // Enabled before the sheet disappeared, so the platform activated it.
        EXPECT_EQ(owner.m_hWnd, ::GetActiveWindow()) << "the owner is active again";
    }
    EXPECT_EQ(2, result);
    ASSERT_NE(nullptr, font);
    LOGFONTA description;
    EXPECT_EQ(0, ::GetObjectA(font, sizeof description, &description)) << "the sheet's font copy was freed";
    owner.DestroyWindow();
}

TEST(WizardResult, DoModalTwiceKeepsOneFontAtATime)
{
    // Wine counts no GDI objects per process (GetGuiResources is a stub
    // there), so each run's font is followed by its handle.
    HFONT fonts[2] = {};
    {
        TestMessagePage page;
        QFXWizardSheet sheet("Twice");
        sheet.AddPage(&page);
        for (HFONT& font : fonts) {
            bool timedOut = false;
            RunDriven(sheet, {[&] {
                font = reinterpret_cast<HFONT>(::SendMessageA(sheet.m_hWnd, WM_GETFONT, 0, 0));
                Click(sheet, S::IdCancel);
            }}, &timedOut);
            EXPECT_FALSE(timedOut);
        }
        ASSERT_NE(nullptr, fonts[0]);
        ASSERT_NE(fonts[0], fonts[1]);
        EXPECT_EQ(0u, ::GetObjectType(fonts[0])) << "the first run's font outlived the second run's";
        EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), ::GetObjectType(fonts[1]));
    }
    EXPECT_EQ(0u, ::GetObjectType(fonts[1])) << "the sheet's font outlived the sheet";
}
