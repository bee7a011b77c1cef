#include "BackupCopyAll.h"
#include "BackupWizard.h"
#include "CopyWorker.h"
#include "ProgressRecord.h"
#include "WizardPageText.h"
#include "resource.h"

#include "CustomerId.h"
#include "TestFiles.h"
#include "ThreadAllocations.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

const UINT CopyProgressMessage = ::RegisterWindowMessageA("ZEPHDisk-Backup");

namespace {

using testsupport::fileContents;
using testsupport::profileValue;
using testsupport::removeTree;
using testsupport::setAnswerDelay;
using testsupport::setCustomerId;
using testsupport::systemDirectory;
using testsupport::windowsDirectory;
using testsupport::writeFile;

const char ProductId[] = "{C0FFEE00-COPY-WORKER-TEST}";
const char FakeProgram[] = "program bytes \x01\x02\xFF";
const char FakeLibrary[] = "library bytes \x7F";

struct Event {
    WPARAM kind;
    LPARAM argument;  // stage or error
    int total, index;
    std::string name;
};

std::vector<Event> events;

LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != CopyProgressMessage)
        return ::DefWindowProcA(window, message, wParam, lParam);
    Event e = {wParam, lParam, 0, 0, ""};
    if (wParam == NotifyProgress) {
        ProgressRecord* record = reinterpret_cast<ProgressRecord*>(lParam);
        e.argument = 0;
        e.total = record->total;
        e.index = record->index;
        e.name = record->name.textOrEmpty();
        delete record;
    }
    events.push_back(e);
    return wParam == NotifyProgress ? ProgressRecordTaken : 0;
}

// Drive A: is linked (by the test set-up) to the folder named by SUITE_FLOPPY;
// removing that folder takes the disk out of the drive.
class CopyWorkerRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* floppy = std::getenv("SUITE_FLOPPY");
        ASSERT_NE(nullptr, floppy) << "SUITE_FLOPPY names the folder behind drive A:";
        disk = floppy;
        removeTree(disk);
        ASSERT_TRUE(::CreateDirectoryA(disk.c_str(), nullptr));

        windows = windowsDirectory();
        product = windows + "\\Brenvick\\ZEPH\\Info\\" + ProductId;
        removeTree(product);
        ::CreateDirectoryA((windows + "\\Brenvick").c_str(), nullptr);
        ::CreateDirectoryA((windows + "\\Brenvick\\ZEPH").c_str(), nullptr);
        ::CreateDirectoryA((windows + "\\Brenvick\\ZEPH\\Info").c_str(), nullptr);
        ASSERT_TRUE(::CreateDirectoryA(product.c_str(), nullptr));
        writeFile(product + "\\PRODUCT.INF", "[PRODUCT]\r\nUI-LIBRARY=buy.dll\r\nZEPH-Receipt-TxN=TXN-77\r\n");
        writeFile(product + "\\LICENSE.DAT", std::string("\0\1\2license", 10));
        writeFile(windows + "\\Kelbrook.exe", FakeProgram);
        writeFile(systemDirectory() + "\\ZEPHAPI.DLL", FakeLibrary);
        setCustomerId("CUST-9");

        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = recordingProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "CopyWorkerTestPage";
        ::RegisterClassA(&windowClass);
        page = ::CreateWindowA("CopyWorkerTestPage", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               windowClass.hInstance, nullptr);
        ASSERT_NE(nullptr, page);
        events.clear();
    }

    void TearDown() override
    {
        ::DestroyWindow(page);
        removeTree(product);
        removeTree(disk);
        ::CreateDirectoryA(disk.c_str(), nullptr);
        ::DeleteFileA((windows + "\\Kelbrook.exe").c_str());
        ::DeleteFileA((systemDirectory() + "\\ZEPHAPI.DLL").c_str());
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Brenvick\\ZEPH");
    }

    // Runs the worker to its end, handling its reports on this thread and
    // calling whileRunning every 50 ms or sooner.
    void run(bool backup, const char* productId = ProductId, const std::function<void()>& whileRunning = nullptr)
    {
        events.clear();
        QFC::String id(productId), drive("A:");
        ASSERT_TRUE(backup ? worker.StartBackup(page, id, drive) : worker.StartRestore(page, id, drive));
        DWORD deadline = ::GetTickCount() + 30000;
        while (worker.IsBusy() && ::GetTickCount() < deadline) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            if (whileRunning)
                whileRunning();
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageA(&msg);
        }
        ASSERT_FALSE(worker.IsBusy()) << "the copy run did not end in time";
        EXPECT_EQ(WorkerThread::StateIdle, worker.GetState());
    }

    std::vector<LPARAM> reports(WPARAM kind) const
    {
        std::vector<LPARAM> found;
        for (const Event& e : events)
            if (e.kind == kind)
                found.push_back(e.argument);
        return found;
    }

    std::string disk, windows, product;
    HWND page = nullptr;
    CopyWorker worker;
};

} // namespace

