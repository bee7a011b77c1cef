// Kelbrook.exe restoring a backup disk, started from the disk itself.
#include "KelbrookSession.h"

#include "TestFiles.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using testsupport::fileContents;

const UINT Next = 101, Finish = 102, Cancel = 103;
const int Message = 1000, Header = 1010, Operation = 1011;
const char Welcome[] = "Welcome to the Recovery Wizard.\n\nThis Wizard will guide you through the process";
const char Ready[] = "The Kelbrook Recovery Wizard is now ready for you to re-install your Lumenvale application.";
const char CopyFailed[] = "An error occurred while copying the files.";
const char FolderFailed[] = "An error occurred while attempting to create a directory. Please make sure that you have disk space available.";
const char NoProductId[] = "An error occurred while attempting to read the product id.";
const char CopyHeader[] = "This portion of the wizard is copying system files that will be used later in the recovery process.";
const char RestoreStage[] = "Restoring product information...";
const char DiskProduct[] = "{D15C0000-RESTORE-0001}";
const DWORD RunTimeoutMs = 60000;

// The text of the control id below window at any depth, shown or hidden.
std::string anyControlText(HWND window, int id)
{
    HWND control = testsupport::anyControl(window, id);
    return control ? testsupport::windowText(control) : std::string("<no such control>");
}

// Every file below folder with its size (down to depth levels), for
// comparing a machine before and after.
void listTree(const std::string& folder, std::map<std::string, DWORD>& files, int depth)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string path = folder + "\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            files[path + "\\"] = 0;
            if (depth > 1)
                listTree(path, files, depth - 1);
        } else {
            files[path] = entry.nFileSizeLow;
        }
    } while (::FindNextFileA(search, &entry));
    ::FindClose(search);
}

class RecoveryWizardRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ("", WizardRun::whyNotStart());
        ASSERT_TRUE(machine.ready()) << "the machine could not be prepared";
        restored = machine.windowsDirectory() + "\\Brenvick\\ZEPH\\Info\\" + DiskProduct;
        testsupport::removeTree(restored);
        // The disk's own program and library, as a backup leaves them.
        ASSERT_TRUE(::CopyFileA((machine.windowsDirectory() + "\\Kelbrook.exe").c_str(), disk("Kelbrook.exe").c_str(), FALSE));
        ASSERT_TRUE(::CopyFileA((machine.systemDirectory() + "\\ZEPHAPI.DLL").c_str(), disk("ZEPHAPI.DLL").c_str(), FALSE));
        ASSERT_TRUE(testsupport::createDirectories(disk("ENF")));
        ASSERT_TRUE(testsupport::writeFile(disk("ENF\\PRODUCT.INF"), "[PRODUCT]\r\nZEPH-Receipt-TxN=TXN-9\r\n"));
        ASSERT_TRUE(testsupport::writeFile(disk("ENF\\DATA.BIN"), std::string("\0\1\2\3", 4)));
        writeReceipt(DiskProduct);
        // What the restore must replace on the machine, told apart by content.
        ::DeleteFileA((machine.windowsDirectory() + "\\Kelbrook.exe").c_str());
        ASSERT_TRUE(testsupport::writeFile(machine.systemDirectory() + "\\ZEPHAPI.DLL", "older library"));
    }

    void TearDown() override
    {
        testsupport::removeTree(restored);
        // A test that put a file in place of the folder of records puts the
        // folder back, also when it failed halfway.
        if (!savedRecords.empty()) {
            ::DeleteFileA(records.c_str());
            ::MoveFileA(savedRecords.c_str(), records.c_str());
        }
    }

    std::string disk(const char* name) const { return machine.disk() + "\\" + name; }

    void writeReceipt(const char* productId)
    {
        ::DeleteFileA(disk("DATA.INF").c_str());
        ::WritePrivateProfileStringA("CUSTOMER-INFO", "ID", "CUST-1", disk("DATA.INF").c_str());
        if (productId)
            ::WritePrivateProfileStringA("PRODUCT-INFO", "ID", productId, disk("DATA.INF").c_str());
    }

    void startFromTheDisk()
    {
        ASSERT_TRUE(run.start("A:\\Kelbrook.exe", ""));
        ASSERT_TRUE(run.waitForPageText(Message, Welcome, testsupport::WindowTimeoutMs)) << run.pageText(Message);
    }

    // Next on the first page must show the missing-identifier box; OK closes it.
    void expectRefusedAndStay()
    {
        ASSERT_TRUE(run.press(Next));
        HWND box = testsupport::waitForMessageBox(run.process(), testsupport::WindowTimeoutMs);
        ASSERT_NE(nullptr, box);
        EXPECT_EQ("Kelbrook", testsupport::windowText(box));
        EXPECT_EQ(NoProductId, testsupport::messageBoxText(box));
        EXPECT_TRUE(testsupport::pressButton(box, "OK"));
        EXPECT_TRUE(testsupport::waitForWindowGone(box, testsupport::WindowTimeoutMs));
        EXPECT_TRUE(run.waitForPageText(Message, Welcome, testsupport::WindowTimeoutMs));
        EXPECT_TRUE(run.buttonEnabled(Next));
    }

    KelbrookMachine machine;
    WizardRun run;
    std::string restored;
    std::string records, savedRecords;
};

} // namespace

