// Kelbrook.exe backing up a product to drive A:, driven through its windows.
#include "KelbrookSession.h"

#include "CustomerId.h"
#include "TestFiles.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testsupport::fileContents;
using testsupport::profileValue;

// Ids of the sheet's buttons and the pages' texts.
const UINT Back = 100, Next = 101, Finish = 102, Cancel = 103;
const int Message = 1000, Operation = 1011;

const char Welcome[] = "Welcome to the Backup Wizard.\n\nThis backup will provide you with a physical receipt";
const char InsertDisk[] = "Please insert a blank, formatted floppy disk in drive A:.\n\nWhen you're ready to continue, click 'Next >'.";
const char Complete[] = "Creation of the Kelbrook is complete.\n\nPlease store your Kelbrook disk in a safe place.\n\nThank you for using Lumenvale!";
const char CopyError[] = "An error has occured while copying files to the floppy disk.\n\nPlease make sure that you have a blank, formatted disk in drive A:.\n\nClick 'Next >' to try again, or 'Cancel' to quit.";
const char CustomerIdError[] = "An error occurred while attempting to retrieve the customer id.";
const char TransactionError[] = "An error occurred while attempting to retrieve transaction number.";
const char UserInformationStage[] = "Backing up user information...";
const DWORD RunTimeoutMs = 60000;
// How late the stand-in answers each question in the tests that act during
// the receipt stage; the stage then lasts about twice as long.
const DWORD SlowAnswerMs = 4000;
// A pumping interface thread handles a posted message well within this.
const DWORD HandledMs = 1000;

// True when window is hidden (or gone) within timeoutMs.
bool waitForHidden(HWND window, DWORD timeoutMs)
{
    DWORD deadline = ::GetTickCount() + timeoutMs;
    while (::IsWindowVisible(window) && ::GetTickCount() < deadline)
        ::Sleep(testsupport::PollIntervalMs);
    return !::IsWindowVisible(window);
}

class BackupWizardRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ("", WizardRun::whyNotStart());
        ASSERT_TRUE(machine.ready()) << "the machine could not be prepared";
    }

    // Starts the backup of the machine's product and goes to the copy page.
    void startAndCopy()
    {
        ASSERT_TRUE(run.start(machine.windowsDirectory() + "\\Kelbrook.exe",
                              std::string("/CREATE /GUID=") + KelbrookMachine::ProductId));
        ASSERT_TRUE(run.waitForPageText(Message, Welcome, testsupport::WindowTimeoutMs));
        ASSERT_TRUE(run.press(Next));
        ASSERT_TRUE(run.waitForPageText(Message, InsertDisk, testsupport::WindowTimeoutMs));
        ASSERT_TRUE(run.press(Next));
    }

    std::string disk(const char* name) const { return machine.disk() + "\\" + name; }

    KelbrookMachine machine;
    WizardRun run;
};

} // namespace

