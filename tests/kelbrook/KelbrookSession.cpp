#include "KelbrookSession.h"

#include "CustomerId.h"
#include "TestFiles.h"
#include "WindowDriver.h"

#include <cstdio>
#include <cstdlib>

namespace {

bool copyBeside(const char* name, const std::string& destination)
{
    std::string source = testsupport::moduleDirectory() + "\\" + name;
    return ::CopyFileA(source.c_str(), destination.c_str(), FALSE) != 0;
}

// Runs in a row that showed nothing that was waited for, and the last story.
int runsShowingNothing = 0;
std::string lastNothingShown;
const int RunsShowingNothingToGiveUp = 2;

} // namespace

const char KelbrookMachine::ProductId[] = "{7A11E5C0-0000-4E2E-8000-0000DEADBEEF}";

KelbrookMachine::KelbrookMachine() : ready_(false)
{
    windows = testsupport::windowsDirectory();
    system = testsupport::systemDirectory();
    product = windows + "\\Brenvick\\ZEPH\\Info\\" + ProductId;
    const char* behindA = std::getenv("SUITE_FLOPPY");
    if (!behindA || windows.empty() || system.empty())
        return;
    floppy = behindA;
    testsupport::removeTree(product);
    insertEmptyDisk();
    ready_ = testsupport::createDirectories(product) &&
             testsupport::writeFile(product + "\\PRODUCT.INF",
                                    "[PRODUCT]\r\nUI-LIBRARY=purchase.dll\r\nZEPH-Receipt-TxN=TXN-4711\r\n") &&
             testsupport::writeFile(product + "\\LICENSE.DAT", std::string("lic\0\xFF\x01", 6)) &&
             copyBeside("Kelbrook.exe", windows + "\\Kelbrook.exe") &&
             copyBeside("ZEPHAPI.DLL", system + "\\ZEPHAPI.DLL");
    testsupport::setCustomerId("CUST-000815");
}

KelbrookMachine::~KelbrookMachine()
{
    testsupport::removeTree(product);
    insertEmptyDisk();
    ::DeleteFileA((windows + "\\Kelbrook.exe").c_str());
    ::DeleteFileA((system + "\\ZEPHAPI.DLL").c_str());
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, testsupport::CustomerIdKey);
}

void KelbrookMachine::insertEmptyDisk()
{
    testsupport::removeTree(floppy);
    testsupport::createDirectories(floppy);
}

void KelbrookMachine::removeDisk()
{
    testsupport::removeTree(floppy);
}

std::string WizardRun::whyNotStart()
{
    if (runsShowingNothing < RunsShowingNothingToGiveUp)
        return std::string();
    return "the program showed nothing in " + std::to_string(runsShowingNothing) +
           " runs in a row, so it is not started again; the last run: " + lastNothingShown;
}

void WizardRun::noteShown(bool shown, const std::string& why)
{
    if (shown) {
        runsShowingNothing = 0;
        return;
    }
    ++runsShowingNothing;
    lastNothingShown = why;
    std::printf("%s\n", why.c_str());
}

bool WizardRun::start(const std::string& program, const std::string& arguments)
{
    if (!child.start(program, arguments)) {
        std::printf("could not start %s\n", program.c_str());
        return false;
    }
    const DWORD begin = ::GetTickCount();
    while (::GetTickCount() - begin < testsupport::WindowTimeoutMs && child.isRunning()) {
        std::vector<HWND> windows = testsupport::topLevelWindows(child.id());
        for (HWND w : windows) {
            char className[64] = {};
            ::GetClassNameA(w, className, sizeof className);
            if (std::string(className) != testsupport::DialogClass) {
                sheet = w;
                return true;
            }
        }
        ::Sleep(testsupport::PollIntervalMs);
    }
    noteShown(false, "waited " + std::to_string(::GetTickCount() - begin) + " ms for a wizard window of " + program +
                         (child.isRunning() ? "; none came" : "; the program ended first"));
    return false;
}

std::string WizardRun::caption() const
{
    return testsupport::windowText(sheet);
}

std::string WizardRun::pageText(int controlId) const
{
    HWND control = testsupport::visibleControl(sheet, controlId);
    return control ? testsupport::windowText(control) : std::string("<no such control>");
}

bool WizardRun::waitForPageText(int controlId, const std::string& prefix, DWORD timeoutMs)
{
    std::string why;
    testsupport::WizardTextWait end =
        testsupport::waitForWizardText(sheet, [&] { return pageText(controlId); }, prefix, timeoutMs, why);
    if (end == testsupport::WizardTextWait::Shown) {
        noteShown(true, std::string());
        return true;
    }
    why = "control " + std::to_string(controlId) + ": " + why;
    // A wait that ran its full time saw the program show nothing of its story.
    if (end == testsupport::WizardTextWait::TimeUp)
        noteShown(false, why);
    else
        std::printf("%s\n", why.c_str());
    return false;
}

bool WizardRun::buttonVisible(UINT id) const
{
    HWND button = ::GetDlgItem(sheet, id);
    return button && ::IsWindowVisible(button);
}

bool WizardRun::buttonEnabled(UINT id) const
{
    HWND button = ::GetDlgItem(sheet, id);
    return button && ::IsWindowEnabled(button);
}

bool WizardRun::press(UINT id)
{
    HWND button = ::GetDlgItem(sheet, id);
    if (!button || !::IsWindowVisible(button) || !::IsWindowEnabled(button))
        return false;
    // Posted, so that a handler that shows a message box cannot block the test.
    return ::PostMessageA(button, BM_CLICK, 0, 0) != 0;
}

bool WizardRun::endsWithCodeZero()
{
    DWORD code = 0xFFFFFFFF;
    return child.waitForExit(testsupport::ExitTimeoutMs, code) && code == 0;
}