TEST_F(CopyWorkerRun, BackupFillsTheDisk)
{
    run(true);
    ASSERT_EQ(7u, events.size());
    EXPECT_EQ(NotifyProgress, events[0].kind);
    EXPECT_EQ(2, events[0].total);
    EXPECT_EQ(-1, events[0].index);
    EXPECT_EQ("", events[0].name);
    EXPECT_EQ(0, events[1].index);
    EXPECT_EQ(windows + "\\Kelbrook.exe", events[1].name);
    EXPECT_EQ(1, events[2].index);
    EXPECT_EQ(systemDirectory() + "\\ZEPHAPI.DLL", events[2].name);
    EXPECT_EQ(2, events[3].index);
    EXPECT_EQ("Copy complete!", events[3].name);
    EXPECT_EQ((std::vector<LPARAM>{StageProductBackup, StageUserInformation, StageDone}), reports(NotifyStage));
    EXPECT_TRUE(reports(NotifyError).empty());

    EXPECT_EQ(FakeProgram, fileContents("A:\\Kelbrook.exe"));
    EXPECT_EQ(FakeLibrary, fileContents("A:\\ZEPHAPI.DLL"));
    EXPECT_EQ(fileContents(product + "\\PRODUCT.INF"), fileContents("A:\\ENF\\PRODUCT.INF"));
    EXPECT_EQ(std::string("\0\1\2license", 10), fileContents(disk + "\\ENF\\LICENSE.DAT"));
    std::string receipt = disk + "\\DATA.INF";
    EXPECT_EQ("CUST-9", profileValue(receipt, "CUSTOMER-INFO", "ID"));
    EXPECT_EQ(ProductId, profileValue(receipt, "PRODUCT-INFO", "ID"));
    EXPECT_EQ("TXN-77", profileValue(receipt, "TXN-INFO", "TXN"));
}

TEST_F(CopyWorkerRun, ReceiptGoesToTheRootWhateverTheDrivesCurrentFolder)
{
    // "A:DATA.INF" would follow drive A:'s current folder, which the
    // environment string "=A:" names; the receipt must not.
    ASSERT_TRUE(::CreateDirectoryA((disk + "\\ENF").c_str(), nullptr));
    ASSERT_TRUE(::SetEnvironmentVariableA("=A:", "A:\\ENF"));
    run(true);
    ::SetEnvironmentVariableA("=A:", nullptr);
    EXPECT_TRUE(reports(NotifyError).empty());
    EXPECT_EQ("TXN-77", profileValue(disk + "\\DATA.INF", "TXN-INFO", "TXN"));
    EXPECT_EQ("<missing>", profileValue(disk + "\\ENF\\DATA.INF", "TXN-INFO", "TXN"));
}

TEST_F(CopyWorkerRun, NoDiskFailsAtTheFirstFileThenSucceeds)
{
    removeTree(disk);
    run(true);
    ASSERT_EQ(3u, events.size());
    EXPECT_EQ(0, events[1].index);
    EXPECT_EQ((std::vector<LPARAM>{ErrorCopy}), reports(NotifyError));

    ASSERT_TRUE(::CreateDirectoryA(disk.c_str(), nullptr));
    run(true);
    EXPECT_EQ((std::vector<LPARAM>{StageProductBackup, StageUserInformation, StageDone}), reports(NotifyStage));
    EXPECT_EQ(FakeProgram, fileContents("A:\\Kelbrook.exe"));
}

