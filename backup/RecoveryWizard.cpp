#include "RecoveryWizard.h"

RecoveryWizard::RecoveryWizard(QFC::String caption) : QFXWizardSheet(caption), messageId(0)
{
}

RecoveryWizard::~RecoveryWizard()
{
    // Before the page members go (QFXWizardSheet.h, WaitForBusyPages).
    WaitForBusyPages();
}

RecoveryWizard* RecoveryWizard::Of(const QFXWizardPage* page)
{
    return static_cast<RecoveryWizard*>(page->GetSheet());
}

void RecoveryWizard::SetUp(QFC::String identifier, QFC::String title)
{
    productIdentifier = identifier;
    wizardTitle = title;
    messageId = 0;
    AddPage(&intro);
    AddPage(&copyAll);
    AddPage(&finish);
}
