#ifndef BACKUP_BACKUPINSERTDISK_H
#define BACKUP_BACKUPINSERTDISK_H

#include "MessagePage.h"

// Asks for a blank, formatted disk in drive A:.
class BackupInsertDisk : public MessagePage {
public:
    BOOL OnSetActive() override;
};

#endif
