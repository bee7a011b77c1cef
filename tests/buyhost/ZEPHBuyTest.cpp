// ZEPHBuy.exe end to end: the real program in a child process, product
// records in the prefix's real record store, purchasing libraries built for
// the tests, and message boxes read and closed through their windows.
#include "InstalledRecord.h"

#include "ChildProcess.h"
#include "TestFiles.h"
#include "VersionInfo.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

const char InterfaceFailed[] =
    "ZEPHBUY:0004.  An error occured attempting to create the applications interface.";
const char RecordMissingStart[] = "ZEPHBUY:0005.";
const char LogVariable[] = "ZEPHBUY_FIXTURE_LOG";
// An exit code the host never gives: "no code was read".
const DWORD NoExitCode = 0xFFFF;

const DWORD PaintTimeoutMs = 5000;
// Per colour channel; alpha-blended icon edges may round differently on the
// screen than in a bitmap.
const int ChannelTolerance = 16;

bool closeColours(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= ChannelTolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= ChannelTolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= ChannelTolerance;
}

// Pixels of control that differ from the system icon iconId drawn over the
// control's own background (its top-left pixel); -1 when unreadable.
int mismatchedPixels(HWND control, LPCSTR iconId)
{
    std::vector<COLORREF> shown;
    int width = 0;
    int height = 0;
    if (!screenPixels(control, shown, width, height))
        return -1;
    std::vector<COLORREF> expected = iconPixels(::LoadIconA(nullptr, iconId), width, height, shown[0]);
    if (expected.size() != shown.size())
        return -1;
    int mismatches = 0;
    for (size_t i = 0; i < shown.size(); ++i)
        mismatches += closeColours(shown[i], expected[i]) ? 0 : 1;
    return mismatches;
}

// The message box shows the stop sign, and the comparison tells it from
// another icon. Waits a bounded time for the box to be painted.
void expectStopIcon(HWND box)
{
    HWND icon = iconControl(box);
    ASSERT_TRUE(icon != nullptr);
    int mismatches = -1;
    const DWORD start = ::GetTickCount();
    while ((mismatches = mismatchedPixels(icon, IDI_HAND)) != 0 && ::GetTickCount() - start < PaintTimeoutMs)
        ::Sleep(PollIntervalMs);
    EXPECT_EQ(0, mismatches);
    EXPECT_GT(mismatchedPixels(icon, IDI_EXCLAMATION), 0);
    EXPECT_GT(mismatchedPixels(icon, IDI_ASTERISK), 0);
}

std::string hostProgram()
{
    return windowsPath(ZEPHBUY_PROGRAM);
}

std::string fixture(const char* name)
{
    return moduleDirectory() + "\\" + name;
}

// One product for one test: its identifier, a fixture log, and the records
// the test installs (removed again afterwards).
class ZEPHBuyRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        identifier = uniqueName("{ZEPHBuy-Test}");
        logPath = scratch.file("fixture.log");
        ::SetEnvironmentVariableA(LogVariable, logPath.c_str());
    }

    void TearDown() override
    {
        ::SetEnvironmentVariableA(LogVariable, nullptr);
    }

    void installUnder(const std::string& base, const std::string& contents)
    {
        records.emplace_back(new InstalledRecord(infoFolder(base) + "\\" + identifier, contents));
        ASSERT_TRUE(records.back()->written());
    }

    std::string fixtureLog()
    {
        std::string log;
        return readFile(logPath, log) ? log : std::string("(no log)");
    }

    // Runs the host and returns its exit code; a run that shows any window
    // or does not end in time fails the test.
    DWORD runWithoutMessage(const std::string& arguments)
    {
        ChildProcess child;
        EXPECT_TRUE(child.start(hostProgram(), arguments));
        DWORD code = NoExitCode;
        EXPECT_TRUE(child.waitForExit(ExitTimeoutMs, code)) << "ZEPHBuy " << arguments << " did not end";
        return code;
    }

    // Runs the host, which must show exactly one message box with the host's
    // caption, style and text; presses OK and returns the exit code. The
    // fixture's log as it stands while the box is up goes to logWhileShown.
    DWORD runExpectingMessage(const std::string& arguments, std::string& text,
                              std::string* logWhileShown = nullptr)
    {
        ChildProcess child;
        EXPECT_TRUE(child.start(hostProgram(), arguments));
        HWND box = waitForMessageBox(child, WindowTimeoutMs);
        EXPECT_TRUE(box != nullptr) << "no message box from ZEPHBuy " << arguments;
        if (!box)
            return NoExitCode;
        EXPECT_EQ("ZEPHBuy", windowText(box));
        EXPECT_EQ(nullptr, ::GetWindow(box, GW_OWNER));
        EXPECT_EQ(std::vector<std::string>({"OK"}), buttonTexts(box));
        expectStopIcon(box);
        text = messageBoxText(box);
        if (logWhileShown)
            *logWhileShown = fixtureLog();
        EXPECT_TRUE(pressButton(box, "OK"));
        DWORD code = NoExitCode;
        EXPECT_TRUE(child.waitForExit(ExitTimeoutMs, code)) << "ZEPHBuy did not end after OK";
        return code;
    }

    void expectInterfaceFailed(const std::string& arguments)
    {
        std::string text;
        EXPECT_EQ(0u, runExpectingMessage(arguments, text));
        EXPECT_EQ(InterfaceFailed, text);
    }

    void expectRecordMissing(const std::string& arguments)
    {
        std::string text;
        EXPECT_EQ(0u, runExpectingMessage(arguments, text));
        EXPECT_EQ(0u, text.find(RecordMissingStart)) << text;
        EXPECT_NE(std::string::npos, text.find("record")) << text;
        EXPECT_NE(std::string::npos, text.find("needed to run the application")) << text;
    }

    std::string identifier;
    TempFolder scratch{"zephbuy"};
    std::string logPath;
    std::vector<std::unique_ptr<InstalledRecord>> records;
};

} // namespace