TEST_F(CopyWorkerRun, ExistingFilesAreReplacedOthersKept)
{
    ASSERT_TRUE(::CreateDirectoryA((disk + "\\ENF").c_str(), nullptr));
    writeFile(disk + "\\Kelbrook.exe", "old program");
    writeFile(disk + "\\ENF\\PRODUCT.INF", "old record");
    writeFile(disk + "\\ENF\\OTHER.DAT", "another product");
    run(true);
    EXPECT_EQ(FakeProgram, fileContents(disk + "\\Kelbrook.exe"));
    EXPECT_EQ(fileContents(product + "\\PRODUCT.INF"), fileContents(disk + "\\ENF\\PRODUCT.INF"));
    EXPECT_EQ("another product", fileContents(disk + "\\ENF\\OTHER.DAT"));
}

TEST_F(CopyWorkerRun, SubfolderOrMissingProductFolderIsACopyError)
{
    ASSERT_TRUE(::CreateDirectoryA((product + "\\SUB").c_str(), nullptr));
    run(true);
    EXPECT_EQ((std::vector<LPARAM>{StageProductBackup}), reports(NotifyStage));
    EXPECT_EQ((std::vector<LPARAM>{ErrorCopy}), reports(NotifyError));

    run(true, "{NOT-INSTALLED}");
    EXPECT_EQ((std::vector<LPARAM>{ErrorCopy}), reports(NotifyError));
}

TEST_F(CopyWorkerRun, EmptyCustomerIdIsReportedAndTheRunGoesOn)
{
    setCustomerId(nullptr);
    run(true);
    EXPECT_EQ((std::vector<LPARAM>{ErrorGetCustomerId}), reports(NotifyError));
    EXPECT_EQ((std::vector<LPARAM>{StageProductBackup, StageUserInformation, StageDone}), reports(NotifyStage));
    std::string receipt = disk + "\\DATA.INF";
    EXPECT_EQ("", profileValue(receipt, "CUSTOMER-INFO", "ID"));
    EXPECT_EQ(ProductId, profileValue(receipt, "PRODUCT-INFO", "ID"));
    EXPECT_EQ("TXN-77", profileValue(receipt, "TXN-INFO", "TXN"));
}

TEST_F(CopyWorkerRun, ValueThatTheProfileReadsBackTrimmedIsNoWriteError)
{
    // Each as Wine reads it back.
    const struct { const char* written; const char* read; } values[] = {{" 'CUST-9'\t", "CUST-9"},
        {"\vCUST 9\f\x1a", "CUST 9"}, {"\" CUST-9 \"\v", " CUST-9 "}, {"CUST-9\nX", "CUST-9"}};
    for (const auto& v : values) {
        setCustomerId(v.written);
        run(true);
        EXPECT_TRUE(reports(NotifyError).empty()) << v.read;
        EXPECT_EQ(v.read, profileValue(disk + "\\DATA.INF", "CUSTOMER-INFO", "ID"));
    }
}

TEST_F(CopyWorkerRun, MissingTransactionStopsAfterTwoSections)
{
    writeFile(product + "\\PRODUCT.INF", "[PRODUCT]\r\nUI-LIBRARY=buy.dll\r\n");
    run(true);
    EXPECT_EQ((std::vector<LPARAM>{ErrorGetTransaction}), reports(NotifyError));
    std::string receipt = disk + "\\DATA.INF";
    EXPECT_EQ("CUST-9", profileValue(receipt, "CUSTOMER-INFO", "ID"));
    EXPECT_EQ(ProductId, profileValue(receipt, "PRODUCT-INFO", "ID"));
    EXPECT_EQ("<missing>", profileValue(receipt, "TXN-INFO", "TXN"));
}

