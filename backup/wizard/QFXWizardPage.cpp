#include "QFXWizardPage.h"

#include "QFXWizardSheet.h"
#include "WizardControls.h"

namespace {
const char* const comboClass = "ComboBox";
}

BEGIN_MESSAGE_MAP(QFXWizardPage, CDialog)
    ON_MESSAGE(WM_CLOSE, OnClose)
    ON_ALL_CTLCOLOR(OnCtlColor)
END_MESSAGE_MAP()

QFXWizardPage::QFXWizardPage(UINT templateId) : CDialog(templateId), sheet_(nullptr), busyUntil_(nullptr) {}

BOOL QFXWizardPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL QFXWizardPage::OnSetActive()
{
    return m_hWnd || CreatePageWindow();
}

bool QFXWizardPage::IsBusy()
{
    // A handle that cannot be waited on will never be signalled either: only
    // a wait that timed out means the page is still busy.
    if (busyUntil_ && ::WaitForSingleObject(busyUntil_, 0) != WAIT_TIMEOUT) busyUntil_ = nullptr;
    return busyUntil_ != nullptr;
}

void QFXWizardPage::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style &= ~(WS_CAPTION | WS_BORDER);
    cs.style |= WS_GROUP | WS_TABSTOP;
}

BOOL QFXWizardPage::CreatePageWindow()
{
    if (!sheet_ || !sheet_->m_hWnd || !Create(sheet_)) return FALSE;
    // The page keeps the frame that the template's caption and border would
    // have given it, less the caption's height and one pixel more; its client
    // area now fills that frame.
    SIZE units = TemplateSize();
    RECT frame = {0, 0, units.cx, units.cy};
    ::MapDialogRect(m_hWnd, &frame);
    ::AdjustWindowRectEx(&frame, TemplateStyle(), FALSE, TemplateExStyle());
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top - ::GetSystemMetrics(SM_CYCAPTION) + 1;
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

bool QFXWizardPage::HasFurtherTabStop(HWND from, bool previous) const
{
    UINT step = previous ? GW_HWNDPREV : GW_HWNDNEXT;
    HWND candidate = from == m_hWnd ? ::GetWindow(m_hWnd, GW_CHILD) : ::GetWindow(from, step);
    if (from == m_hWnd && previous && candidate) candidate = ::GetWindow(candidate, GW_HWNDLAST);
    for (; candidate; candidate = ::GetWindow(candidate, step))
        if (WizardControls::IsTabStop(candidate)) return true;
    return false;
}

BOOL QFXWizardPage::PreTranslateMessage(MSG* msg)
{
    QFXWizardSheet* sheet = GetSheet();
    if (!sheet || !sheet->m_hWnd) return FALSE;
    if (msg->message == WM_KEYDOWN) {
        HWND focus = ::GetFocus();
        LRESULT code = focus ? ::SendMessageA(focus, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)) : 0;
        bool wantsAll = (code & DLGC_WANTALLKEYS) != 0;
        switch (msg->wParam) {
        case VK_RETURN:
            if (focus && (code & DLGC_HASSETSEL) && (::GetWindowLongA(focus, GWL_STYLE) & ES_WANTRETURN)) {
                ::SendMessageA(focus, WM_CHAR, '\n', msg->lParam);
                return TRUE;
            }
            if (!sheet->FocusedPushButton() && !wantsAll) {
                ::PostMessageA(sheet->m_hWnd, msg->message, msg->wParam, msg->lParam);
                return TRUE;
            }
            break;
        case VK_ESCAPE:
            if (!wantsAll) {
                ::PostMessageA(sheet->m_hWnd, msg->message, msg->wParam, msg->lParam);
                return TRUE;
            }
            break;
        case VK_TAB: {
            if (code & DLGC_WANTTAB) break;
            bool previous = ::GetKeyState(VK_SHIFT) < 0;
            HWND from = focus && (focus == m_hWnd || ::IsChild(m_hWnd, focus)) ? focus : m_hWnd;
            // The edit inside a combo box is searched from the combo box.
            char className[16] = "";
            HWND parent = ::GetParent(from);
            if (parent && parent != m_hWnd && ::GetClassNameA(parent, className, sizeof className)
                && ::lstrcmpiA(className, comboClass) == 0)
                from = parent;
            if (HasFurtherTabStop(from, previous)) break;
            if (HWND next = sheet->NextTabStop(m_hWnd, previous)) {
                ::SetFocus(next);
                return TRUE;
            }
            break;
        }
        default:
            break;
        }
    }
    return sheet->PreTranslateMessage(msg);
}

LRESULT QFXWizardPage::OnClose(WPARAM, LPARAM)
{
    if (QFXWizardSheet* sheet = GetSheet()) ::PostMessageA(sheet->m_hWnd, WM_CLOSE, 0, 0);
    return 0;
}

LRESULT QFXWizardPage::OnCtlColor(WPARAM wParam, LPARAM lParam)
{
    return HandleCtlColor(wParam, lParam);
}
