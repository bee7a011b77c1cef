#include "RecoveryWizard.h"

RecoveryWizard::RecoveryWizard(QFC::String caption) : QFXWizardSheet(caption), messageId(0)
{
}

RecoveryWizard::~RecoveryWizard()
{
    // The pages are members, destroyed after this body: a report that came
    // later would reach a page whose neighbours (the final page among them)
    // are already gone.
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