// A receipt that loses keys after the platform reported their writes done,
// as Windows 95 may at the flush: the stand-in's slow product selection
// leaves time to take the first two sections away before the last is written.
TEST_F(CopyWorkerRun, ReceiptKeysLostAfterTheirWritesAreWriteErrors)
{
    const DWORD SlowSelectionMs = 1000;
    ASSERT_TRUE(setAnswerDelay(SlowSelectionMs));
    const std::string receipt = disk + "\\DATA.INF";
    auto replaceOnce = [&](const char* contents) {
        return [=]() {
            if (profileValue(receipt, "PRODUCT-INFO", "ID") == ProductId)
                contents ? writeFile(receipt, contents) : ::DeleteFileA(receipt.c_str());
        };
    };
    run(true, ProductId, replaceOnce("[CUSTOMER-INFO]\r\nID=CUST-9\r\n[PRODUCT-INFO]\r\nID={ANOTHER}\r\n"));
    EXPECT_EQ((std::vector<LPARAM>{ErrorWriteProductId}), reports(NotifyError));
    run(true, ProductId, replaceOnce(nullptr));
    EXPECT_EQ((std::vector<LPARAM>{ErrorWriteCustomerId}), reports(NotifyError));
    // An empty customer identifier is a key with an empty value, not none.
    setCustomerId(nullptr);
    run(true, ProductId, replaceOnce(nullptr));
    EXPECT_EQ((std::vector<LPARAM>{ErrorGetCustomerId, ErrorWriteCustomerId}), reports(NotifyError));
    EXPECT_EQ("TXN-77", profileValue(receipt, "TXN-INFO", "TXN"));
}

TEST_F(CopyWorkerRun, RestorePutsEverythingBack)
{
    run(true);
    ASSERT_TRUE(reports(NotifyError).empty());
    removeTree(product);
    ::DeleteFileA((windows + "\\Kelbrook.exe").c_str());
    ::DeleteFileA((systemDirectory() + "\\ZEPHAPI.DLL").c_str());

    run(false);
    EXPECT_TRUE(reports(NotifyError).empty());
    EXPECT_EQ((std::vector<LPARAM>{StageProductRestore, StageDone}), reports(NotifyStage));
    EXPECT_EQ("A:\\Kelbrook.exe", events[1].name);
    EXPECT_EQ(FakeProgram, fileContents(windows + "\\Kelbrook.exe"));
    EXPECT_EQ(FakeLibrary, fileContents(systemDirectory() + "\\ZEPHAPI.DLL"));
    EXPECT_EQ(std::string("\0\1\2license", 10), fileContents(product + "\\LICENSE.DAT"));
    EXPECT_EQ(fileContents(disk + "\\ENF\\PRODUCT.INF"), fileContents(product + "\\PRODUCT.INF"));
}

TEST_F(CopyWorkerRun, RestoreWithoutTheDiskFolderIsACopyError)
{
    writeFile(disk + "\\Kelbrook.exe", FakeProgram);
    writeFile(disk + "\\ZEPHAPI.DLL", FakeLibrary);
    run(false);
    EXPECT_EQ((std::vector<LPARAM>{StageProductRestore}), reports(NotifyStage));
    EXPECT_EQ((std::vector<LPARAM>{ErrorCopy}), reports(NotifyError));
}

TEST_F(CopyWorkerRun, RestoreRefusesAFileNamedLikeADevice)
{
    run(true);
    ASSERT_TRUE(reports(NotifyError).empty());
    // Only a path that skips the DOS names makes such a file, as a disk
    // written elsewhere may carry one; the same way removes it. Wine fails to
    // copy the names it knows as devices (LPT1, NUL) whether checked or not,
    // but knows no CLOCK$: without the name check, that one would copy.
    const std::string device = "\\\\?\\" + disk + "\\ENF\\CLOCK$";
    ASSERT_TRUE(writeFile(device, "not a clock"));
    run(false);
    ::DeleteFileA(device.c_str());
    ::DeleteFileA(("\\\\?\\" + product + "\\CLOCK$").c_str());
    EXPECT_EQ((std::vector<LPARAM>{StageProductRestore}), reports(NotifyStage));
    EXPECT_EQ((std::vector<LPARAM>{ErrorCopy}), reports(NotifyError));
}

TEST_F(CopyWorkerRun, ReceiptThatCannotBeWrittenStopsAtTheCustomerSection)
{
    ASSERT_TRUE(::CreateDirectoryA((disk + "\\DATA.INF").c_str(), nullptr));
    run(true);
    EXPECT_EQ((std::vector<LPARAM>{ErrorWriteCustomerId}), reports(NotifyError));
    EXPECT_EQ((std::vector<LPARAM>{StageProductBackup, StageUserInformation}), reports(NotifyStage));
    EXPECT_EQ("<missing>", profileValue(disk + "\\DATA.INF", "PRODUCT-INFO", "ID"));
}

