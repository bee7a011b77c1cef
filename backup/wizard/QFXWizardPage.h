#ifndef WIZARD_QFXWIZARDPAGE_H
#define WIZARD_QFXWIZARDPAGE_H

#include "CDialog.h"

class QFXWizardSheet;

// One page of a wizard: a child dialog of the sheet, created from its
// template at its first activation and kept until the sheet closes.
//
// Busy pages. A page whose worker thread reports to it by SendMessage is
// busy while a run goes on, and a run must not outlive what it uses: its
// worker, its page and the sheet's other pages that its reports activate.
// - The handle: the worker owns its thread handle and closes it only at its
//   next start and in its destructor. The page borrows it for the sheet
//   (SetBusyUntil) once a start has worked, and clears the borrow before each
//   start, so that it never holds a handle the start closed; a start that
//   fails leaves the page idle. The sheet clears it once it is signalled.
// - The wait that matters is DoModal's, after its loop and before it returns:
//   it delivers the run's reports while the sheet and every page exist. A
//   report for a page whose window has gone (the sheet was cancelled or
//   destroyed from outside) is dropped, and the worker frees its record.
//   The sheet is hidden during that wait, but its owner stays disabled until
//   the sheet's window goes after it: the thread delivers only sent messages
//   meanwhile, so an enabled owner would take clicks and keys that it could
//   neither show nor answer before the run ends, and act on them late. The
//   owner refuses input until then, as it did while the sheet was shown.
// - The fallbacks: a derived sheet waits again in its own destructor body
//   (WaitForBusyPages), before any page member goes; a copy page then makes
//   its worker forget it, so that later reports are dropped; and the worker's
//   destructor waits on its own handle, or on its state when that wait fails.
//   A wait that failed on a borrowed handle is never taken as the end of the
//   thread: the owner's wait still comes.
// - Close and Cancel: Close is the one way out that a page cannot disable, so
//   the sheet refuses it while any page is busy, and the user cannot leave a
//   half-written disk by it. Cancel is the page's to offer: a copy page
//   disables it during a run, but after a customer-id error the final page
//   offers it while the run still writes the receipt. Pressing it then is
//   safe, for the wait above, not the refusal, keeps the run from outliving
//   its objects.
class QFXWizardPage : public CDialog {
public:
    explicit QFXWizardPage(UINT templateId);

    // The sheet that AddPage gave the page; null before.
    QFXWizardSheet* GetSheet() const { return sheet_; }

    // FALSE: the page may not be left. Saves the controls' data by default.
    virtual BOOL OnKillActive();
    // FALSE: the page refuses to become current. Creates the window by
    // default, and refuses when it cannot.
    virtual BOOL OnSetActive();
    // 0: previous page; n > 0: page n - 1; n < 0: the page changed pages itself.
    virtual int OnWizardBack() { return 0; }
    // 0: next page; n > 0: page n; n < 0: the page changed pages itself.
    virtual int OnWizardNext() { return 0; }
    // n >= 0 ends the wizard with Finish; n < 0 keeps it open.
    virtual int OnWizardFinish() { return 1; }

    // Marks the page busy until finished (an event or thread handle that the
    // caller keeps open) is signalled; null marks it idle. See "Busy pages"
    // above.
    void SetBusyUntil(HANDLE finished) { busyUntil_ = finished; }
    // True while a wait on the handle given to SetBusyUntil times out; a
    // signalled handle, or one that cannot be waited on, marks the page idle.
    bool IsBusy();
    HANDLE BusyHandle() const { return busyUntil_; }

    BOOL PreTranslateMessage(MSG* msg) override;
    // Enter and Escape never end a page on their own.
    void OnOK() override {}
    void OnCancel() override {}

protected:
    void PreCreateWindow(CREATESTRUCTA& cs) override;

    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnCtlColor(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    friend class QFXWizardSheet;
    // Creates the window as a child of the sheet and shapes it; FALSE on failure.
    BOOL CreatePageWindow();
    bool HasFurtherTabStop(HWND from, bool previous) const;

    QFXWizardSheet* sheet_;
    HANDLE busyUntil_;
};

#endif
