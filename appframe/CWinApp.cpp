#include "CWinApp.h"

#include "CWnd.h"

namespace {
CWinApp* theApp = nullptr;

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
      previousApp_(theApp)
{
    theApp = this;
}

CWinApp::~CWinApp()
{
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