TEST_F(CopyWorkerRun, RecordsThatReachNoPageAreFreedByTheWorker)
{
    int before = threadallocations::outstanding();
    ::DestroyWindow(page);
    run(true);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(before, threadallocations::outstanding()) << "progress records sent to a page that is gone";
}

namespace {

// A run that goes on until it is released (10 s at most) and a while after,
// and says when it has ended.
class SlowRun : public WorkerThread {
public:
    bool Go() { return Start(); }
    HANDLE release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    volatile LONG ended = 0;

protected:
    void Run() override
    {
        ::WaitForSingleObject(release, 10000);
        ::Sleep(300);
        ::InterlockedExchange(&ended, 1);
    }
};

} // namespace

TEST(WorkerThreadWait, AHandleThatFailsIsNotTakenForTheEndOfTheRun)
{
    // Never destroyed: its handle is closed behind its back below, and the
    // value may name another object of this program by the time a destructor
    // would close it again.
    SlowRun* worker = new SlowRun;
    ASSERT_TRUE(worker->Go());
    ASSERT_TRUE(::CloseHandle(worker->ThreadHandle()));
    EXPECT_TRUE(worker->IsBusy()) << "taken for idle while the run went on";
    ::SetEvent(worker->release);
    worker->WaitForCompletion();
    EXPECT_EQ(1, worker->ended) << "the wait returned while the run went on";
    EXPECT_FALSE(worker->IsBusy());
    ::CloseHandle(worker->release);
}

namespace {

struct OverlappingRuns {
    bool pageMade;
    bool secondStarted;
};

// The interface thread of a page: two starts in a row, then a worker that
// goes away while its run still reports.
DWORD WINAPI startTwiceThenDestroy(void* param)
{
    OverlappingRuns* runs = static_cast<OverlappingRuns*>(param);
    HWND page = ::CreateWindowA("CopyWorkerTestPage", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
    runs->pageMade = page != nullptr;
    QFC::String drive("A:");
    {
        CopyWorker worker;
        worker.StartBackup(page, QFC::String(ProductId), drive);
        runs->secondStarted = worker.StartBackup(page, QFC::String("{NOT-INSTALLED}"), drive);
        // Two workers' runs at once would interleave their reports in no
        // fixed order.
        worker.WaitForCompletion();
        CopyWorker going;
        going.StartBackup(page, QFC::String(ProductId), drive);
    }
    ::DestroyWindow(page);
    return 0;
}

} // namespace

TEST_F(CopyWorkerRun, StartsAndDestructionWhileARunReportsDeliverEveryReport)
{
    // The page lives on a thread of its own, so that a deadlock fails here.
    OverlappingRuns runs = {false, false};
    HANDLE thread = ::CreateThread(nullptr, 0, startTwiceThenDestroy, &runs, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    DWORD ended = ::WaitForSingleObject(thread, 30000);
    ::CloseHandle(thread);
    ASSERT_EQ(WAIT_OBJECT_0, ended) << "a start or a destructor waited without delivering the reports";
    ASSERT_TRUE(runs.pageMade);
    EXPECT_TRUE(runs.secondStarted);
    // The first run keeps its own product although the second start names
    // another; the second run fails for that product; the third completes.
    EXPECT_EQ((std::vector<LPARAM>{StageProductBackup, StageUserInformation, StageDone, StageProductBackup,
                                   StageProductBackup, StageUserInformation, StageDone}),
              reports(NotifyStage));
    EXPECT_EQ((std::vector<LPARAM>{ErrorCopy}), reports(NotifyError));
    EXPECT_EQ(7u + 6u + 7u, events.size());
    EXPECT_EQ(ProductId, profileValue(disk + "\\DATA.INF", "PRODUCT-INFO", "ID"));
}

TEST(BackupErrorText, EveryCodeHasItsTextAndRetryRule)
{
    struct Case {
        int code;
        const char* text;
        bool retry;
    };
    const Case cases[] = {
        {ErrorCopy, "An error has occured while copying files to the floppy disk.\n\nPlease make sure that you have "
                    "a blank, formatted disk in drive A:.\n\nClick 'Next >' to try again, or 'Cancel' to quit.", true},
        {ErrorCreateDirectory, "An error occurred while attempting to create a directory. Please make sure that you "
                               "have disk space available.", false},
        {ErrorGetCustomerId, "An error occurred while attempting to retrieve the customer id.", false},
        {ErrorWriteCustomerId, "An error occurred while attempting to write the customer id.", false},
        {ErrorWriteProductId, "An error occurred while attempting to write the product id.", false},
        {ErrorGetTransaction, "An error occurred while attempting to retrieve transaction number.", false},
        {ErrorWriteTransaction, "An error occurred while attempting to write transaction number.", false},
    };
    for (const Case& c : cases) {
        bool retry = !c.retry;
        UINT id = BackupCopyAll::ErrorText(c.code, &retry);
        EXPECT_STREQ(c.text, ResourceText(id).textOrEmpty()) << "error " << c.code;
        EXPECT_EQ(c.retry, retry) << "error " << c.code;
    }
    bool retry = true;
    EXPECT_EQ(0u, BackupCopyAll::ErrorText(27, &retry));
    EXPECT_FALSE(retry);
}

// The copy page with its worker, in a backup wizard driven from a thread
// timer of the wizard's own thread.
namespace {

std::function<bool()>* activeStep = nullptr;
BackupWizard* drivenWizard = nullptr;
int ticksLeft = 0;

void CALLBACK driveTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (!drivenWizard->m_hWnd || !::IsWindowVisible(drivenWizard->m_hWnd))
        return;
    if (--ticksLeft < 0) {
        std::printf("the wizard was still open after its time; cancelled\n");
        drivenWizard->EndWizard(QFXWizardSheet::ResultCancel);
        return;
    }
    (*activeStep)();
}

// Runs wizard modally, calling step at idle moments until the wizard ends;
// false when it had to be cancelled after about 30 seconds.
bool driveWizard(BackupWizard& wizard, std::function<bool()> step)
{
    activeStep = &step;
    drivenWizard = &wizard;
    ticksLeft = 600;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &driveTick);
    wizard.DoModal();
    ::KillTimer(nullptr, timer);
    return ticksLeft >= 0;
}

void press(BackupWizard& wizard, UINT id)
{
    ::SendMessageA(wizard.m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(wizard.GetButton(id)));
}

// Goes to the copy page; once the final page shows, tells whether the copy
// page's window is still shown and ends the wizard with Cancel.
struct ToTheFinalPage {
    BackupWizard& wizard;
    int pressed;
    bool copyPageShown;
    UINT messageId;

