#ifndef APPFRAME_CWND_H
#define APPFRAME_CWND_H

#include "CCmdTarget.h"
#include "String.h"

// A window of ours: a window this object created, or a control or dialog it
// subclassed. Every message goes through WindowProc: first the message map,
// then the default processing (the class procedure the window had before,
// or the platform's default).
class CWnd : public CCmdTarget {
public:
    CWnd() : m_hWnd(nullptr), m_oldProc(nullptr), m_current() {}
    // Destroys the window if it still exists.
    ~CWnd() override;

    // The object bound to window, or null when it is not one of ours.
    static CWnd* FromHandlePermanent(HWND window);

    // A window class with these attributes, registered once; returns its
    // name, or an empty string when the platform refuses it.
    static QFC::String RegisterWindowClass(UINT style, HCURSOR cursor, HBRUSH background, HICON icon);

    // Creates a window of className bound to this object; FALSE on failure.
    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU idOrMenu);
    // Binds an existing window (a dialog control) to this object and routes
    // its messages through WindowProc; FALSE when it is null or already ours.
    BOOL SubclassWindow(HWND window);
    // SubclassWindow on the control id of parent; FALSE when there is none.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Destroys the window; FALSE when there was none.
    virtual BOOL DestroyWindow();

    // Offered every message of a modal loop whose target is this window or
    // inside it; TRUE claims the message.
    virtual BOOL PreTranslateMessage(MSG* msg) { return FALSE; }

    // Centres the window on its owner, or on the work area when it has none.
    void CenterWindow();

    HWND m_hWnd;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default processing of the message being handled.
    LRESULT Default();
    // Control colours: reflected to the control first, then the program-wide
    // dialog colours, then the default processing.
    LRESULT HandleCtlColor(WPARAM wParam, LPARAM lParam);

    static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND window);
    void Detach();

private:
    WNDPROC m_oldProc;
    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } m_current;
};

#endif