TEST_F(RecoveryWizardRun, RestoresEverythingFromTheDisk)
{
    startFromTheDisk();
    EXPECT_EQ("Kelbrook Recovery Wizard", run.caption());
    ASSERT_TRUE(run.press(Next));
    ASSERT_TRUE(run.waitForPageText(Message, Ready, RunTimeoutMs)) << run.pageText(Message);
    EXPECT_TRUE(run.buttonVisible(Finish) && run.buttonEnabled(Finish));
    EXPECT_FALSE(run.buttonVisible(Next));
    // The copy page, hidden now, keeps its header and last stage line.
    EXPECT_EQ(CopyHeader, anyControlText(run.window(), Header));
    EXPECT_EQ(RestoreStage, anyControlText(run.window(), Operation));
    ASSERT_TRUE(run.press(Finish));
    EXPECT_TRUE(run.endsWithCodeZero());

    EXPECT_EQ(fileContents(disk("Kelbrook.exe")), fileContents(machine.windowsDirectory() + "\\Kelbrook.exe"));
    EXPECT_EQ(fileContents(disk("ZEPHAPI.DLL")), fileContents(machine.systemDirectory() + "\\ZEPHAPI.DLL"));
    EXPECT_EQ(fileContents(disk("ENF\\PRODUCT.INF")), fileContents(restored + "\\PRODUCT.INF"));
    EXPECT_EQ(std::string("\0\1\2\3", 4), fileContents(restored + "\\DATA.BIN"));
}

TEST_F(RecoveryWizardRun, NoReadableIdentifierKeepsTheFirstPage)
{
    startFromTheDisk();
    writeReceipt(nullptr);  // no PRODUCT-INFO section
    expectRefusedAndStay();
    ::WritePrivateProfileStringA("PRODUCT-INFO", "OTHER", "x", disk("DATA.INF").c_str());
    expectRefusedAndStay();
    ::WritePrivateProfileStringA("PRODUCT-INFO", "ID", "", disk("DATA.INF").c_str());
    expectRefusedAndStay();
    ::DeleteFileA(disk("DATA.INF").c_str());
    expectRefusedAndStay();

    writeReceipt(DiskProduct);
    ASSERT_TRUE(run.press(Next));
    ASSERT_TRUE(run.waitForPageText(Message, Ready, RunTimeoutMs)) << run.pageText(Message);
    ASSERT_TRUE(run.press(Finish));
    EXPECT_TRUE(run.endsWithCodeZero());
}

TEST_F(RecoveryWizardRun, HostileIdentifiersWriteNothing)
{
    startFromTheDisk();
    std::map<std::string, DWORD> before, after;
    // The drive's root, and all of the Windows directory, where a name
    // joined below the record folder could reach.
    listTree("C:", before, 1);
    listTree(machine.windowsDirectory(), before, 64);
    const char* hostile[] = {"..\\..\\WINDOWS\\SYSTEM", "C:\\X", "..", "a/b", "*.*", "x\x01y", "AUX", "con.txt", "LPT1"};
    for (const char* id : hostile) {
        writeReceipt(id);
        expectRefusedAndStay();
    }
    listTree("C:", after, 1);
    listTree(machine.windowsDirectory(), after, 64);
    EXPECT_TRUE(before == after) << "files were written while refusing a disk";
    ASSERT_TRUE(run.press(Cancel));
    EXPECT_TRUE(run.endsWithCodeZero());
}

TEST_F(RecoveryWizardRun, MissingDiskFolderIsACopyErrorWithCancelAlone)
{
    testsupport::removeTree(disk("ENF"));
    startFromTheDisk();
    ASSERT_TRUE(run.press(Next));
    ASSERT_TRUE(run.waitForPageText(Message, CopyFailed, RunTimeoutMs)) << run.pageText(Message);
    EXPECT_TRUE(run.buttonVisible(Cancel) && run.buttonEnabled(Cancel));
    EXPECT_FALSE(run.buttonVisible(Next));
    EXPECT_FALSE(run.buttonVisible(Finish));
    // The program files copied before the failure stay.
    EXPECT_EQ(fileContents(disk("Kelbrook.exe")), fileContents(machine.windowsDirectory() + "\\Kelbrook.exe"));
    ASSERT_TRUE(run.press(Cancel));
    EXPECT_TRUE(run.endsWithCodeZero());
}

TEST_F(RecoveryWizardRun, RecordFolderThatCannotBeCreated)
{
    records = machine.windowsDirectory() + "\\Brenvick\\ZEPH\\Info";
    savedRecords = records + ".saved";
    ASSERT_TRUE(::MoveFileA(records.c_str(), savedRecords.c_str()));
    ASSERT_TRUE(testsupport::writeFile(records, "a file where the folder must go"));
    startFromTheDisk();
    ASSERT_TRUE(run.press(Next));
    EXPECT_TRUE(run.waitForPageText(Message, FolderFailed, RunTimeoutMs)) << run.pageText(Message);
    EXPECT_TRUE(run.press(Cancel));
    EXPECT_TRUE(run.endsWithCodeZero());
}

TEST_F(RecoveryWizardRun, ExistingProductFolderKeepsOtherFiles)
{
    ASSERT_TRUE(testsupport::createDirectories(restored));
    ASSERT_TRUE(testsupport::writeFile(restored + "\\PRODUCT.INF", "stale record"));
    ASSERT_TRUE(testsupport::writeFile(restored + "\\KEEP.ME", "local file"));
    startFromTheDisk();
    ASSERT_TRUE(run.press(Next));
    ASSERT_TRUE(run.waitForPageText(Message, Ready, RunTimeoutMs)) << run.pageText(Message);
    EXPECT_EQ(fileContents(disk("ENF\\PRODUCT.INF")), fileContents(restored + "\\PRODUCT.INF"));
    EXPECT_EQ("local file", fileContents(restored + "\\KEEP.ME"));
    ASSERT_TRUE(run.press(Finish));
    EXPECT_TRUE(run.endsWithCodeZero());
}
