#ifndef BACKUP_COPYWORKER_H
#define BACKUP_COPYWORKER_H

#include "CopyNotifications.h"
#include "WorkerThread.h"

#include "String.h"

// Copies the program files, the product's information folder and (backing
// up) the receipt file between the machine and the disk, on a thread of its
// own. It reads only its own members, set before each start, and reports to
// its page by SendMessage of CopyProgressMessage.
class CopyWorker : public WorkerThread {
public:
    CopyWorker();

    // Call before each start: where to report and what to copy.
    void Prepare(HWND ownerPage, const QFC::String& productIdentifier, const QFC::String& backupDrive);
    // Machine to disk. False when the thread cannot be started.
    bool StartBackup();
    // Disk to machine. False when the thread cannot be started.
    bool StartRestore();

protected:
    void Run() override;

private:
    void Notify(CopyNotification kind, LPARAM argument) const;
    void Progress(int total, int index, const QFC::String& name) const;
    bool CopyProgramFiles() const;
    bool CopyProductFolder() const;
    void WriteReceipt() const;
    // 0 when every section is written, else the error code to report.
    int WriteReceiptSections(const char* path) const;

    QFC::String productIdentifier;
    QFC::String backupDrive;
    HWND ownerPage;
    bool backupMode;
};

#endif