TEST_F(ZEPHBuyRun, ExecuteTrueGivesExitOneAndTheExactIdentifier)
{
    identifier = uniqueName("{Prod A1} spaced");
    installUnder(windowsBase(), recordNaming(fixture("ExecuteReturnsOne.dll")));
    EXPECT_EQ(1u, runWithoutMessage("/GUID \"" + identifier + "\""));
    EXPECT_EQ("loaded\nexecute[" + identifier + "]\nfreed\n", fixtureLog());
}

TEST_F(ZEPHBuyRun, ExecuteFalseOrOnlyHighBitsGiveExitZero)
{
    installUnder(windowsBase(), recordNaming(fixture("ExecuteReturnsZero.dll")));
    EXPECT_EQ(0u, runWithoutMessage("-guid " + identifier));
    EXPECT_EQ("loaded\nexecute[" + identifier + "]\nfreed\n", fixtureLog());

    records.clear();
    ::DeleteFileA(logPath.c_str());
    installUnder(windowsBase(), recordNaming(fixture("ExecuteReturns256.dll")));
    EXPECT_EQ(0u, runWithoutMessage("+Guid " + identifier + "  "));
    EXPECT_EQ("loaded\nexecute[" + identifier + "]\nfreed\n", fixtureLog());
}

TEST_F(ZEPHBuyRun, LibraryWithoutExecuteIsUnloadedAfterMessageFour)
{
    installUnder(windowsBase(), recordNaming(fixture("NoExecute.dll")));
    std::string text;
    std::string logWhileShown;
    EXPECT_EQ(0u, runExpectingMessage("/GUID " + identifier, text, &logWhileShown));
    EXPECT_EQ(InterfaceFailed, text);
    EXPECT_EQ("loaded\n", logWhileShown);
    EXPECT_EQ("loaded\nfreed\n", fixtureLog());
}

TEST_F(ZEPHBuyRun, UnloadableLibraryGivesMessageFour)
{
    const std::string textFile = scratch.file("NotALibrary.dll");
    ASSERT_TRUE(writeFile(textFile, "This is a text file, not a library.\r\n"));
    installUnder(windowsBase(), recordNaming(textFile));
    expectInterfaceFailed("/GUID " + identifier);

    records.clear();
    installUnder(windowsBase(), recordNaming(scratch.file("Missing.dll")));
    expectInterfaceFailed("/GUID " + identifier);
}

TEST_F(ZEPHBuyRun, EmptyOrMissingLibraryFieldGivesMessageFour)
{
    installUnder(windowsBase(), "[PRODUCT]\r\nUI-LIBRARY=\r\n");
    expectInterfaceFailed("/GUID " + identifier);

    records.clear();
    installUnder(windowsBase(), "[PRODUCT]\r\nZEPH-Receipt-TxN=1\r\n[OTHER]\r\nUI-LIBRARY=" +
                                    fixture("ExecuteReturnsOne.dll") + "\r\n");
    expectInterfaceFailed("/GUID " + identifier);
    EXPECT_EQ("(no log)", fixtureLog());
}

TEST_F(ZEPHBuyRun, NoRecordGivesMessageFive)
{
    expectRecordMissing("/GUID " + identifier);
    expectRecordMissing("");
    expectRecordMissing("/GUID");
    // The record of another product does not count.
    installUnder(windowsBase(), recordNaming(fixture("ExecuteReturnsOne.dll")));
    expectRecordMissing("/GUID " + identifier + "x");
    EXPECT_EQ("(no log)", fixtureLog());
}

