#include "BackupMessage.h"

#include "BackupWizard.h"
#include "WizardPageText.h"
#include "resource.h"

BOOL BackupMessage::OnSetActive()
{
    if (!MessagePage::OnSetActive())
        return FALSE;
    BackupWizard* wizard = BackupWizard::Of(this);
    SetBitmap(IDB_WIZARD);
    if (wizard->MessageId()) {
        SetMessageText(ResourceText(wizard->MessageId()));
        wizard->SetWizardButtons(wizard->RetryAllowed() ? QFXWizardSheet::Next | QFXWizardSheet::Cancel
                                                        : QFXWizardSheet::Cancel);
    } else {
        SetMessageText(ResourceText(IDS_BACKUP_COMPLETE));
        wizard->SetWizardButtons(QFXWizardSheet::Finish);
    }
    return TRUE;
}

int BackupMessage::OnWizardNext()
{
    BackupWizard* wizard = BackupWizard::Of(this);
    if (!wizard->RetryAllowed())
        return 0;
    wizard->SetActivePage(BackupWizard::CopyFilesPage);
    return -1;
}
