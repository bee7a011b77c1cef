#include "CWinApp.h"

#include "CWnd.h"

namespace {
CWinApp* theApp = nullptr;
const char* const dialogClass = "#32770";
const char* const colourProcProperty = "AppFrame.DialogColours";

// Message boxes are dialogs of the platform's own; they get the program's
// colours by answering their control-colour notifications here.
LRESULT CALLBACK dialogColoursProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC old = reinterpret_cast<WNDPROC>(::GetPropA(window, colourProcProperty));
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC && theApp) {
        if (HBRUSH brush = theApp->DialogColors(reinterpret_cast<HDC>(wParam), message))
            return reinterpret_cast<LRESULT>(brush);
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(old));
        ::RemovePropA(window, colourProcProperty);
    }
    return ::CallWindowProcA(old, window, message, wParam, lParam);
}

LRESULT CALLBACK watchNewDialogs(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        HWND window = reinterpret_cast<HWND>(wParam);
        const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        char className[16] = "";
        // Child dialogs are the program's own pages, which colour themselves.
        if (!(cs->style & WS_CHILD) && ::GetClassNameA(window, className, sizeof className)
            && ::lstrcmpA(className, dialogClass) == 0) {
            LONG old = ::SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(&dialogColoursProc));
            ::SetPropA(window, colourProcProperty, reinterpret_cast<HANDLE>(old));
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The command-line tail: the program name, quoted or not, and the blanks
// after it are skipped.
const char* commandTail()
{
    const char* p = ::GetCommandLineA();
    if (*p == '"') {
        for (++p; *p && *p != '"'; ++p) {}
        if (*p) ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}
}

CWinApp* AfxGetApp() { return theApp; }

CWinApp::CWinApp()
    : m_hInstance(::GetModuleHandleA(nullptr)), m_lpCmdLine(commandTail()),
      m_pszHelpFilePath(nullptr), m_pMainWnd(nullptr), dialogBrush_(nullptr),
      dialogText_(0), dialogBackground_(0), modelessDisabled_(0), lastMessage_(),
      previousApp_(theApp), messageBoxHook_(nullptr)
{
    theApp = this;
}

CWinApp::~CWinApp()
{
    if (messageBoxHook_) ::UnhookWindowsHookEx(messageBoxHook_);
    if (dialogBrush_) ::DeleteObject(dialogBrush_);
    // Objects end in reverse order, so the one before becomes current again.
    if (theApp == this) theApp = previousApp_;
}

void CWinApp::EnableModeless(BOOL enable)
{
    modelessDisabled_ += enable ? -1 : 1;
}

void CWinApp::SetDialogBkColor(COLORREF background, COLORREF text)
{
    HBRUSH brush = ::CreateSolidBrush(background);
    if (!brush) return;
    if (dialogBrush_) ::DeleteObject(dialogBrush_);
    dialogBrush_ = brush;
    dialogBackground_ = background;
    dialogText_ = text;
    if (!messageBoxHook_)
        messageBoxHook_ = ::SetWindowsHookExA(WH_CBT, &watchNewDialogs, nullptr, ::GetCurrentThreadId());
}

HBRUSH CWinApp::DialogColors(HDC dc, UINT ctlColorMessage) const
{
    // Edit fields, lists and scroll bars keep the platform's own colours.
    if (!dialogBrush_ || ctlColorMessage == WM_CTLCOLOREDIT || ctlColorMessage == WM_CTLCOLORLISTBOX
        || ctlColorMessage == WM_CTLCOLORSCROLLBAR)
        return nullptr;
    ::SetBkColor(dc, dialogBackground_);
    ::SetTextColor(dc, dialogText_);
    return dialogBrush_;
}

LRESULT CWinApp::OnHelp(WPARAM, LPARAM)
{
    if (HasHelpFile())
        ::WinHelpA(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, m_pszHelpFilePath, HELP_FINDER, 0);
    return 0;
}

int RunApplication()
{
    CWinApp* app = AfxGetApp();
    if (!app) return 1;
    if (app->InitInstance()) {
        while (::GetMessageA(&app->lastMessage_, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&app->lastMessage_);
            ::DispatchMessageA(&app->lastMessage_);
        }
    }
    if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd) app->m_pMainWnd->DestroyWindow();
    return app->ExitInstance();
}
