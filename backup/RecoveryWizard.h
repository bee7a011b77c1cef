#ifndef BACKUP_RECOVERYWIZARD_H
#define BACKUP_RECOVERYWIZARD_H

#include "QFXWizardSheet.h"
#include "RecoveryCopyAll.h"
#include "RecoveryFinish.h"
#include "RecoveryIntro.h"

#include "String.h"

// The Recovery Wizard: puts a backup disk's contents back on the machine.
class RecoveryWizard : public QFXWizardSheet {
public:
    enum PageIndex { IntroPage = 0, CopyFilesPage = 1, FinalPage = 2 };

    explicit RecoveryWizard(QFC::String caption);
    // Waits for the copy page's run while every page still exists.
    ~RecoveryWizard() override;

    // The wizard that page was added to; null before AddPage.
    static RecoveryWizard* Of(const QFXWizardPage* page);

    // Stores the product identifier (empty until read from the disk) and the
    // title and adds the three pages.
    void SetUp(QFC::String productIdentifier, QFC::String title);

    const QFC::String& ProductIdentifier() const { return productIdentifier; }
    void SetProductIdentifier(const QFC::String& identifier) { productIdentifier = identifier; }
    const QFC::String& WizardTitle() const { return wizardTitle; }
    const QFC::String& BackupDrive() const { return backupDrive; }
    void SetBackupDrive(const QFC::String& drive) { backupDrive = drive; }
    UINT MessageId() const { return messageId; }
    void SetMessageId(UINT id) { messageId = id; }

private:
    QFC::String productIdentifier;
    QFC::String backupDrive;
    QFC::String wizardTitle;
    UINT messageId;
    RecoveryIntro intro;
    RecoveryCopyAll copyAll;
    RecoveryFinish finish;
};

#endif
