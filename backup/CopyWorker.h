#ifndef BACKUP_COPYWORKER_H
#define BACKUP_COPYWORKER_H

#include "CopyNotifications.h"
#include "WorkerThread.h"

#include "String.h"

#include <atomic>

class ReceiptFile;

// Copies the program files, the product's information folder and (backing
// up) the receipt file between the machine and the disk, on a thread of its
// own. It reads only its own members, set by each start once the previous
// run has ended, and reports to its page by SendMessage of
// CopyProgressMessage; a progress record that no page took it deletes.
class CopyWorker : public WorkerThread {
public:
    enum Mode { BackupMode, RestoreMode };

    CopyWorker();
    // Waits for a running copy, however long: it reads this object's members
    // to the end.
    ~CopyWorker() override;

    // Waits for the previous run (delivering its reports), then takes where to
    // report and what to copy and starts a run in mode. False when the thread
    // cannot be started.
    bool Start(Mode mode, HWND ownerPage, const QFC::String& productIdentifier, const QFC::String& backupDrive);
    // Machine to disk, as Start(BackupMode, ...).
    bool StartBackup(HWND ownerPage, const QFC::String& productIdentifier, const QFC::String& backupDrive);
    // Disk to machine, as Start(RestoreMode, ...).
    bool StartRestore(HWND ownerPage, const QFC::String& productIdentifier, const QFC::String& backupDrive);
    // From now on the run reports to no page: its reports are dropped and its
    // records deleted. For a page that goes before the run has ended.
    void ForgetPage() { ownerPage = nullptr; }

protected:
    void Run() override;

private:
    // The page's answer; 0 when no page received the report.
    LRESULT Notify(CopyNotification kind, LPARAM argument) const;
    void Progress(int total, int index, const QFC::String& name) const;
    bool CopyProgramFiles() const;
    bool CopyProductFolder() const;
    void WriteReceipt() const;
    // 0 when every section is written, else the error code to report.
    int WriteReceiptSections(ReceiptFile& receipt) const;

    QFC::String productIdentifier;
    QFC::String backupDrive;
    // Cleared by ForgetPage from the page's thread while the run may read it.
    std::atomic<HWND> ownerPage;
    bool backupMode;
};

#endif
