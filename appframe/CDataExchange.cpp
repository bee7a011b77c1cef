#include "CDataExchange.h"

#include "CDialog.h"

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (!control.m_hWnd) control.SubclassDlgItem(id, dx->m_pDlgWnd);
}