TEST_F(BackupWizardRun, EveryPageThenAFullDisk)
{
    ASSERT_TRUE(run.start(machine.windowsDirectory() + "\\Kelbrook.exe",
                          std::string("/create /guid=") + KelbrookMachine::ProductId + " trailing words"));
    ASSERT_TRUE(run.waitForPageText(Message, Welcome, testsupport::WindowTimeoutMs)) << run.pageText(Message);
    EXPECT_EQ("Kelbrook Creation Wizard", run.caption());
    EXPECT_TRUE(run.buttonVisible(Next) && run.buttonEnabled(Next));
    EXPECT_TRUE(run.buttonVisible(Cancel) && run.buttonEnabled(Cancel));
    EXPECT_FALSE(run.buttonEnabled(Back));
    EXPECT_FALSE(run.buttonVisible(Finish));

    ASSERT_TRUE(run.press(Next));
    ASSERT_TRUE(run.waitForPageText(Message, InsertDisk, testsupport::WindowTimeoutMs)) << run.pageText(Message);
    EXPECT_TRUE(run.buttonEnabled(Back));
    ASSERT_TRUE(run.press(Back));
    ASSERT_TRUE(run.waitForPageText(Message, Welcome, testsupport::WindowTimeoutMs));
    ASSERT_TRUE(run.press(Next));
    ASSERT_TRUE(run.waitForPageText(Message, InsertDisk, testsupport::WindowTimeoutMs));
    ASSERT_TRUE(run.press(Next));

    ASSERT_TRUE(run.waitForPageText(Message, Complete, RunTimeoutMs)) << run.pageText(Message);
    EXPECT_STREQ(Complete, run.pageText(Message).c_str());
    EXPECT_TRUE(run.buttonVisible(Finish) && run.buttonEnabled(Finish));
    EXPECT_FALSE(run.buttonVisible(Next));
    EXPECT_FALSE(run.buttonVisible(Back));
    ASSERT_TRUE(run.press(Finish));
    EXPECT_TRUE(run.endsWithCodeZero());

    // The identifier reaches the wizard upper-cased, as the record folder
    // names it here.
    EXPECT_EQ(fileContents(machine.windowsDirectory() + "\\Kelbrook.exe"), fileContents(disk("Kelbrook.exe")));
    EXPECT_EQ(fileContents(machine.systemDirectory() + "\\ZEPHAPI.DLL"), fileContents(disk("ZEPHAPI.DLL")));
    EXPECT_EQ(fileContents(machine.productFolder() + "\\PRODUCT.INF"), fileContents(disk("ENF\\PRODUCT.INF")));
    EXPECT_EQ(std::string("lic\0\xFF\x01", 6), fileContents(disk("ENF\\LICENSE.DAT")));
    EXPECT_EQ("CUST-000815", profileValue(disk("DATA.INF"), "CUSTOMER-INFO", "ID"));
    EXPECT_EQ(KelbrookMachine::ProductId, profileValue(disk("DATA.INF"), "PRODUCT-INFO", "ID"));
    EXPECT_EQ("TXN-4711", profileValue(disk("DATA.INF"), "TXN-INFO", "TXN"));
}

TEST_F(BackupWizardRun, CancelEndsWithCodeZero)
{
    ASSERT_TRUE(run.start(machine.windowsDirectory() + "\\Kelbrook.exe",
                          std::string("/GUID=") + KelbrookMachine::ProductId + " /CREATE"));
    ASSERT_TRUE(run.waitForPageText(Message, Welcome, testsupport::WindowTimeoutMs));
    ASSERT_TRUE(run.press(Cancel));
    EXPECT_TRUE(run.endsWithCodeZero());
    EXPECT_FALSE(testsupport::pathExists(disk("DATA.INF")));
}

TEST_F(BackupWizardRun, MissingIdentifierShowsTheMessageAndEnds)
{
    testsupport::ChildProcess child;
    ASSERT_TRUE(child.start(machine.windowsDirectory() + "\\Kelbrook.exe", "/CREATE"));
    HWND box = testsupport::waitForMessageBox(child, testsupport::WindowTimeoutMs);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Kelbrook", testsupport::windowText(box));
    EXPECT_EQ("No Product Id was specified. Kelbrook requires a Product Id to perform the backup or recovery.",
              testsupport::messageBoxText(box));
    EXPECT_NE(nullptr, testsupport::iconControl(box));
    EXPECT_TRUE(testsupport::pressButton(box, "OK"));
    DWORD code = 99;
    ASSERT_TRUE(child.waitForExit(testsupport::ExitTimeoutMs, code));
    EXPECT_EQ(0u, code);
}

