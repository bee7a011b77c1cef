#ifndef BACKUP_COPYNOTIFICATIONS_H
#define BACKUP_COPYNOTIFICATIONS_H

#include <windows.h>

// The registered message "ZEPHDisk-Backup" by which a copy worker reports to
// its page: wParam is one of CopyNotification, lParam its argument. Set during
// static initialisation, read-only afterwards, also on worker threads.
extern const UINT CopyProgressMessage;

enum CopyNotification {
    NotifyStage = 1,     // lParam: a CopyStage
    NotifyProgress = 2,  // lParam: a ProgressRecord* that the page then owns
    NotifyError = 3      // lParam: a CopyError
};

enum CopyStage {
    StageUserInformation = 1,
    StageProductBackup = 2,
    StageProductRestore = 3,
    StageDone = 4
};

enum CopyError {
    ErrorCopy = 20,
    ErrorCreateDirectory = 21,
    ErrorGetCustomerId = 22,
    ErrorWriteCustomerId = 23,
    ErrorWriteProductId = 24,
    ErrorGetTransaction = 25,
    ErrorWriteTransaction = 26
};

#endif
