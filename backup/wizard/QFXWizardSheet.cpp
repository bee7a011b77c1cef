#include "QFXWizardSheet.h"

#include "AfxMessages.h"
#include "CWinApp.h"
#include "Exception.h"
#include "QFXWizardPage.h"
#include "SentMessageWait.h"
#include "WizardResource.h"

#include <initializer_list>
#include <new>

namespace {
const int pageListGrowth = 32;
// Pop-up, caption, system menu and the dialog-frame bit.
const DWORD sheetStyle = 0x80C80080;
const DWORD sheetExStyle = WS_EX_DLGMODALFRAME;
const int initialWidth = 400;
const int initialHeight = 200;
const int buttonTextLimit = 256;

// Dialog units of the layout, converted with the current page's font.
const int buttonWidthUnits = 50;
const int buttonHeightUnits = 14;
const int gapUnits = 4;
const int marginXUnits = 4;
const int marginYUnits = 4;

const int resultRunning = -1;
const int resultFinish = 1;
const int resultCancel = 2;

struct ButtonDefinition {
    UINT id;
    UINT textId;
};
const ButtonDefinition buttonDefinitions[WizardButtonCount] = {
    {QFXWizardSheet::IdBack, IDS_WIZARD_BACK},     {QFXWizardSheet::IdNext, IDS_WIZARD_NEXT},
    {QFXWizardSheet::IdFinish, IDS_WIZARD_FINISH}, {QFXWizardSheet::IdCancel, IDS_WIZARD_CANCEL},
    {QFXWizardSheet::IdHelp, IDS_WIZARD_HELP},
};

bool appHasHelpFile()
{
    CWinApp* app = AfxGetApp();
    return app && app->HasHelpFile();
}

bool isPushButton(HWND window)
{
    LRESULT code = ::SendMessageA(window, WM_GETDLGCODE, 0, 0);
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

bool isTabStop(HWND window)
{
    return ::IsWindowVisible(window) && ::IsWindowEnabled(window)
        && (::GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP);
}

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
        if ((code & DLGC_WANTALLKEYS) || (plainChar && (code & DLGC_WANTCHARS))) continue;
        if ((code & DLGC_STATIC) && (::GetWindowLongA(child, GWL_STYLE) & SS_NOPREFIX)) continue;
        char text[buttonTextLimit];
        ::GetWindowTextA(child, text, sizeof text);
        char mnemonic = mnemonicOf(text);
        if (!mnemonic || upper(mnemonic) != upper(key)) continue;
        if (!matches.first) matches.first = child;
        ++matches.count;
    }
}
}

BEGIN_MESSAGE_MAP(QFXWizardSheet, CWnd)
    ON_MESSAGE(WM_CREATE, OnCreate)
    ON_COMMAND(IdBack, OnBack)
    ON_COMMAND(IdNext, OnNext)
    ON_COMMAND(IdFinish, OnFinish)
    ON_COMMAND(IdCancel, OnCancel)
    ON_COMMAND(IdHelp, OnHelp)
    ON_MESSAGE(WM_CLOSE, OnClose)
    ON_MESSAGE(WM_ACTIVATE, OnActivate)
    ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_MESSAGE(DM_GETDEFID, OnGetDefId)
    ON_ALL_CTLCOLOR(OnCtlColor)
    ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
END_MESSAGE_MAP()

QFXWizardSheet::QFXWizardSheet(QFC::String caption, CWnd* owner, int firstPage)
    : pageCount_(0), growBy_(pageListGrowth), pageCapacity_(0), pages_(nullptr), caption_(caption),
      buttonWidth_(0), buttonHeight_(0), marginX_(0), marginY_(0), font_(nullptr), focusedPushButton_(nullptr),
      savedFocus_(nullptr), lastSeenFocus_(nullptr), owner_(owner), gap_(0), currentPage_(firstPage), pagesPrepared_(0),
      result_(resultRunning), buttonFlags_(Back | Next | Cancel), finishMode_(false), modeless_(true),
      ownerDisabled_(false), defaultLook_(nullptr)
{
}