    bool operator()()
    {
        if (pressed < 2) {
            press(wizard, QFXWizardSheet::IdNext);
            ++pressed;
        } else if (wizard.GetActiveIndex() == BackupWizard::FinalPage) {
            copyPageShown = ::IsWindowVisible(wizard.GetPage(BackupWizard::CopyFilesPage)->m_hWnd) != 0;
            messageId = wizard.MessageId();
            press(wizard, QFXWizardSheet::IdCancel);
        }
        return true;
    }
};

} // namespace

TEST_F(CopyWorkerRun, CopyPageFreesItsRecordsAndHidesAfterTheLastStage)
{
    int before = threadallocations::outstanding();
    {
        BackupWizard wizard(QFC::String("Creation Wizard"));
        wizard.SetUp(QFC::String(ProductId), QFC::String("Kelbrook Creation Wizard"));
        ToTheFinalPage step = {wizard, 0, true, 1};
        ASSERT_TRUE(driveWizard(wizard, std::ref(step)));
        EXPECT_EQ(0u, step.messageId) << "the run did not succeed";
        EXPECT_FALSE(step.copyPageShown) << "the copy page stayed shown under the final page";
    }
    EXPECT_EQ(FakeProgram, fileContents("A:\\Kelbrook.exe"));
    EXPECT_EQ(before, threadallocations::outstanding()) << "progress records that the copy page received";
}

TEST_F(CopyWorkerRun, CopyPageHidesAfterAnError)
{
    removeTree(disk);
    BackupWizard wizard(QFC::String("Creation Wizard"));
    wizard.SetUp(QFC::String(ProductId), QFC::String("Kelbrook Creation Wizard"));
    ToTheFinalPage step = {wizard, 0, true, 0};
    ASSERT_TRUE(driveWizard(wizard, std::ref(step)));
    EXPECT_EQ(static_cast<UINT>(IDS_BACKUP_COPY_ERROR), step.messageId);
    EXPECT_FALSE(step.copyPageShown) << "the copy page stayed shown under the final page";
}
