#include "BackupIntro.h"

#include "BackupWizard.h"
#include "WizardPageText.h"
#include "resource.h"

BOOL BackupIntro::OnSetActive()
{
    if (!MessagePage::OnSetActive())
        return FALSE;
    BackupWizard* wizard = BackupWizard::Of(this);
    ::SetWindowTextA(wizard->m_hWnd, wizard->WizardTitle().textOrEmpty());
    SetBitmap(IDB_WIZARD);
    SetMessageText(ResourceText(IDS_BACKUP_WELCOME));
    wizard->SetWizardButtons(QFXWizardSheet::Next | QFXWizardSheet::Cancel);
    return TRUE;
}

int BackupIntro::OnWizardNext()
{
    BackupWizard::Of(this)->SetBackupDrive(ResourceText(IDS_BACKUP_DRIVE));
    return 0;
}
