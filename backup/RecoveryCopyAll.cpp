#include "RecoveryCopyAll.h"

#include "RecoveryWizard.h"
#include "WizardPageText.h"
#include "resource.h"

BOOL RecoveryCopyAll::OnSetActive()
{
    if (!CopyPage::OnSetActive())
        return FALSE;
    RecoveryWizard* wizard = RecoveryWizard::Of(this);
    StartCopy(CopyWorker::RestoreMode, IDS_RECOVERY_COPY_HEADER, wizard->ProductIdentifier(), wizard->BackupDrive());
    return TRUE;
}

void RecoveryCopyAll::OnCopyStage(int stage)
{
    RecoveryWizard* wizard = RecoveryWizard::Of(this);
    if (stage == StageProductRestore)
        SetOperationText(ResourceText(IDS_STAGE_PRODUCT_RESTORE));
    else if (stage == StageDone && wizard->GetActiveIndex() + 1 < wizard->GetPageCount())
        ActivatePage(wizard->GetActiveIndex() + 1);
}

void RecoveryCopyAll::OnCopyError(int code)
{
    RecoveryWizard* wizard = RecoveryWizard::Of(this);
    if (code == ErrorCopy)
        wizard->SetMessageId(IDS_ERROR_COPY);
    else if (code == ErrorCreateDirectory)
        wizard->SetMessageId(IDS_ERROR_CREATE_DIRECTORY);
    ActivatePage(RecoveryWizard::FinalPage);
}
