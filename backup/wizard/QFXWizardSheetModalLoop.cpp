// DoModal: the window's creation, the sheet's own message loop, the wait for
// busy pages, and every way the sheet ends (see QFXWizardSheet.h).
#include "QFXWizardSheet.h"

#include "AfxMessages.h"
#include "CWinApp.h"
#include "QFXWizardPage.h"
#include "QFXWizardSheetInternal.h"
#include "SentMessageWait.h"

namespace {
const int initialWidth = 400;
const int initialHeight = 200;
}

int QFXWizardSheet::DoModal()
{
    CWinApp* app = AfxGetApp();
    if (app) app->EnableModeless(FALSE);

    QFC::String windowClass = RegisterWindowClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                                  ::LoadCursorA(nullptr, IDC_ARROW),
                                                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);
    HWND owner = owner_ ? owner_->m_hWnd : nullptr;
    result_ = ResultCancel;
    if (CreateEx(WizardSheetExStyle, windowClass.text(), caption_.textOrEmpty(), WizardSheetStyle, CW_USEDEFAULT,
                 CW_USEDEFAULT, initialWidth, initialHeight, owner, nullptr)) {
        if (owner && ::IsWindowEnabled(owner)) {
            ::EnableWindow(owner, FALSE);
            ownerDisabled_ = true;
        }
        ::SetActiveWindow(m_hWnd);
        result_ = WizardResultRunning;
        RunModalLoop();
        // A busy page's worker still reports to it: the windows stay until
        // it has ended, so that every report is received and released. The
        // owner stays disabled meanwhile (QFXWizardPage.h says why).
        if (m_hWnd && AnyPageBusy()) ::ShowWindow(m_hWnd, SW_HIDE);
        WaitForBusyPages();
        if (m_hWnd) EndWizard(result_);
    }

    if (app) app->EnableModeless(TRUE);
    return result_;
}

void QFXWizardSheet::RunModalLoop()
{
    bool shown = ::IsWindowVisible(m_hWnd) != 0;
    MSG msg;
    while (m_hWnd) {
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            HWND owner = owner_ ? owner_->m_hWnd : nullptr;
            if (owner && !(::GetWindowLongA(owner, GWL_STYLE) & DS_NOIDLEMSG))
                ::SendMessageA(owner, WM_ENTERIDLE, 0, reinterpret_cast<LPARAM>(m_hWnd));
            if (!shown) {
                ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
                shown = true;
            }
        }
        do {
            if (!::GetMessageA(&msg, nullptr, 0, 0)) {
                // Whoever asked the thread to quit still gets the message.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                result_ = ResultCancel;
                return;
            }
            if (!PreTranslateInLoop(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            if (result_ != WizardResultRunning) return;
        } while (m_hWnd && ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL QFXWizardSheet::PreTranslateInLoop(MSG* msg)
{
    // Every message, also one for no window of the sheet, brings a new idle
    // moment, at which the default button follows the focus.
    QueueIdle(msg);
    if (::CallMsgFilterA(msg, MSGF_DIALOGBOX)) return TRUE;
    for (HWND window = msg->hwnd; window; window = ::GetParent(window)) {
        CWnd* wnd = FromHandlePermanent(window);
        if (wnd && wnd->PreTranslateMessage(msg)) return TRUE;
        // A page hands on to the sheet itself.
        if (window == m_hWnd || dynamic_cast<QFXWizardPage*>(wnd)) break;
    }
    return FALSE;
}

void QFXWizardSheet::QueueIdle(const MSG* msg)
{
    if (!m_hWnd || msg->message == WM_KICKIDLE) return;
    MSG pending;
    ::PeekMessageA(&pending, m_hWnd, WM_KICKIDLE, WM_KICKIDLE, PM_REMOVE);
    ::PostMessageA(m_hWnd, WM_KICKIDLE, 0, 0);
}

bool QFXWizardSheet::AnyPageBusy() const
{
    for (int i = 0; i < pageCount_; ++i)
        if (pages_[i]->IsBusy()) return true;
    return false;
}

void QFXWizardSheet::WaitForBusyPages()
{
    // A worker reports by SendMessage, so the wait keeps delivering sent
    // messages; a plain wait would deadlock with it.
    for (int i = 0; i < pageCount_; ++i) {
        while (HANDLE finished = pages_[i]->BusyHandle()) {
            DWORD woken = WaitDeliveringSentMessages(finished);
            // A report handled during the wait may have marked a new run.
            if (pages_[i]->BusyHandle() != finished) continue;
            pages_[i]->SetBusyUntil(nullptr);
            // A borrowed handle that cannot be waited on says nothing about
            // the thread: its owner waits on its own handle before it frees
            // what the thread uses.
            if (woken != WAIT_OBJECT_0) break;
        }
    }
}

LRESULT QFXWizardSheet::OnClose(WPARAM, LPARAM)
{
    // Close is the one way out that a page cannot disable, so the sheet
    // refuses it for a busy page (QFXWizardPage.h says why Cancel differs).
    if (AnyPageBusy()) return 0;
    OnCancelButton(0, 0);
    return 0;
}

void QFXWizardSheet::EndWizard(int result)
{
    result_ = result;
    DestroyWindow();
}

BOOL QFXWizardSheet::DestroyWindow()
{
    if (!m_hWnd) return FALSE;
    EnableOwner();
    HWND focus = ::GetFocus();
    if (::GetActiveWindow() == m_hWnd && focus && (focus == m_hWnd || ::IsChild(m_hWnd, focus))) {
        savedFocus_ = nullptr;
        ::SetFocus(m_hWnd);
    }
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (HWND owner = OwnerWindow()) ::SetActiveWindow(owner);
    return CWnd::DestroyWindow();
}

LRESULT QFXWizardSheet::OnShowWindow(WPARAM wParam, LPARAM)
{
    // ShowWindow announces every hide it makes: DoModal's while a busy page
    // is waited for, and the one the platform makes when the owner is
    // minimised (the sheet comes back when the owner is restored).
    if (!wParam) hideAnnounced_ = true;
    return Default();
}

LRESULT QFXWizardSheet::OnWindowPosChanging(WPARAM, LPARAM lParam)
{
    // Every hide of the sheet comes here first. ::DestroyWindow hides a
    // top-level window unannounced, also when someone else destroys the
    // sheet: that hide is the sheet's ending, and the owner is enabled before
    // the sheet disappears, so that the platform activates it rather than
    // some other program's window. An announced hide leaves the owner
    // disabled: the modal run goes on.
    UINT flags = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
    if ((flags & SWP_HIDEWINDOW) && !hideAnnounced_) EnableOwner();
    if (flags & (SWP_HIDEWINDOW | SWP_SHOWWINDOW)) hideAnnounced_ = false;
    return Default();
}

void QFXWizardSheet::EnableOwner()
{
    HWND owner = OwnerWindow();
    if (ownerDisabled_ && owner) ::EnableWindow(owner, TRUE);
    ownerDisabled_ = false;
}

LRESULT QFXWizardSheet::OnNcDestroy(WPARAM, LPARAM)
{
    // The last message of every ending, also of a creation that failed or of
    // a window destroyed before it was ever shown.
    EnableOwner();
    if (result_ == WizardResultRunning) result_ = ResultCancel;
    focusedPushButton_ = defaultLook_ = savedFocus_ = nullptr;
    return Default();
}
