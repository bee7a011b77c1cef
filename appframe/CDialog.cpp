#include "CDialog.h"

#include "CDataExchange.h"

#include "Buffer.h"

#include <cstring>

namespace {
// Offsets of the style fields in the two template layouts.
const size_t plainStyleOffset = 0;
const size_t plainExStyleOffset = 4;
const size_t extendedExStyleOffset = 8;
const size_t extendedStyleOffset = 12;
const size_t plainSizeOffset = 14;
const size_t extendedSizeOffset = 22;
const size_t signatureOffset = 2;
const WORD extendedSignature = 0xFFFF;
// The header up to the end of the size fields (width and height, two bytes each).
const size_t plainHeaderBytes = plainSizeOffset + 4;
const size_t extendedHeaderBytes = extendedSizeOffset + 4;
}

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
    // Every field read below lies inside the resource.
    if (!data || size < plainHeaderBytes) return FALSE;
    WORD signature;
    std::memcpy(&signature, data + signatureOffset, sizeof signature);
    bool extended = signature == extendedSignature;
    if (extended && size < extendedHeaderBytes) return FALSE;

    // The styles are adjusted in a private copy of the template, the way a
    // frame would be adjusted while it is being created.
    QFC::Buffer copy(data, size);
    size_t styleAt = extended ? extendedStyleOffset : plainStyleOffset;
    size_t exStyleAt = extended ? extendedExStyleOffset : plainExStyleOffset;
    CREATESTRUCTA cs = {};
    std::memcpy(&cs.style, copy.data() + styleAt, sizeof(DWORD));
    std::memcpy(&cs.dwExStyle, copy.data() + exStyleAt, sizeof(DWORD));
    DWORD templateStyle = cs.style;
    DWORD templateExStyle = cs.dwExStyle;
    short units[2];
    std::memcpy(units, copy.data() + (extended ? extendedSizeOffset : plainSizeOffset), sizeof units);
    cs.hwndParent = parent ? parent->m_hWnd : nullptr;
    PreCreateWindow(cs);
    std::memcpy(copy.data() + styleAt, &cs.style, sizeof(DWORD));
    std::memcpy(copy.data() + exStyleAt, &cs.dwExStyle, sizeof(DWORD));

    HWND window = ::CreateDialogIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(copy.data()),
                                               cs.hwndParent, &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (!window) return FALSE;
    if (m_hWnd != window) {
        ::DestroyWindow(window);
        return FALSE;
    }
    m_templateStyle = templateStyle;
    m_templateExStyle = templateExStyle;
    m_templateSize = {units[0], units[1]};
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
