#ifndef BACKUP_BACKUPINTRO_H
#define BACKUP_BACKUPINTRO_H

#include "MessagePage.h"

// The welcome page; leaving it forwards fixes the drive that takes the backup.
class BackupIntro : public MessagePage {
public:
    BOOL OnSetActive() override;
    int OnWizardNext() override;
};

#endif