TEST_F(BackupWizardRun, NoDiskThenADiskCopiesFromTheFirstFile)
{
    machine.removeDisk();
    startAndCopy();
    ASSERT_TRUE(run.waitForPageText(Message, CopyError, RunTimeoutMs)) << run.pageText(Message);
    EXPECT_TRUE(run.buttonVisible(Next) && run.buttonEnabled(Next));
    EXPECT_TRUE(run.buttonVisible(Cancel) && run.buttonEnabled(Cancel));
    EXPECT_FALSE(run.buttonVisible(Finish));

    machine.insertEmptyDisk();
    ASSERT_TRUE(run.press(Next));
    ASSERT_TRUE(run.waitForPageText(Message, Complete, RunTimeoutMs)) << run.pageText(Message);
    EXPECT_EQ(fileContents(machine.windowsDirectory() + "\\Kelbrook.exe"), fileContents(disk("Kelbrook.exe")));
    EXPECT_EQ("TXN-4711", profileValue(disk("DATA.INF"), "TXN-INFO", "TXN"));
    ASSERT_TRUE(run.press(Finish));
    EXPECT_TRUE(run.endsWithCodeZero());
}

TEST_F(BackupWizardRun, SubfolderInTheProductFolderIsACopyError)
{
    ASSERT_TRUE(testsupport::createDirectories(machine.productFolder() + "\\NESTED"));
    startAndCopy();
    ASSERT_TRUE(run.waitForPageText(Message, CopyError, RunTimeoutMs)) << run.pageText(Message);
    ASSERT_TRUE(run.press(Cancel));
    EXPECT_TRUE(run.endsWithCodeZero());
}

TEST_F(BackupWizardRun, EmptyCustomerIdKeepsItsErrorWithCancelAlone)
{
    ASSERT_TRUE(testsupport::setCustomerId(nullptr));
    startAndCopy();
    ASSERT_TRUE(run.waitForPageText(Message, CustomerIdError, RunTimeoutMs)) << run.pageText(Message);
    // The run goes on behind the final page and writes the other sections.
    DWORD deadline = ::GetTickCount() + RunTimeoutMs;
    while (profileValue(disk("DATA.INF"), "TXN-INFO", "TXN") != "TXN-4711" && ::GetTickCount() < deadline)
        ::Sleep(testsupport::PollIntervalMs);
    EXPECT_EQ("TXN-4711", profileValue(disk("DATA.INF"), "TXN-INFO", "TXN"));
    EXPECT_EQ(KelbrookMachine::ProductId, profileValue(disk("DATA.INF"), "PRODUCT-INFO", "ID"));
    ::Sleep(500);
    EXPECT_EQ(CustomerIdError, run.pageText(Message));
    EXPECT_TRUE(run.buttonVisible(Cancel) && run.buttonEnabled(Cancel));
    EXPECT_FALSE(run.buttonVisible(Next));
    EXPECT_FALSE(run.buttonVisible(Finish));
    ASSERT_TRUE(run.press(Cancel));
    EXPECT_TRUE(run.endsWithCodeZero());
}

TEST_F(BackupWizardRun, RecordWithoutTransactionStopsAfterTwoSections)
{
    ASSERT_TRUE(testsupport::writeFile(machine.productFolder() + "\\PRODUCT.INF", "[PRODUCT]\r\nUI-LIBRARY=x.dll\r\n"));
    startAndCopy();
    ASSERT_TRUE(run.waitForPageText(Message, TransactionError, RunTimeoutMs)) << run.pageText(Message);
    EXPECT_EQ("CUST-000815", profileValue(disk("DATA.INF"), "CUSTOMER-INFO", "ID"));
    EXPECT_EQ(KelbrookMachine::ProductId, profileValue(disk("DATA.INF"), "PRODUCT-INFO", "ID"));
    EXPECT_EQ("<missing>", profileValue(disk("DATA.INF"), "TXN-INFO", "TXN"));
    EXPECT_FALSE(run.buttonVisible(Next));
    ASSERT_TRUE(run.press(Cancel));
    EXPECT_TRUE(run.endsWithCodeZero());
}

