#include "RecoveryWizard.h"

RecoveryWizard::RecoveryWizard(QFC::String caption) : QFXWizardSheet(caption), messageId(0)
{
}

RecoveryWizard::~RecoveryWizard()
{
    // The pages are members, destroyed after this body: a report that came
    // later would reach a page whose neighbours (the final page among them)
    // are already gone. DoModal has waited already and destroyed the windows,
    // so a page is still busy here only after a wait that failed, which no
    // test under Wine brings about: the worker's handle is its own, and
    // nothing else closes it.
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
