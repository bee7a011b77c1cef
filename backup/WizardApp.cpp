#include "WizardApp.h"

#include "BackupWizard.h"
#include "CopyNotifications.h"
#include "RecoveryWizard.h"
#include "StartupRequest.h"
#include "WizardPageText.h"
#include "resource.h"

namespace {

const COLORREF DialogBackground = RGB(192, 192, 192);
const COLORREF DialogText = RGB(0, 0, 0);
const UINT HelpCommand = 57670;

// Runs sheet modally as the main window; the result is not reported.
template <typename Sheet>
void RunWizard(CWinApp& app, Sheet& sheet)
{
    app.m_pMainWnd = &sheet;
    sheet.DoModal();
    app.m_pMainWnd = nullptr;
}

} // namespace

// Registered before the application object exists, and in the same unit so
// that the order is certain; read-only afterwards, also by the copy workers.
const UINT CopyProgressMessage = ::RegisterWindowMessageA("ZEPHDisk-Backup");
WizardApp theWizardApp;

BEGIN_MESSAGE_MAP(WizardApp, CWinApp)
    ON_COMMAND(HelpCommand, OnHelp)
END_MESSAGE_MAP()

BOOL WizardApp::InitInstance()
{
    // An empty drive must show up as the wizard's own copy error, not as a
    // system dialog asking to insert a disk.
    ::SetErrorMode(SEM_FAILCRITICALERRORS);

    QFC::String commandText(m_lpCmdLine);
    SetDialogBkColor(DialogBackground, DialogText);
    m_pszHelpFilePath = nullptr;

    StartupRequest request = AnalyseCommandLine(commandText);
    if (request.backup) {
        BackupWizard wizard(QFC::String("Creation Wizard"));
        if (!request.identifierGiven) {
            ::MessageBoxA(nullptr, ResourceText(IDS_NO_PRODUCT_ID).textOrEmpty(),
                          ResourceText(IDS_PROGRAM_NAME).textOrEmpty(), MB_OK | MB_ICONHAND);
            return FALSE;
        }
        wizard.SetUp(request.productIdentifier, ResourceText(IDS_BACKUP_TITLE));
        RunWizard(*this, wizard);
    } else {
        RecoveryWizard wizard(QFC::String("Recovery Wizard"));
        wizard.SetUp(QFC::String(), ResourceText(IDS_RECOVERY_TITLE));
        RunWizard(*this, wizard);
    }
    return FALSE;
}
