// Drives a running wizard for the unattended demo, one step per run:
//   DriveWizard wait <window title> <start of the page text>
//   DriveWizard press <window title> Back|Next|Finish|Cancel
//   DriveWizard gone <window title>
// Prints what it saw; exit code 0 when the step succeeded within a minute. A
// wait gives up early when the wizard settles on another page.
#include "ChildProcess.h"
#include "WindowDriver.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const DWORD StepTimeoutMs = 60000;
const int MessageText = 1000;
const int ProgressHeader = 1010;

std::string pageText(HWND sheet)
{
    for (int id : {MessageText, ProgressHeader})
        if (HWND text = testsupport::visibleControl(sheet, id))
            return testsupport::windowText(text);
    return std::string();
}

HWND waitForWindow(const char* title)
{
    DWORD deadline = ::GetTickCount() + StepTimeoutMs;
    HWND window;
    while (!(window = ::FindWindowA(nullptr, title)) && ::GetTickCount() < deadline)
        ::Sleep(testsupport::PollIntervalMs);
    return window;
}

int waitForText(const char* title, const char* prefix)
{
    HWND sheet = waitForWindow(title);
    if (!sheet) {
        std::printf("waited %lu ms for a window \"%s\"; none came\n", StepTimeoutMs, title);
        return 1;
    }
    std::string why;
    if (testsupport::waitForWizardText(sheet, [&] { return pageText(sheet); }, prefix, StepTimeoutMs, why) !=
        testsupport::WizardTextWait::Shown) {
        std::printf("%s\n", why.c_str());
        return 1;
    }
    // Let the page finish painting before the picture is taken.
    ::Sleep(500);
    std::printf("%s\n", pageText(sheet).c_str());
    return 0;
}

int press(const char* title, const char* name)
{
    HWND sheet = waitForWindow(title);
    for (const testsupport::WizardButton& b : testsupport::WizardButtons) {
        if (std::strcmp(b.name, name) != 0)
            continue;
        HWND button = sheet ? ::GetDlgItem(sheet, b.id) : nullptr;
        if (!button || !::IsWindowVisible(button) || !::IsWindowEnabled(button)) {
            std::printf("no %s button to press\n", name);
            return 1;
        }
        ::PostMessageA(button, BM_CLICK, 0, 0);
        return 0;
    }
    std::printf("unknown button %s\n", name);
    return 1;
}

int gone(const char* title)
{
    HWND sheet = ::FindWindowA(nullptr, title);
    return !sheet || testsupport::waitForWindowGone(sheet, StepTimeoutMs) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && !std::strcmp(argv[1], "wait"))
        return waitForText(argv[2], argv[3]);
    if (argc == 4 && !std::strcmp(argv[1], "press"))
        return press(argv[2], argv[3]);
    if (argc == 3 && !std::strcmp(argv[1], "gone"))
        return gone(argv[2]);
    std::printf("usage: DriveWizard wait|press|gone <window title> [text|button]\n");
    return 2;
}
