#ifndef APPFRAME_CDIALOG_H
#define APPFRAME_CDIALOG_H

#include "CWnd.h"

class CDataExchange;

// A modeless dialog created from a template resource of the program.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId) : templateId_(templateId), templateFrame_() {}

    // Creates the dialog as a child or owned window of parent; FALSE when the
    // template is missing, too short to hold its header, or the platform
    // refuses the window.
    BOOL Create(CWnd* parent);
    // Exchanges the controls' data: save TRUE reads them, FALSE fills them.
    // FALSE when validation fails.
    BOOL UpdateData(BOOL save);

    BOOL PreTranslateMessage(MSG* msg) override;

    UINT TemplateId() const { return templateId_; }
    // The frame the template asks for, in pixels, with the template's own
    // styles (before PreCreateWindow changed them); empty before Create.
    RECT TemplateFrame() const { return templateFrame_; }

protected:
    // Adjusts the window styles before the dialog frame is created.
    virtual void PreCreateWindow(CREATESTRUCTA& cs) {}
    // Binds the controls (UpdateData(FALSE)); TRUE lets the platform set the focus.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* dx) {}
    // Enter and Escape: save the data and end, or just end.
    virtual void OnOK();
    virtual void OnCancel();

    LRESULT OnOKCommand(WPARAM, LPARAM);
    LRESULT OnCancelCommand(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UINT templateId_;
    RECT templateFrame_;
};

#endif
