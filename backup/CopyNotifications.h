#ifndef BACKUP_COPYNOTIFICATIONS_H
#define BACKUP_COPYNOTIFICATIONS_H

#include <windows.h>

// The registered message "ZEPHDisk-Backup" by which a copy worker reports to
// its page: wParam is one of CopyNotification, lParam its argument. Set during
// static initialisation, read-only afterwards, also on worker threads.
extern const UINT CopyProgressMessage;

enum CopyNotification {
    NotifyStage = 1,     // lParam: a CopyStage
    NotifyProgress = 2,  // lParam: a ProgressRecord*, see ProgressRecordTaken
    NotifyError = 3      // lParam: a CopyError
};

// What a page returns for NotifyProgress when it took the record and deletes
// it. Any other answer (also the 0 of a send that reached no window, because
// the page's window is gone or the page forgot the worker) leaves the record
// to the worker, which deletes it.
const LRESULT ProgressRecordTaken = 1;

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
