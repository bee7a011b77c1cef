// The sheet's page list and the messages that belong to no larger concern.
#include "QFXWizardSheet.h"

#include "AfxMessages.h"
#include "CWinApp.h"
#include "Exception.h"
#include "QFXWizardPage.h"
#include "QFXWizardSheetInternal.h"

#include <new>

namespace {
const int pageListGrowth = 32;
}

BEGIN_MESSAGE_MAP(QFXWizardSheet, CWnd)
    ON_MESSAGE(WM_CREATE, OnCreate)
    ON_MESSAGE(WM_NCDESTROY, OnNcDestroy)
    ON_COMMAND(IdBack, OnBackButton)
    ON_COMMAND(IdNext, OnNextButton)
    ON_COMMAND(IdFinish, OnFinishButton)
    ON_COMMAND(IdCancel, OnCancelButton)
    ON_COMMAND(IdHelp, OnHelpButton)
    ON_MESSAGE(WM_CLOSE, OnClose)
    ON_MESSAGE(WM_ACTIVATE, OnActivate)
    ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_MESSAGE(DM_GETDEFID, OnGetDefId)
    ON_ALL_CTLCOLOR(OnCtlColor)
    ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
    ON_MESSAGE(WM_SHOWWINDOW, OnShowWindow)
    ON_MESSAGE(WM_WINDOWPOSCHANGING, OnWindowPosChanging)
END_MESSAGE_MAP()

QFXWizardSheet::QFXWizardSheet(QFC::String caption, CWnd* owner, int firstPage)
    : pageCount_(0), growBy_(pageListGrowth), pageCapacity_(0), pages_(nullptr), caption_(caption),
      buttonWidth_(0), buttonHeight_(0), marginX_(0), marginY_(0), font_(nullptr), focusedPushButton_(nullptr),
      savedFocus_(nullptr), owner_(owner), gap_(0), currentPage_(firstPage), result_(WizardResultRunning),
      buttonFlags_(Back | Next | Cancel), finishMode_(false), ownerDisabled_(false),
      hideAnnounced_(false), defaultLook_(nullptr)
{
    for (int& units : buttonWidthUnits_) units = -1;
}

QFXWizardSheet::~QFXWizardSheet()
{
    // The end of a sheet is in QFXWizardSheetModalLoop.cpp; this is only what
    // remains after it.
    if (m_hWnd) DestroyWindow();
    // Freed here, not with the window: a window that never finished its
    // creation, or that someone else destroyed, still leaves the copy behind.
    if (font_) ::DeleteObject(font_);
    ::operator delete(pages_);
}

void QFXWizardSheet::AddPage(QFXWizardPage* page)
{
    if (pageCount_ == pageCapacity_) {
        int capacity = pageCapacity_ + growBy_;
        auto grown = static_cast<QFXWizardPage**>(::operator new(sizeof(QFXWizardPage*) * capacity, std::nothrow));
        if (!grown) throw QFC::MemoryException();
        for (int i = 0; i < pageCount_; ++i) grown[i] = pages_[i];
        ::operator delete(pages_);
        pages_ = grown;
        pageCapacity_ = capacity;
    }
    pages_[pageCount_++] = page;
    page->sheet_ = this;
}

QFXWizardPage* QFXWizardSheet::GetPage(int index) const
{
    return index >= 0 && index < pageCount_ ? pages_[index] : nullptr;
}

HWND QFXWizardSheet::GetButton(UINT id) const
{
    return m_hWnd ? ::GetDlgItem(m_hWnd, id) : nullptr;
}

HWND QFXWizardSheet::CurrentPageWindow() const
{
    QFXWizardPage* page = CurrentPage();
    return page ? page->m_hWnd : nullptr;
}

HWND QFXWizardSheet::OwnerWindow() const
{
    if (owner_) return owner_->m_hWnd;
    return m_hWnd ? ::GetParent(m_hWnd) : nullptr;
}

LRESULT QFXWizardSheet::OnActivate(WPARAM wParam, LPARAM)
{
    ::PostMessageA(m_hWnd, WM_KICKIDLE, 0, 0);
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(m_hWnd, focus)) savedFocus_ = focus;
    }
    return Default();
}

LRESULT QFXWizardSheet::OnSetFocus(WPARAM, LPARAM)
{
    if (savedFocus_ && ::IsWindow(savedFocus_) && ::IsChild(m_hWnd, savedFocus_)) ::SetFocus(savedFocus_);
    return 0;
}

LRESULT QFXWizardSheet::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(font_);
}

LRESULT QFXWizardSheet::OnCommandHelp(WPARAM wParam, LPARAM lParam)
{
    HWND page = CurrentPageWindow();
    return page ? ::SendMessageA(page, WM_COMMANDHELP, wParam, lParam) : 0;
}

LRESULT QFXWizardSheet::OnCtlColor(WPARAM wParam, LPARAM lParam)
{
    return HandleCtlColor(wParam, lParam);
}

LRESULT QFXWizardSheet::OnEraseBackground(WPARAM wParam, LPARAM)
{
    // Where the platform's button face differs from the program's dialog
    // colour, the sheet takes the pages' colour so that the wizard is one
    // surface, as it is where the two are the same.
    HDC dc = reinterpret_cast<HDC>(wParam);
    CWinApp* app = AfxGetApp();
    HBRUSH brush = app ? app->DialogColors(dc, WM_CTLCOLORDLG) : nullptr;
    if (!brush) return Default();
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    ::FillRect(dc, &client, brush);
    return TRUE;
}
