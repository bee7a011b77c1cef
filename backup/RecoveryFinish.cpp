#include "RecoveryFinish.h"

#include "RecoveryWizard.h"
#include "WizardPageText.h"
#include "resource.h"

BOOL RecoveryFinish::OnSetActive()
{
    if (!MessagePage::OnSetActive())
        return FALSE;
    RecoveryWizard* wizard = RecoveryWizard::Of(this);
    SetBitmap(IDB_WIZARD);
    if (wizard->MessageId()) {
        SetMessageText(ResourceText(wizard->MessageId()));
        wizard->SetWizardButtons(QFXWizardSheet::Cancel);
    } else {
        SetMessageText(ResourceText(IDS_RECOVERY_READY));
        wizard->SetWizardButtons(QFXWizardSheet::Finish);
    }
    return TRUE;
}
