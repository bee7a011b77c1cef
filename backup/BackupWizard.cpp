#include "BackupWizard.h"

BackupWizard::BackupWizard(QFC::String caption)
    : QFXWizardSheet(caption), messageId(0), retryAllowed(false)
{
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
