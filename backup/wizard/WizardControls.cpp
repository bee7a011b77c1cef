#include "WizardControls.h"

#include "CWinApp.h"

namespace WizardControls {

bool IsPushButton(HWND window)
{
    LRESULT code = ::SendMessageA(window, WM_GETDLGCODE, 0, 0);
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

bool IsTabStop(HWND window)
{
    return ::IsWindowVisible(window) && ::IsWindowEnabled(window)
        && (::GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP);
}

bool AppHasHelpFile()
{
    CWinApp* app = AfxGetApp();
    return app && app->HasHelpFile();
}

} // namespace WizardControls