QFXWizardSheet::~QFXWizardSheet()
{
    if (m_hWnd) DestroyWindow();
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

int QFXWizardSheet::DoModal()
{
    CWinApp* app = AfxGetApp();
    modeless_ = false;
    if (app) app->EnableModeless(FALSE);

    const char* windowClass = RegisterWindowClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                                  ::LoadCursorA(nullptr, IDC_ARROW),
                                                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);
    HWND owner = owner_ ? owner_->m_hWnd : nullptr;
    result_ = resultCancel;
    if (CreateEx(sheetExStyle, windowClass, caption_.textOrEmpty(), sheetStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                 initialWidth, initialHeight, owner, nullptr)) {
        if (owner && ::IsWindowEnabled(owner)) {
            ::EnableWindow(owner, FALSE);
            ownerDisabled_ = true;
        }
        ::SetActiveWindow(m_hWnd);
        result_ = resultRunning;
        RunModalLoop();
        // A busy page's worker still reports to it: the windows stay until
        // it has ended, so that every report is received and released.
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
                result_ = resultCancel;
                return;
            }
            if (!PreTranslateInLoop(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            if (result_ != resultRunning) return;
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

BOOL QFXWizardSheet::PreTranslateMessage(MSG* msg)
{
    HWND page = CurrentPageWindow();

    bool character = msg->message == WM_CHAR
        || (msg->message == WM_SYSCHAR && (::GetFocus() || ::GetKeyState(VK_MENU) < 0));
    if (character && msg->hwnd != m_hWnd && msg->hwnd != page && HandleMnemonic(msg)) return TRUE;

    if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB) {
        if (::GetKeyState(VK_CONTROL) < 0) return TRUE;
        if (::GetKeyState(VK_SHIFT) < 0 && page && ::GetParent(msg->hwnd) == m_hWnd && isPushButton(msg->hwnd)
            && NextTabStop(msg->hwnd, true) == page) {
            HWND last = nullptr;
            for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
                if (isTabStop(child)) last = child;
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
        if (isTabStop(next)) return next;
        candidate = next;
    }
}

LRESULT QFXWizardSheet::OnCreate(WPARAM, LPARAM)
{
    if (Default() == -1) return -1;

    HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
    for (int i = ::GetMenuItemCount(menu) - 1; i >= 0; --i) {
        UINT id = ::GetMenuItemID(menu, i);
        if (id != SC_MOVE && id != SC_CLOSE) ::DeleteMenu(menu, i, MF_BYPOSITION);
    }

    // Without a page window there is nothing to lay out or to show.
    QFXWizardPage* page = CurrentPage();
    if (!page || (!page->m_hWnd && !page->CreatePageWindow())) return -1;

    LOGFONTA description;
    HFONT pageFont = reinterpret_cast<HFONT>(::SendMessageA(page->m_hWnd, WM_GETFONT, 0, 0));
    if (pageFont && ::GetObjectA(pageFont, sizeof description, &description))
        font_ = ::CreateFontIndirectA(&description);

    SetActivePage(currentPage_);

    RECT units = {0, 0, buttonWidthUnits, buttonHeightUnits};
    ::MapDialogRect(page->m_hWnd, &units);
    buttonWidth_ = units.right;
    buttonHeight_ = units.bottom;
    RECT margins = {gapUnits, marginYUnits, marginXUnits, 0};
    ::MapDialogRect(page->m_hWnd, &margins);
    gap_ = margins.left;
    marginY_ = margins.top;
    marginX_ = margins.right;

    if (!modeless_) {
        if (!CreateButtons()) return -1;
        ::EnableWindow(GetButton(IdHelp), appHasHelpFile());
    }
    LayOut();
    SetWizardButtons(buttonFlags_);
    return 0;
}

BOOL QFXWizardSheet::CreateButtons()
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    for (const ButtonDefinition& definition : buttonDefinitions) {
        char text[buttonTextLimit] = "";
        ::LoadStringA(instance, definition.textId, text, sizeof text);
        WizardButtonText parsed = ParseWizardButtonText(text);
        HWND button = ::CreateWindowExA(0, "BUTTON", parsed.label,
                                        WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0,
                                        m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(definition.id)), instance,
                                        nullptr);
        if (!button) return FALSE;
        ::SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    return TRUE;
}

void QFXWizardSheet::LayOut()
{
    QFXWizardPage* page = CurrentPage();
    RECT pageRect;
    ::GetWindowRect(page->m_hWnd, &pageRect);

    WizardLayoutInput in = {};
    in.pageWidth = pageRect.right - pageRect.left;
    in.pageHeight = pageRect.bottom - pageRect.top;
    in.buttonHeight = buttonHeight_;
    in.gap = gap_;
    in.marginX = marginX_;
    in.marginY = marginY_;
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    for (int i = 0; i < WizardButtonCount; ++i) {
        char text[buttonTextLimit] = "";
        ::LoadStringA(instance, buttonDefinitions[i].textId, text, sizeof text);
        WizardButtonText parsed = ParseWizardButtonText(text);
        in.buttonWidth[i] = buttonWidth_;
        if (parsed.widthUnits >= 0) {
            RECT width = {0, 0, parsed.widthUnits, 0};
            ::MapDialogRect(page->m_hWnd, &width);
            in.buttonWidth[i] = width.right;
        }
        bool exists = GetButton(buttonDefinitions[i].id) != nullptr;
        bool counts = true;
        if (i == WizardFinish) counts = finishMode_;
        if (i == WizardCancel) counts = !finishMode_;
        if (i == WizardHelp) counts = appHasHelpFile();
        in.counted[i] = exists && counts;
    }
    WizardLayoutResult out = ComputeWizardLayout(in);

    RECT frame = {0, 0, out.clientWidth, out.clientHeight};
    ::AdjustWindowRectEx(&frame, sheetStyle, FALSE, sheetExStyle);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow();

    ::SetWindowPos(page->m_hWnd, nullptr, out.page.left, out.page.top, out.page.right - out.page.left,
                   out.page.bottom - out.page.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (int i = 0; i < WizardButtonCount; ++i) {
        HWND button = GetButton(buttonDefinitions[i].id);
        if (!button) continue;
        const RECT& r = out.button[i];
        ::SetWindowPos(button, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

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
    if (help) ::ShowWindow(help, appHasHelpFile() ? SW_SHOW : SW_HIDE);
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

LRESULT QFXWizardSheet::OnBack(WPARAM, LPARAM)
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

LRESULT QFXWizardSheet::OnNext(WPARAM, LPARAM)
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

LRESULT QFXWizardSheet::OnFinish(WPARAM, LPARAM)
{
    QFXWizardPage* page = CurrentPage();
    if (!page || !page->OnKillActive()) return 0;
    if (page->OnWizardFinish() >= 0) EndWizard(resultFinish);
    return 0;
}

LRESULT QFXWizardSheet::OnCancel(WPARAM, LPARAM)
{
    if (QFXWizardPage* page = CurrentPage()) page->OnCancel();
    EndWizard(resultCancel);
    return 0;
}

LRESULT QFXWizardSheet::OnHelp(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (CWinApp* app = AfxGetApp()) app->OnWndMsg(WM_COMMAND, wParam, lParam, &result);
    return result;
}

LRESULT QFXWizardSheet::OnClose(WPARAM, LPARAM)
{
    // A page whose worker still runs must outlive it: closing waits for that.
    if (AnyPageBusy()) return 0;
    OnCancel(0, 0);
    if (modeless_) return Default();
    return 0;
}

void QFXWizardSheet::EndWizard(int result)
{
    result_ = result;
    if (modeless_) return;
    DestroyWindow();
}

BOOL QFXWizardSheet::DestroyWindow()
{
    if (!m_hWnd) return FALSE;
    HWND owner = OwnerWindow();
    if (ownerDisabled_ && owner) ::EnableWindow(owner, TRUE);
    ownerDisabled_ = false;
    HWND focus = ::GetFocus();
    if (::GetActiveWindow() == m_hWnd && focus && (focus == m_hWnd || ::IsChild(m_hWnd, focus))) {
        savedFocus_ = nullptr;
        ::SetFocus(m_hWnd);
    }
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (owner) ::SetActiveWindow(owner);
    BOOL destroyed = CWnd::DestroyWindow();
    if (font_) ::DeleteObject(font_);
    font_ = nullptr;
    focusedPushButton_ = lastSeenFocus_ = defaultLook_ = nullptr;
    return destroyed;
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
            WaitDeliveringSentMessages(finished);
            // A report handled during the wait may have marked a new run.
            if (pages_[i]->BusyHandle() == finished)
                pages_[i]->SetBusyUntil(nullptr);
        }
    }
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

LRESULT QFXWizardSheet::OnKickIdle(WPARAM, LPARAM)
{
    UpdateDefaultButton();
    PrepareNextPage();
    return 0;
}

// While the user reads a page, the next page window not made yet is made,
// hidden, one per idle moment: a page that becomes active later (the copy
// page, the final page shown as a copy run ends) then shows at once. A
// window that cannot be made now is made, or refused, at activation as ever.
void QFXWizardSheet::PrepareNextPage()
{
    if (pagesPrepared_ >= pageCount_ || !m_hWnd)
        return;
    QFXWizardPage* page = GetPage(pagesPrepared_++);
    if (page && !page->m_hWnd)
        page->CreatePageWindow();
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
    lastSeenFocus_ = focus;
    if (!focus || (focus != m_hWnd && !::IsChild(m_hWnd, focus))) return;

    // Re-evaluated at every idle moment, so that the look also follows the
    // buttons when a page changes them without moving the focus.
    HWND look = nullptr;
    if (focus != m_hWnd && isPushButton(focus)) {
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
