#ifndef WIZARD_QFXWIZARDSHEET_H
#define WIZARD_QFXWIZARDSHEET_H

#include "CWnd.h"
#include "String.h"
#include "WizardLayout.h"

class QFXWizardPage;

// The wizard window: one page at a time above the Back, Next, Finish, Cancel
// and Help buttons, run by a modal loop of its own. The pages belong to the
// derived sheet; the sheet only lists them.
//
// The definitions are split by concern: QFXWizardSheet.cpp (page list and
// small messages), QFXWizardSheetModalLoop.cpp (DoModal and how the sheet
// ends), QFXWizardSheetLayout.cpp (creation and layout),
// QFXWizardSheetNavigation.cpp (buttons and page changes) and
// QFXWizardSheetKeyboard.cpp (keys, mnemonics and the default button).
//
// How a sheet ends, all in QFXWizardSheetModalLoop.cpp: Finish and Cancel
// (the button handlers in QFXWizardSheetNavigation.cpp) and Close call
// EndWizard, which destroys the window; a quit message ends the loop; someone
// else may destroy the window. Every way, the owner is enabled before the
// window hides for the last time, and only then: a hide that the sheet comes
// back from leaves it disabled. WM_NCDESTROY is the last word, and DoModal
// waits for busy pages before it returns (see QFXWizardPage.h for the busy
// protocol).
class QFXWizardSheet : public CWnd {
public:
    // Flags of SetWizardButtons.
    static const DWORD Back = 1;
    static const DWORD Next = 2;
    static const DWORD Cancel = 4;
    static const DWORD Finish = 8;

    // What DoModal returns.
    static const int ResultFinish = 1;
    static const int ResultCancel = 2;

    // Control ids of the buttons.
    static const UINT IdBack = 100;
    static const UINT IdNext = 101;
    static const UINT IdFinish = 102;
    static const UINT IdCancel = 103;
    static const UINT IdHelp = 57670;

    // No window yet; firstPage is the page shown first.
    QFXWizardSheet(QFC::String caption, CWnd* owner = nullptr, int firstPage = 0);
    ~QFXWizardSheet() override;

    // Appends page and makes this sheet its owner; throws
    // QFC::MemoryException when the list cannot grow.
    void AddPage(QFXWizardPage* page);
    // Creates the window and runs it modally: 1 after Finish, 2 after Cancel,
    // a quit message, a failed creation (nothing is shown then) or a window
    // destroyed by someone else.
    int DoModal();
    // Makes page index current; FALSE when it refuses or does not exist.
    BOOL SetActivePage(int index);
    // Shows, hides, enables and disables the buttons; Finish, once given,
    // stays for the rest of the sheet's life.
    void SetWizardButtons(DWORD flags);
    // Records result and closes the sheet.
    void EndWizard(int result);

    int GetPageCount() const { return pageCount_; }
    // Null for an index outside the list.
    QFXWizardPage* GetPage(int index) const;
    int GetActiveIndex() const { return currentPage_; }
    // The sheet's button with that id, or null before the buttons exist.
    HWND GetButton(UINT id) const;
    // The sheet's push button that had the focus at the last update, or null.
    HWND FocusedPushButton() const { return focusedPushButton_; }

    // Gives the focus and the activation back before the window goes; the
    // rest of the clean-up happens at WM_NCDESTROY, however the window ends.
    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // The sheet's next (or previous) enabled, visible tab stop after child,
    // wrapping around; null when there is none.
    HWND NextTabStop(HWND child, bool previous) const;

protected:
    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnNcDestroy(WPARAM, LPARAM);
    LRESULT OnBackButton(WPARAM, LPARAM);
    LRESULT OnNextButton(WPARAM, LPARAM);
    LRESULT OnFinishButton(WPARAM, LPARAM);
    LRESULT OnCancelButton(WPARAM, LPARAM);
    LRESULT OnHelpButton(WPARAM, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnActivate(WPARAM, LPARAM);
    LRESULT OnSetFocus(WPARAM, LPARAM);
    LRESULT OnGetFont(WPARAM, LPARAM);
    LRESULT OnCommandHelp(WPARAM, LPARAM);
    LRESULT OnKickIdle(WPARAM, LPARAM);
    LRESULT OnGetDefId(WPARAM, LPARAM);
    LRESULT OnCtlColor(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnShowWindow(WPARAM, LPARAM);
    LRESULT OnWindowPosChanging(WPARAM, LPARAM);

    // Returns when no page is busy any more, delivering the reports of their
    // threads meanwhile. A derived sheet whose pages are its members calls it
    // in its own destructor: this class's destructor runs after they are gone,
    // and a later report would reach a page whose neighbours (the final page
    // among them) are gone already. DoModal has waited before, so a page is
    // still busy there only after a wait that failed, which no test under
    // Wine brings about: the worker's handle is its own, and nothing else
    // closes it.
    void WaitForBusyPages();

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateButtons();
    void LayOut();
    void UpdateDefaultButton();
    bool AnyPageBusy() const;
    void RunModalLoop();
    BOOL PreTranslateInLoop(MSG* msg);
    // Replaces a pending idle message by a new one.
    void QueueIdle(const MSG* msg);
    BOOL HandleMnemonic(MSG* msg);
    QFXWizardPage* CurrentPage() const { return GetPage(currentPage_); }
    HWND CurrentPageWindow() const;
    HWND OwnerWindow() const;
    // Gives the owner back the input that DoModal took from it, once.
    void EnableOwner();

    int pageCount_;
    int growBy_;
    int pageCapacity_;
    QFXWizardPage** pages_;
    QFC::String caption_;
    int buttonWidth_;
    int buttonHeight_;
    int marginX_;
    int marginY_;
    HFONT font_;
    HWND focusedPushButton_;
    HWND savedFocus_;
    CWnd* owner_;
    int gap_;
    int currentPage_;
    int result_;
    DWORD buttonFlags_;
    bool finishMode_;
    bool ownerDisabled_;
    // WM_SHOWWINDOW announced the coming hide: one that the sheet comes back
    // from, not its ending.
    bool hideAnnounced_;
    HWND defaultLook_;
    // Each button's width from its caption resource, in dialog units; -1
    // for the standard width. Read once, when the buttons are made.
    int buttonWidthUnits_[WizardButtonCount];
};

#endif
