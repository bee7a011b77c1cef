#ifndef APPFRAME_CDATAEXCHANGE_H
#define APPFRAME_CDATAEXCHANGE_H

#include <windows.h>

class CDialog;
class CWnd;

// One pass of dialog data exchange between a dialog's controls and members.
class CDataExchange {
public:
    explicit CDataExchange(CDialog* dialog) : m_pDlgWnd(dialog) {}

    CDialog* m_pDlgWnd;
};

// Binds control to the dialog's control id the first time it is called;
// a missing control leaves it unbound.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

#endif
