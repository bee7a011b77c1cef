#ifndef WIZARD_QFXWIZARDPAGE_H
#define WIZARD_QFXWIZARDPAGE_H

#include "CDialog.h"

class QFXWizardSheet;

// One page of a wizard: a child dialog of the sheet, created from its
// template at its first activation and kept until the sheet closes.
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
    // caller keeps open) is signalled; null marks it idle. While a page is
    // busy the sheet refuses Close, and DoModal waits before it returns.
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
