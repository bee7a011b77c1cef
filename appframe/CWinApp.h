#ifndef APPFRAME_CWINAPP_H
#define APPFRAME_CWINAPP_H

#include "CCmdTarget.h"

class CWnd;

// The program's one application object: start-up hook, command line, main
// window, help-file path, program-wide dialog colours and the count of modal
// loops that asked modeless windows to stand still.
class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    // Called once by RunApplication; FALSE goes straight to the exit path.
    virtual BOOL InitInstance() { return FALSE; }
    // The process exit code: the parameter of the last message retrieved by
    // the application's own loop (0 when it ran none).
    virtual int ExitInstance() { return static_cast<int>(m_lastMessage.wParam); }
    // A modal loop calls this with FALSE on entry and TRUE on exit.
    virtual void EnableModeless(BOOL enable);

    // Sets the colours that dialogs and their controls paint with, also the
    // message boxes that this thread opens from now on.
    void SetDialogBkColor(COLORREF background, COLORREF text);
    // The program-wide brush for a control-colour notification, with the
    // text colours set on dc; null when none applies to that kind.
    HBRUSH DialogColors(HDC dc, UINT ctlColorMessage) const;
    // Opens the help file when there is one; does nothing otherwise.
    LRESULT OnHelp(WPARAM, LPARAM);

    bool HasHelpFile() const { return m_pszHelpFilePath && *m_pszHelpFilePath; }
    int ModelessDisabledCount() const { return m_modelessDisabled; }

    HINSTANCE m_hInstance;
    // The command-line tail: the arguments without the program name.
    const char* m_lpCmdLine;
    // Null or empty: the program has no help file.
    const char* m_pszHelpFilePath;
    CWnd* m_pMainWnd;

private:
    HBRUSH m_dialogBrush;
    COLORREF m_dialogText;
    COLORREF m_dialogBackground;
    int m_modelessDisabled;
    MSG m_lastMessage;
    CWinApp* m_previousApp;
    HHOOK m_messageBoxHook;

    friend int RunApplication();
};

// The application object, or null before it is constructed.
CWinApp* AfxGetApp();

// Runs the application object: InitInstance, then a message loop when it
// returned TRUE, then the exit path. Returns the process exit code.
int RunApplication();

#endif
