#ifndef APPFRAME_CDIALOG_H
#define APPFRAME_CDIALOG_H

#include "CWnd.h"

class CDataExchange;

// A modeless dialog created from a template resource of the program.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId)
        : m_templateId(templateId), m_templateStyle(0), m_templateExStyle(0), m_templateSize() {}

    // Creates the dialog as a child or owned window of parent; FALSE when the
    // template is missing, too short to hold its header, or the platform
    // refuses the window.
    BOOL Create(CWnd* parent);
    // Exchanges the controls' data: save TRUE reads them, FALSE fills them.
    // FALSE when validation fails.
    BOOL UpdateData(BOOL save);

    BOOL PreTranslateMessage(MSG* msg) override;

    UINT TemplateId() const { return m_templateId; }
    // The template's own styles (before PreCreateWindow changed them) and
    // its size in dialog units; zero before Create.
    DWORD TemplateStyle() const { return m_templateStyle; }
    DWORD TemplateExStyle() const { return m_templateExStyle; }
    SIZE TemplateSize() const { return m_templateSize; }

protected:
    // Adjusts the window styles before the dialog frame is created.
    virtual void PreCreateWindow(CREATESTRUCTA& cs) {}
    // Binds the controls (UpdateData(FALSE)); TRUE lets the platform set the focus.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* dx) {}
    // Enter and Escape. The dialog is modeless, so neither ends it: Enter
    // saves the data, Escape does nothing; a derived class decides more.
    virtual void OnOK();
    virtual void OnCancel() {}

    LRESULT OnOKCommand(WPARAM, LPARAM);
    LRESULT OnCancelCommand(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    DWORD m_templateStyle;
    DWORD m_templateExStyle;
    SIZE m_templateSize;
};

#endif
