#include "BackupInsertDisk.h"

#include "QFXWizardSheet.h"
#include "WizardPageText.h"
#include "resource.h"

BOOL BackupInsertDisk::OnSetActive()
{
    if (!MessagePage::OnSetActive())
        return FALSE;
    SetBitmap(IDB_WIZARD);
    SetMessageText(ResourceText(IDS_BACKUP_INSERT_DISK));
    GetSheet()->SetWizardButtons(QFXWizardSheet::Back | QFXWizardSheet::Next | QFXWizardSheet::Cancel);
    return TRUE;
}