TEST_F(BackupWizardRun, FilesOnTheDiskReplacedOthersKept)
{
    ASSERT_TRUE(testsupport::createDirectories(disk("ENF")));
    ASSERT_TRUE(testsupport::writeFile(disk("Kelbrook.exe"), "old"));
    ASSERT_TRUE(testsupport::writeFile(disk("ENF\\OTHER.INF"), "another product"));
    startAndCopy();
    ASSERT_TRUE(run.waitForPageText(Message, Complete, RunTimeoutMs)) << run.pageText(Message);
    EXPECT_EQ(fileContents(machine.windowsDirectory() + "\\Kelbrook.exe"), fileContents(disk("Kelbrook.exe")));
    EXPECT_EQ("another product", fileContents(disk("ENF\\OTHER.INF")));
    ASSERT_TRUE(run.press(Finish));
    EXPECT_TRUE(run.endsWithCodeZero());
}

TEST_F(BackupWizardRun, ClosingIsRefusedWhileTheCopyRuns)
{
    ASSERT_TRUE(testsupport::setAnswerDelay(SlowAnswerMs));
    startAndCopy();
    ASSERT_TRUE(run.waitForPageText(Operation, UserInformationStage, RunTimeoutMs)) << run.pageText(Operation);
    HWND sheet = run.window();
    // The close box, Alt+F4 (the context bit says Alt is down) and Escape.
    ::PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
    ::PostMessageA(sheet, WM_SYSKEYDOWN, VK_F4, 1 << 29);
    ::PostMessageA(sheet, WM_KEYDOWN, VK_ESCAPE, 0);
    ::Sleep(HandledMs);
    ASSERT_TRUE(::IsWindowVisible(sheet)) << "the wizard closed during the copy";
    ASSERT_EQ(UserInformationStage, run.pageText(Operation)) << "the run ended before the attempts were handled";

    ASSERT_TRUE(run.waitForPageText(Message, Complete, RunTimeoutMs)) << run.pageText(Message);
    EXPECT_EQ(fileContents(machine.windowsDirectory() + "\\Kelbrook.exe"), fileContents(disk("Kelbrook.exe")));
    EXPECT_EQ(fileContents(machine.productFolder() + "\\PRODUCT.INF"), fileContents(disk("ENF\\PRODUCT.INF")));
    EXPECT_EQ("CUST-000815", profileValue(disk("DATA.INF"), "CUSTOMER-INFO", "ID"));
    EXPECT_EQ("TXN-4711", profileValue(disk("DATA.INF"), "TXN-INFO", "TXN"));
    ASSERT_TRUE(run.press(Finish));
    EXPECT_TRUE(run.endsWithCodeZero());
}

TEST_F(BackupWizardRun, CancelWhileTheRunGoesOnAfterTheCustomerIdError)
{
    ASSERT_TRUE(testsupport::setCustomerId(nullptr));
    ASSERT_TRUE(testsupport::setAnswerDelay(SlowAnswerMs));
    startAndCopy();
    ASSERT_TRUE(run.waitForPageText(Message, CustomerIdError, RunTimeoutMs)) << run.pageText(Message);
    // The worker now waits for the stand-in to select the product.
    ASSERT_TRUE(run.press(Cancel));
    EXPECT_TRUE(waitForHidden(run.window(), HandledMs)) << "the sheet stayed while the run went on";
    EXPECT_TRUE(run.process().isRunning());
    EXPECT_EQ("<missing>", profileValue(disk("DATA.INF"), "TXN-INFO", "TXN"));
    EXPECT_TRUE(run.endsWithCodeZero());
    EXPECT_EQ("", profileValue(disk("DATA.INF"), "CUSTOMER-INFO", "ID"));
    EXPECT_EQ(KelbrookMachine::ProductId, profileValue(disk("DATA.INF"), "PRODUCT-INFO", "ID"));
    EXPECT_EQ("TXN-4711", profileValue(disk("DATA.INF"), "TXN-INFO", "TXN"));
}
