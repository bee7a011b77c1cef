#ifndef TESTSUPPORT_WINDOWDRIVER_H
#define TESTSUPPORT_WINDOWDRIVER_H

// Test support: finds the windows of a child process and works them the way
// a user would, from another process. Texts are read with WM_GETTEXT sent
// with a time-out, so a hung child cannot hang the test.

#include "ChildProcess.h"

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

// The class of dialogs and message boxes, and the id of a message box's text.
const char DialogClass[] = "#32770";
const int MessageBoxTextId = 0xFFFF;
// How long a single message to another process's window may take. No
// abort-if-hung: that rule calls a thread hung when it has not read its queue
// for five seconds, which a slow windowless program that just put up its
// first box has not, and the text would read as empty.
const UINT SendTimeoutMs = WindowTimeoutMs;

// The visible top-level windows of a process, of className when it is not
// null. Empty when there are none.
std::vector<HWND> topLevelWindows(DWORD processId, const char* className = nullptr);

// The first visible top-level window of className that child shows within
// timeoutMs. Null on time-out, or as soon as the child has ended.
HWND waitForTopLevelWindow(const ChildProcess& child, const char* className, DWORD timeoutMs);

// A message box (or any dialog) of child; null as for waitForTopLevelWindow.
HWND waitForMessageBox(const ChildProcess& child, DWORD timeoutMs);

// True when window is destroyed within timeoutMs.
bool waitForWindowGone(HWND window, DWORD timeoutMs);

// The caption of a top-level window or the text of a control; empty when the
// window does not answer in time.
std::string windowText(HWND window);

// The text of a message box: its static control 0xFFFF. Empty without one.
std::string messageBoxText(HWND box);

// The texts of the buttons of dialog, in child-window order, without '&'.
std::vector<std::string> buttonTexts(HWND dialog);

// Clicks the button of dialog whose text (without '&') is text, as the
// dialog sees a click (WM_COMMAND with BN_CLICKED). False when there is no
// such button.
bool pressButton(HWND dialog, const std::string& text);

// The first visible window below window (at any depth) with control id,
// such as a text of the page a wizard shows; null without one.
HWND visibleControl(HWND window, int controlId);
// The same, shown or hidden, such as a text of a page the wizard has left.
HWND anyControl(HWND window, int controlId);

// A wizard sheet's Back, Next, Finish and Cancel buttons, by caption and id.
struct WizardButton {
    const char* name;
    UINT id;
};
const WizardButton WizardButtons[] = {{"Back", 100}, {"Next", 101}, {"Finish", 102}, {"Cancel", 103}};
// How long, and in how many looks, a wizard must show the same text with a
// button to press before a wait for another text takes it for the end of the
// story: a posted click is handled within milliseconds, a copy run has its
// buttons off throughout, and one look that waited for a busy window to
// answer is not enough.
const DWORD WizardSettledMs = 3000;
const int WizardSettledLooks = 10;

// True when one of sheet's Back, Next, Finish and Cancel buttons is shown
// and enabled: the wizard waits for the user.
bool wizardWaitsForUser(HWND sheet);

enum class WizardTextWait { Shown, OtherTextSettled, WindowGone, TimeUp };

// Waits until text() starts with prefix. Gives up at timeoutMs, when sheet is
// destroyed, or as soon as the wizard has waited for the user on another text
// for WizardSettledMs. On giving up, why says what was waited for and what
// was seen.
template <typename Text>
WizardTextWait waitForWizardText(HWND sheet, Text text, const std::string& prefix, DWORD timeoutMs,
                                 std::string& why);

// The first child control of dialog whose static style is SS_ICON (the icon
// of a message box); null without one.
HWND iconControl(HWND dialog);

// The client area of window as the screen shows it, row by row from the top,
// as RGB values; false when it cannot be read (or has no area).
bool screenPixels(HWND window, std::vector<COLORREF>& pixels, int& width, int& height);

// The pixels that drawing icon at width x height over a background of
// background gives, in the layout of screenPixels.
std::vector<COLORREF> iconPixels(HICON icon, int width, int height, COLORREF background);

template <typename Text>
WizardTextWait waitForWizardText(HWND sheet, Text text, const std::string& prefix, DWORD timeoutMs,
                                 std::string& why)
{
    const DWORD start = ::GetTickCount();
    std::string seen = text();
    std::string settledOn;
    DWORD settledSince = start;
    int looks = 0;
    for (;;) {
        if (seen.compare(0, prefix.size(), prefix) == 0)
            return WizardTextWait::Shown;
        DWORD now = ::GetTickCount();
        WizardTextWait end = WizardTextWait::Shown;
        const char* story = nullptr;
        if (!::IsWindow(sheet)) {
            end = WizardTextWait::WindowGone;
            story = "the wizard's window is gone";
        } else if (!wizardWaitsForUser(sheet) || seen != settledOn) {
            settledOn = seen;
            settledSince = now;
            looks = 0;
        } else if (++looks >= WizardSettledLooks && now - settledSince >= WizardSettledMs) {
            end = WizardTextWait::OtherTextSettled;
            story = "the wizard waits for the user on another text";
        }
        if (!story && now - start >= timeoutMs) {
            end = WizardTextWait::TimeUp;
            story = "time is up";
        }
        if (story) {
            why = "waited " + std::to_string(now - start) + " ms for a text starting \"" + prefix + "\"; " + story +
                  "; it shows \"" + seen + "\"";
            return end;
        }
        ::Sleep(PollIntervalMs);
        seen = text();
    }
}

} // namespace testsupport

#endif
