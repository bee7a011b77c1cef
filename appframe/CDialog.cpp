#include "CDialog.h"

#include "CDataExchange.h"
#include "DialogTemplate.h"

#include "Buffer.h"

#include <cstring>

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOKCommand)
    ON_COMMAND(IDCANCEL, OnCancelCommand)
END_MESSAGE_MAP()

BOOL CDialog::Create(CWnd* parent)
{
    if (m_hWnd) return FALSE;
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceA(instance, MAKEINTRESOURCEA(m_templateId), MAKEINTRESOURCEA(5));
    HGLOBAL loaded = found ? ::LoadResource(instance, found) : nullptr;
    const BYTE* data = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    DWORD size = found ? ::SizeofResource(instance, found) : 0;
    DialogTemplateHeader header;
    if (!readDialogTemplateHeader(data, size, header)) return FALSE;

    // The styles are adjusted in a private copy of the template, the way a
    // frame would be adjusted while it is being created.
    QFC::Buffer copy(data, size);
    CREATESTRUCTA cs = {};
    cs.style = header.style;
    cs.dwExStyle = header.exStyle;
    cs.hwndParent = parent ? parent->m_hWnd : nullptr;
    PreCreateWindow(cs);
    std::memcpy(copy.data() + header.styleAt, &cs.style, sizeof(DWORD));
    std::memcpy(copy.data() + header.exStyleAt, &cs.dwExStyle, sizeof(DWORD));

    HWND window = ::CreateDialogIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(copy.data()),
                                               cs.hwndParent, &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (!window) return FALSE;
    if (m_hWnd != window) {
        ::DestroyWindow(window);
        return FALSE;
    }
    m_templateStyle = header.style;
    m_templateExStyle = header.exStyle;
    m_templateSize = header.size;
    return TRUE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Only the start is handled here: from WM_INITDIALOG on, the dialog is
    // subclassed and its messages go through the message map.
    if (message != WM_INITDIALOG) return FALSE;
    CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog || !dialog->SubclassWindow(window)) return TRUE;
    return dialog->OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::UpdateData(BOOL save)
{
    if (!m_hWnd) return FALSE;
    CDataExchange dx(this);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    return ::IsDialogMessageA(m_hWnd, msg);
}

void CDialog::OnOK()
{
    UpdateData(TRUE);
}

LRESULT CDialog::OnOKCommand(WPARAM, LPARAM)
{
    OnOK();
    return 0;
}

LRESULT CDialog::OnCancelCommand(WPARAM, LPARAM)
{
    OnCancel();
    return 0;
}