TEST_F(ZEPHBuyRun, ProgramFilesRecordTakesPrecedence)
{
    installUnder(windowsBase(), recordNaming(fixture("NoExecute.dll")));
    installUnder(programFilesBase(), recordNaming(fixture("ExecuteReturnsOne.dll")));
    EXPECT_EQ(1u, runWithoutMessage("/GUID " + identifier));
    EXPECT_EQ("loaded\nexecute[" + identifier + "]\nfreed\n", fixtureLog());
}

TEST_F(ZEPHBuyRun, IdentifierLeavingTheStoreLoadsNothing)
{
    // A record where "Info\..\<name>" leads, naming a library that would
    // report its loading.
    const std::string planted = uniqueName("Planted");
    InstalledRecord trap(windowsBase() + "\\Brenvick\\ZEPH\\" + planted,
                         recordNaming(fixture("ExecuteReturnsOne.dll")));
    ASSERT_TRUE(trap.written());
    expectRecordMissing("/GUID ..\\" + planted);
    expectRecordMissing("/GUID \"" + trap.folder() + "\"");
    EXPECT_EQ("(no log)", fixtureLog());
}

TEST_F(ZEPHBuyRun, BareLibraryNameIsFoundBesideTheHost)
{
    const std::string host = scratch.file("ZEPHBuy.exe");
    ASSERT_TRUE(::CopyFileA(hostProgram().c_str(), host.c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA(fixture("ExecuteReturnsOne.dll").c_str(), scratch.file("Beside.dll").c_str(), FALSE));
    installUnder(windowsBase(), recordNaming("Beside.dll"));

    ChildProcess child;
    ASSERT_TRUE(child.start(host, "/GUID " + identifier, moduleDirectory()));
    DWORD code = NoExitCode;
    ASSERT_TRUE(child.waitForExit(ExitTimeoutMs, code));
    EXPECT_EQ(1u, code);
    EXPECT_EQ("loaded\nexecute[" + identifier + "]\nfreed\n", fixtureLog());
}

TEST_F(ZEPHBuyRun, HostLeftWithItsMessageIsKilledOnTimeOut)
{
    ChildProcess child;
    ASSERT_TRUE(child.start(hostProgram(), "/GUID " + identifier));
    HWND box = waitForMessageBox(child, WindowTimeoutMs);
    ASSERT_TRUE(box != nullptr);
    DWORD code = NoExitCode;
    EXPECT_FALSE(child.waitForExit(PollIntervalMs, code));
    EXPECT_EQ(NoExitCode, code);
    EXPECT_TRUE(child.isRunning());
    child.kill();
    EXPECT_FALSE(child.isRunning());
    ASSERT_TRUE(child.waitForExit(0, code));
    EXPECT_EQ(static_cast<DWORD>(KilledExitCode), code);
    EXPECT_TRUE(waitForWindowGone(box, WindowTimeoutMs));
    EXPECT_TRUE(topLevelWindows(child.id()).empty());
}

TEST(ZEPHBuyResources, VersionResourceDescribesTheHost)
{
    testsupport::VersionInfo info(hostProgram());
    ASSERT_TRUE(info.loaded());

    const VS_FIXEDFILEINFO* fixed = info.fixed();
    ASSERT_NE(nullptr, fixed);
    EXPECT_EQ(MAKELONG(50, 1), fixed->dwFileVersionMS);
    EXPECT_EQ(MAKELONG(83, 0), fixed->dwFileVersionLS);
    EXPECT_EQ(MAKELONG(1, 1), fixed->dwProductVersionMS);
    EXPECT_EQ(0u, fixed->dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);
    EXPECT_EQ(0x40004u, fixed->dwFileOS);

    std::vector<DWORD> translations = info.translations();
    ASSERT_EQ(1u, translations.size());
    EXPECT_EQ(0x0409, LOWORD(translations[0]));
    EXPECT_EQ(0x04b0, HIWORD(translations[0]));

    EXPECT_EQ("ZEPHBuy", info.value("FileDescription"));
    EXPECT_EQ("ZEPHBuy", info.value("InternalName"));
    EXPECT_EQ("ZEPHBuy.exe", info.value("OriginalFilename"));
}

TEST(ZEPHBuyResources, MessagesAreUsEnglishStringsOfTheProgram)
{
    HMODULE host = ::LoadLibraryExA(hostProgram().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(host != nullptr);
    const WORD usEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    // Strings 4 and 5 live in string block 1 (ids 0 to 15).
    EXPECT_TRUE(::FindResourceExA(host, RT_STRING, MAKEINTRESOURCEA(1), usEnglish) != nullptr);
    char text[512] = {};
    EXPECT_GT(::LoadStringA(host, 4, text, sizeof(text)), 0);
    EXPECT_STREQ(InterfaceFailed, text);
    EXPECT_GT(::LoadStringA(host, 5, text, sizeof(text)), 0);
    EXPECT_EQ(0, std::string(text).find(RecordMissingStart));
    ::FreeLibrary(host);
}
