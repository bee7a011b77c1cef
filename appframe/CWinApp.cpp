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
      m_pszHelpFilePath(nullptr), m_pMainWnd(nullptr), m_dialogBrush(nullptr),
      m_dialogText(0), m_dialogBackground(0), m_modelessDisabled(0), m_lastMessage(),
      m_previousApp(theApp), m_messageBoxHook(nullptr)
{
    theApp = this;
}

CWinApp::~CWinApp()
{
    if (m_messageBoxHook) ::UnhookWindowsHookEx(m_messageBoxHook);
    if (m_dialogBrush) ::DeleteObject(m_dialogBrush);
    // Objects end in reverse order, so the one before becomes current again.
    if (theApp == this) theApp = m_previousApp;
}

void CWinApp::EnableModeless(BOOL enable)
{
    m_modelessDisabled += enable ? -1 : 1;
}

void CWinApp::SetDialogBkColor(COLORREF background, COLORREF text)
{
    HBRUSH brush = ::CreateSolidBrush(background);
    if (!brush) return;
    if (m_dialogBrush) ::DeleteObject(m_dialogBrush);
    m_dialogBrush = brush;
    m_dialogBackground = background;
    m_dialogText = text;
    if (!m_messageBoxHook)
        m_messageBoxHook = ::SetWindowsHookExA(WH_CBT, &watchNewDialogs, nullptr, ::GetCurrentThreadId());
}

HBRUSH CWinApp::DialogColors(HDC dc, UINT ctlColorMessage) const
{
    // Edit fields, lists and scroll bars keep the platform's own colours.
    if (!m_dialogBrush || ctlColorMessage == WM_CTLCOLOREDIT || ctlColorMessage == WM_CTLCOLORLISTBOX
        || ctlColorMessage == WM_CTLCOLORSCROLLBAR)
        return nullptr;
    ::SetBkColor(dc, m_dialogBackground);
    ::SetTextColor(dc, m_dialogText);
    return m_dialogBrush;
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
        while (::GetMessageA(&app->m_lastMessage, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&app->m_lastMessage);
            ::DispatchMessageA(&app->m_lastMessage);
        }
    }
    if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd) app->m_pMainWnd->DestroyWindow();
    return app->ExitInstance();
}
