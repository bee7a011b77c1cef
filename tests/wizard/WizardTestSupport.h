#ifndef TESTS_WIZARDTESTSUPPORT_H
#define TESTS_WIZARDTESTSUPPORT_H

#include "CWinApp.h"
#include "MessagePage.h"
#include "ProgressPage.h"
#include "QFXWizardSheet.h"

#include <functional>
#include <vector>

// The side picture of the pages, 120 x 258 pixels, in WizardTests.rc.
const UINT TestPictureId = 400;

// The program-wide application object of the tests: grey dialogs, no help file.
CWinApp& TestApp();

// A message page whose answers the test sets.
class TestMessagePage : public MessagePage {
public:
    TestMessagePage() = default;
    explicit TestMessagePage(UINT templateId) : MessagePage(templateId) {}

    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    int OnWizardNext() override;
    int OnWizardBack() override;
    int OnWizardFinish() override;
    void OnCancel() override { ++cancelCalls; }

    DWORD buttons = QFXWizardSheet::Next | QFXWizardSheet::Cancel;
    QFC::String text = "A test page.\n\nIts second paragraph.";
    bool refuse = false;
    BOOL allowLeave = TRUE;
    int nextResult = 0;
    int backResult = 0;
    int finishResult = 1;
    int jumpOnNext = -1;
    int setActiveCalls = 0;
    int nextCalls = 0;
    int cancelCalls = 0;
};

// A progress page that shows its bar half full.
class TestProgressPage : public ProgressPage {
public:
    BOOL OnSetActive() override;
    void OnCancel() override { ++cancelCalls; }

    ProgressBar& Bar() { return bar_; }
    PictureBox& Picture() { return picture_; }

    DWORD buttons = QFXWizardSheet::Back | QFXWizardSheet::Next | QFXWizardSheet::Cancel;
    int cancelCalls = 0;
};

// Runs sheet.DoModal() while the steps run one at a time on the sheet's own
// thread, each at an idle moment after the sheet is shown (a thread timer
// fires only when no other message is waiting). When the steps are done and
// the sheet is still open after a bounded time, it is cancelled, *timedOut
// is set and the output says what was waited for.
int RunDriven(QFXWizardSheet& sheet, std::vector<std::function<void()>> steps, bool* timedOut);

// A manual-reset event that marks a page busy in a test. The test sets it;
// should a sheet wait for it that the test never reaches (Close taken while
// busy, say), a watchdog sets it after timeoutMs and says so on the output,
// so that the wait fails the test instead of hanging the test program.
class BusyEvent {
public:
    explicit BusyEvent(DWORD timeoutMs = 20000);
    ~BusyEvent();
    BusyEvent(const BusyEvent&) = delete;
    BusyEvent& operator=(const BusyEvent&) = delete;

    HANDLE handle() const { return event_; }
    void set() { ::SetEvent(event_); }
    // True when the watchdog had to set it.
    bool setByWatchdog() const { return bitten_ != 0; }

private:
    static DWORD WINAPI watch(void* self);

    HANDLE event_;
    HANDLE stop_;
    HANDLE thread_;
    DWORD timeoutMs_;
    volatile LONG bitten_;
};

// Presses a sheet button the way a mouse click does.
void Click(QFXWizardSheet& sheet, UINT id);
bool IsShown(HWND window);
bool IsEnabled(HWND window);
// A key press posted to window, as the keyboard would deliver it.
void PostKey(HWND window, UINT virtualKey);
// The window's rectangle in the client coordinates of parent.
RECT RectIn(HWND window, HWND parent);
// Saves the sheet as it is on screen when WIZARD_SCREENSHOT_DIR is set.
void SaveScreenshot(QFXWizardSheet& sheet, const char* name);

#endif
