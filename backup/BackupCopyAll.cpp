#include "BackupCopyAll.h"

#include "BackupWizard.h"
#include "WizardPageText.h"
#include "resource.h"

BOOL BackupCopyAll::OnSetActive()
{
    if (!CopyPage::OnSetActive())
        return FALSE;
    BackupWizard* wizard = BackupWizard::Of(this);
    StartCopy(CopyWorker::BackupMode, IDS_BACKUP_COPY_HEADER, wizard->ProductIdentifier(), wizard->BackupDrive());
    return TRUE;
}

UINT BackupCopyAll::ErrorText(int code, bool* retry)
{
    *retry = false;
    switch (code) {
    case ErrorCopy:
        *retry = true;
        return IDS_BACKUP_COPY_ERROR;
    case ErrorCreateDirectory:
        return IDS_ERROR_CREATE_DIRECTORY;
    case ErrorGetCustomerId:
        return IDS_ERROR_GET_CUSTOMER_ID;
    case ErrorWriteCustomerId:
        return IDS_ERROR_WRITE_CUSTOMER_ID;
    case ErrorWriteProductId:
        return IDS_ERROR_WRITE_PRODUCT_ID;
    case ErrorGetTransaction:
        return IDS_ERROR_GET_TRANSACTION;
    case ErrorWriteTransaction:
        return IDS_ERROR_WRITE_TRANSACTION;
    }
    return 0;
}

void BackupCopyAll::OnCopyStage(int stage)
{
    BackupWizard* wizard = BackupWizard::Of(this);
    switch (stage) {
    case StageUserInformation:
        SetOperationText(ResourceText(IDS_STAGE_USER_INFORMATION));
        break;
    case StageProductBackup:
        SetOperationText(ResourceText(IDS_STAGE_PRODUCT_BACKUP));
        break;
    case StageProductRestore:
        SetOperationText(ResourceText(IDS_STAGE_PRODUCT_RESTORE));
        break;
    case StageDone:
        wizard->SetMessageId(0);
        if (wizard->GetActiveIndex() + 1 < wizard->GetPageCount())
            ActivatePage(wizard->GetActiveIndex() + 1);
        break;
    }
}

void BackupCopyAll::OnCopyError(int code)
{
    BackupWizard* wizard = BackupWizard::Of(this);
    wizard->SetRetryAllowed(false);
    bool retry = false;
    if (UINT text = ErrorText(code, &retry)) {
        wizard->SetMessageId(text);
        wizard->SetRetryAllowed(retry);
    }
    ActivatePage(BackupWizard::FinalPage);
}
