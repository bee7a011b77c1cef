// Keys in the sheet's modal loop: mnemonics, Tab between the page and the
// buttons, the dialog keys, and the default button that follows the focus.
#include "QFXWizardSheet.h"

#include "AfxMessages.h"
#include "QFXWizardPage.h"
#include "WizardControls.h"

#include <initializer_list>

namespace {
const int labelLimit = 256;

// The character after the first single '&', or 0.
char mnemonicOf(const char* text)
{
    for (const char* p = text; *p; ++p) {
        if (*p != '&') continue;
        if (p[1] == '&') {
            ++p;
            continue;
        }
        return p[1];
    }
    return 0;
}

char upper(char c)
{
    char text[2] = {c, '\0'};
    ::CharUpperA(text);
    return text[0];
}

// A control that takes keys of this kind as input; a mnemonic never
// claims them.
bool wantsKey(LRESULT code, bool plainChar)
{
    return (code & DLGC_WANTALLKEYS) || (plainChar && (code & DLGC_WANTCHARS));
}

struct MnemonicMatches {
    HWND first;
    int count;
};

void collectMnemonics(HWND parent, HWND exclude, char key, bool plainChar, MnemonicMatches& matches)
{
    if (!parent) return;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (child == exclude || !::IsWindowVisible(child) || !::IsWindowEnabled(child)) continue;
        LRESULT code = ::SendMessageA(child, WM_GETDLGCODE, 0, 0);
        if (wantsKey(code, plainChar)) continue;
        if ((code & DLGC_STATIC) && (::GetWindowLongA(child, GWL_STYLE) & SS_NOPREFIX)) continue;
        char text[labelLimit];
        ::GetWindowTextA(child, text, sizeof text);
        char mnemonic = mnemonicOf(text);
        if (!mnemonic || upper(mnemonic) != upper(key)) continue;
        if (!matches.first) matches.first = child;
        ++matches.count;
    }
}
}

BOOL QFXWizardSheet::PreTranslateMessage(MSG* msg)
{
    HWND page = CurrentPageWindow();

    bool character = msg->message == WM_CHAR
        || (msg->message == WM_SYSCHAR && (::GetFocus() || ::GetKeyState(VK_MENU) < 0));
    if (character && msg->hwnd != m_hWnd && msg->hwnd != page) {
        // A character for a control that takes it as input is the control's.
        LRESULT code = ::SendMessageA(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
        if (!wantsKey(code, msg->message == WM_CHAR) && HandleMnemonic(msg)) return TRUE;
    }

    if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB) {
        if (::GetKeyState(VK_CONTROL) < 0) return TRUE;
        if (::GetKeyState(VK_SHIFT) < 0 && page && ::GetParent(msg->hwnd) == m_hWnd
            && WizardControls::IsPushButton(msg->hwnd) && NextTabStop(msg->hwnd, true) == page) {
            HWND last = nullptr;
            for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
                if (WizardControls::IsTabStop(child)) last = child;
            if (last) {
                ::SetFocus(last);
                return TRUE;
            }
        }
    }

    if (page && (msg->hwnd == page || ::IsChild(page, msg->hwnd)) && ::IsDialogMessageA(page, msg)) return TRUE;
    return ::IsDialogMessageA(m_hWnd, msg);
}

BOOL QFXWizardSheet::HandleMnemonic(MSG* msg)
{
    char key = static_cast<char>(msg->wParam);
    bool plainChar = msg->message == WM_CHAR;
    HWND page = CurrentPageWindow();
    MnemonicMatches matches = {nullptr, 0};
    collectMnemonics(page, nullptr, key, plainChar, matches);
    collectMnemonics(m_hWnd, page, key, plainChar, matches);
    if (!matches.first) return FALSE;

    HWND control = matches.first;
    HWND parent = ::GetParent(control);
    LRESULT code = ::SendMessageA(control, WM_GETDLGCODE, 0, 0);
    if (code & DLGC_STATIC) {
        if (HWND next = ::GetNextDlgTabItem(parent, control, FALSE)) ::SetFocus(next);
    } else if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
        ::SendMessageA(control, BM_SETSTATE, TRUE, 0);
        ::SendMessageA(control, BM_SETSTATE, FALSE, 0);
        ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(control), BN_CLICKED),
                       reinterpret_cast<LPARAM>(control));
    } else {
        ::SetFocus(control);
        if (code & DLGC_HASSETSEL) ::SendMessageA(control, EM_SETSEL, 0, -1);
        if (matches.count == 1 && (code & (DLGC_BUTTON | DLGC_RADIOBUTTON))) ::SendMessageA(control, BM_CLICK, 0, 0);
    }
    return TRUE;
}

HWND QFXWizardSheet::NextTabStop(HWND child, bool previous) const
{
    UINT step = previous ? GW_HWNDPREV : GW_HWNDNEXT;
    UINT wrap = previous ? GW_HWNDLAST : GW_HWNDFIRST;
    HWND candidate = child;
    for (;;) {
        HWND next = ::GetWindow(candidate, step);
        if (!next) next = ::GetWindow(candidate, wrap);
        if (!next || next == child) return nullptr;
        if (WizardControls::IsTabStop(next)) return next;
        candidate = next;
    }
}

LRESULT QFXWizardSheet::OnKickIdle(WPARAM, LPARAM)
{
    UpdateDefaultButton();
    return 0;
}

LRESULT QFXWizardSheet::OnGetDefId(WPARAM, LPARAM)
{
    // The default is the button that moves forward: Next, else Finish, when
    // it is shown and enabled; Enter outside a push button then presses it.
    for (UINT id : {IdNext, IdFinish}) {
        HWND button = GetButton(id);
        if (button && ::IsWindowVisible(button) && ::IsWindowEnabled(button)) return MAKELONG(id, DC_HASDEFID);
    }
    return 0;
}

void QFXWizardSheet::UpdateDefaultButton()
{
    HWND focus = ::GetFocus();
    if (!focus || (focus != m_hWnd && !::IsChild(m_hWnd, focus))) return;

    // Re-evaluated at every idle moment, so that the look also follows the
    // buttons when a page changes them without moving the focus.
    HWND look = nullptr;
    if (focus != m_hWnd && WizardControls::IsPushButton(focus)) {
        look = focus;
        focusedPushButton_ = ::GetParent(focus) == m_hWnd ? focus : nullptr;
    } else {
        focusedPushButton_ = nullptr;
        LRESULT defId = ::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0);
        HWND button = HIWORD(defId) == DC_HASDEFID ? GetButton(LOWORD(defId)) : nullptr;
        if (button && ::IsWindowVisible(button)) look = button;
    }
    if (look == defaultLook_) return;
    if (defaultLook_ && ::IsWindow(defaultLook_)) ::SendMessageA(defaultLook_, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    if (look) ::SendMessageA(look, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    defaultLook_ = look;
}
