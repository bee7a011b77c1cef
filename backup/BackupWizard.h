#ifndef BACKUP_BACKUPWIZARD_H
#define BACKUP_BACKUPWIZARD_H

#include "BackupCopyAll.h"
#include "BackupInsertDisk.h"
#include "BackupIntro.h"
#include "BackupMessage.h"
#include "QFXWizardSheet.h"

#include "String.h"

// The Creation Wizard: writes one product's backup to the floppy disk. The
// pages share the sheet's state through its accessors.
class BackupWizard : public QFXWizardSheet {
public:
    enum PageIndex { IntroPage = 0, InsertDiskPage = 1, CopyFilesPage = 2, FinalPage = 3 };

    explicit BackupWizard(QFC::String caption);
    // Waits for the copy page's run while every page still exists.
    ~BackupWizard() override;

    // The wizard that page was added to; null before AddPage.
    static BackupWizard* Of(const QFXWizardPage* page);

    // Stores the product identifier and the title and adds the four pages.
    void SetUp(QFC::String productIdentifier, QFC::String title);

    const QFC::String& ProductIdentifier() const { return productIdentifier; }
    const QFC::String& WizardTitle() const { return wizardTitle; }
    const QFC::String& BackupDrive() const { return backupDrive; }
    void SetBackupDrive(const QFC::String& drive) { backupDrive = drive; }
    // The final page's text; 0 means success.
    UINT MessageId() const { return messageId; }
    void SetMessageId(UINT id) { messageId = id; }
    bool RetryAllowed() const { return retryAllowed; }
    void SetRetryAllowed(bool allowed) { retryAllowed = allowed; }

private:
    QFC::String productIdentifier;
    QFC::String wizardTitle;
    QFC::String backupDrive;
    UINT messageId;
    bool retryAllowed;
    BackupIntro intro;
    BackupInsertDisk insertDisk;
    BackupCopyAll copyAll;
    BackupMessage message;
};

#endif
