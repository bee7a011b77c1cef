// The buttons' states and commands, and the change from page to page. Finish
// and Cancel end the sheet through EndWizard (QFXWizardSheetModalLoop.cpp).
#include "QFXWizardSheet.h"

#include "CWinApp.h"
#include "QFXWizardPage.h"
#include "QFXWizardSheetInternal.h"
#include "WizardControls.h"

void QFXWizardSheet::SetWizardButtons(DWORD flags)
{
    buttonFlags_ = flags;
    int backNext = (flags & (Back | Next)) ? SW_SHOW : SW_HIDE;
    HWND back = GetButton(IdBack);
    HWND next = GetButton(IdNext);
    HWND finish = GetButton(IdFinish);
    HWND cancel = GetButton(IdCancel);
    HWND help = GetButton(IdHelp);
    if (back) ::ShowWindow(back, backNext);
    if (next) ::ShowWindow(next, backNext);
    if (back) ::EnableWindow(back, (flags & Back) != 0);
    if (next) ::EnableWindow(next, (flags & Next) != 0);
    if (flags & Finish) finishMode_ = true;
    if (finish) ::ShowWindow(finish, finishMode_ ? SW_SHOW : SW_HIDE);
    if (cancel) ::ShowWindow(cancel, finishMode_ ? SW_HIDE : SW_SHOW);
    if (finish && finishMode_) ::EnableWindow(finish, TRUE);
    if (cancel) ::EnableWindow(cancel, (flags & Cancel) != 0);
    if (help) ::ShowWindow(help, WizardControls::AppHasHelpFile() ? SW_SHOW : SW_HIDE);
}

BOOL QFXWizardSheet::SetActivePage(int index)
{
    QFXWizardPage* page = GetPage(index);
    if (!page) return FALSE;
    HWND current = CurrentPageWindow();
    RECT rect;
    bool haveRect = false;
    if (current) {
        ::GetWindowRect(current, &rect);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        haveRect = true;
    }
    if (!page->OnSetActive()) return FALSE;
    currentPage_ = index;
    if (haveRect)
        ::SetWindowPos(page->m_hWnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(page->m_hWnd, SW_SHOW);
    ::EnableWindow(page->m_hWnd, TRUE);
    return TRUE;
}

LRESULT QFXWizardSheet::OnBackButton(WPARAM, LPARAM)
{
    QFXWizardPage* page = CurrentPage();
    if (!page || !page->OnKillActive()) return 0;
    int before = currentPage_;
    int r = page->OnWizardBack();
    if (r == 0) {
        if (currentPage_ > 0) SetActivePage(currentPage_ - 1);
    } else if (r > 0) {
        SetActivePage(r - 1);
    }
    if (currentPage_ != before && page->m_hWnd) ::ShowWindow(page->m_hWnd, SW_HIDE);
    return 0;
}

LRESULT QFXWizardSheet::OnNextButton(WPARAM, LPARAM)
{
    QFXWizardPage* page = CurrentPage();
    if (!page || !page->OnKillActive()) return 0;
    int before = currentPage_;
    int r = page->OnWizardNext();
    if (r == 0) {
        if (currentPage_ + 1 < pageCount_) SetActivePage(currentPage_ + 1);
    } else if (r > 0) {
        SetActivePage(r);
    }
    if (currentPage_ != before && page->m_hWnd) ::ShowWindow(page->m_hWnd, SW_HIDE);
    return 0;
}

LRESULT QFXWizardSheet::OnFinishButton(WPARAM, LPARAM)
{
    QFXWizardPage* page = CurrentPage();
    if (!page || !page->OnKillActive()) return 0;
    if (page->OnWizardFinish() >= 0) EndWizard(ResultFinish);
    return 0;
}

LRESULT QFXWizardSheet::OnCancelButton(WPARAM, LPARAM)
{
    if (QFXWizardPage* page = CurrentPage()) page->OnCancel();
    EndWizard(ResultCancel);
    return 0;
}

LRESULT QFXWizardSheet::OnHelpButton(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (CWinApp* app = AfxGetApp()) app->OnWndMsg(WM_COMMAND, wParam, lParam, &result);
    return result;
}
