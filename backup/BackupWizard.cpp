#include "BackupWizard.h"

BackupWizard::BackupWizard(QFC::String caption)
    : QFXWizardSheet(caption), messageId(0), retryAllowed(false)
{
}

BackupWizard::~BackupWizard()
{
    // Before the page members go (QFXWizardSheet.h, WaitForBusyPages).
    WaitForBusyPages();
}

BackupWizard* BackupWizard::Of(const QFXWizardPage* page)
{
    return static_cast<BackupWizard*>(page->GetSheet());
}

void BackupWizard::SetUp(QFC::String identifier, QFC::String title)
{
    productIdentifier = identifier;
    wizardTitle = title;
    messageId = 0;
    retryAllowed = false;
    AddPage(&intro);
    AddPage(&insertDisk);
    AddPage(&copyAll);
    AddPage(&message);
}
