#include "CopyWorker.h"

#include "PathMacros.h"
#include "ProductInfoLibrary.h"
#include "ProgressRecord.h"
#include "ReceiptFile.h"
#include "WizardPageText.h"
#include "resource.h"

#include "FileSystem.h"

#include <cctype>

namespace {

const char ProgramFiles[] = "Kelbrook.exe ZEPHAPI.DLL";
const char ProgramDirectories[] = "Windows System";  // paired with ProgramFiles by position
const char WindowsDirectoryWord[] = "Windows";
const char ProductFolders[] = "Brenvick\\ZEPH\\Info";
const char AllEntries[] = "*.*";

// Words are separated by spaces; one counts only if it holds a letter or digit.
QFC::String wordAt(const char* list, int wanted)
{
    int index = 0;
    const char* p = list;
    while (*p) {
        while (*p == ' ')
            ++p;
        const char* start = p;
        bool counts = false;
        for (; *p && *p != ' '; ++p)
            counts = counts || std::isalnum(static_cast<unsigned char>(*p));
        if (counts && index++ == wanted)
            return QFC::String(start, static_cast<int>(p - start));
    }
    return QFC::String();
}

int wordCount(const char* list)
{
    int count = 0;
    while (!wordAt(list, count).isEmpty())
        ++count;
    return count;
}

QFC::String withTrailingBackslash(QFC::String directory)
{
    if (directory.isEmpty() || directory.at(directory.length() - 1) != '\\')
        directory.append('\\');
    return directory;
}

QFC::String machineProductFolder(const QFC::String& productIdentifier)
{
    QFC::String folder = QFC::windowsDirectory();
    folder.appendPath(ProductFolders);
    folder.appendPath(productIdentifier);
    return folder;
}

// Copies every entry of source into destination; subdirectories fail, and so
// does an entry named like a DOS device, before anything opens the device that
// its path would reach (a disk may carry such a file, as may a folder under
// Wine).
bool copyFolderFiles(const QFC::String& source, const QFC::String& destination)
{
    QFC::String pattern = source;
    pattern.appendPath(AllEntries);
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA(pattern.textOrEmpty(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool copied = true;
    do {
        if (!lstrcmpA(entry.cFileName, ".") || !lstrcmpA(entry.cFileName, ".."))
            continue;
        QFC::String from = source;
        from.appendPath(entry.cFileName);
        QFC::String to = destination;
        to.appendPath(entry.cFileName);
        copied = !QFC::namesDosDevice(entry.cFileName) && QFC::copyFile(to, from);
    } while (copied && ::FindNextFileA(search, &entry));
    ::FindClose(search);
    return copied;
}

} // namespace

CopyWorker::CopyWorker() : ownerPage(nullptr), backupMode(true)
{
}

CopyWorker::~CopyWorker()
{
    WaitForCompletion();
}

bool CopyWorker::Start(Mode mode, HWND page, const QFC::String& identifier, const QFC::String& drive)
{
    // The previous run reads the members until it ends.
    WaitForCompletion();
    ownerPage = page;
    productIdentifier = identifier;
    backupDrive = drive;
    backupMode = mode == BackupMode;
    return WorkerThread::Start();
}

bool CopyWorker::StartBackup(HWND page, const QFC::String& identifier, const QFC::String& drive)
{
    return Start(BackupMode, page, identifier, drive);
}

bool CopyWorker::StartRestore(HWND page, const QFC::String& identifier, const QFC::String& drive)
{
    return Start(RestoreMode, page, identifier, drive);
}

LRESULT CopyWorker::Notify(CopyNotification kind, LPARAM argument) const
{
    HWND page = ownerPage;
    return page ? ::SendMessageA(page, CopyProgressMessage, kind, argument) : 0;
}

void CopyWorker::Progress(int total, int index, const QFC::String& name) const
{
    ProgressRecord* record = new ProgressRecord{total, index, name};
    if (Notify(NotifyProgress, reinterpret_cast<LPARAM>(record)) != ProgressRecordTaken)
        delete record;
}

void CopyWorker::Run()
{
    if (!CopyProgramFiles() || !CopyProductFolder())
        return;
    if (!backupMode) {
        Notify(NotifyStage, StageDone);
        return;
    }
    WriteReceipt();
}

bool CopyWorker::CopyProgramFiles() const
{
    int total = wordCount(ProgramFiles);
    Progress(total, -1, QFC::String());
    for (int i = 0; i < total; ++i) {
        QFC::String name = wordAt(ProgramFiles, i);
        ExpandPathMacros(name, productIdentifier);
        QFC::String directoryWord = wordAt(ProgramDirectories, i);
        QFC::String machine = lstrcmpiA(directoryWord.textOrEmpty(), WindowsDirectoryWord) == 0
                                  ? QFC::windowsDirectory()
                                  : QFC::systemDirectory();
        QFC::String sourceDirectory = withTrailingBackslash(backupMode ? machine : backupDrive);
        QFC::String destinationDirectory = withTrailingBackslash(backupMode ? backupDrive : machine);
        QFC::String destination = destinationDirectory;
        destination.appendPath(name);
        QFC::String source = sourceDirectory;
        source.append(name);
        Progress(total, i, source);
        if (!QFC::copyFile(destination, source)) {
            Notify(NotifyError, ErrorCopy);
            return false;
        }
    }
    Progress(total, total, ResourceText(IDS_COPY_COMPLETE));
    return true;
}

bool CopyWorker::CopyProductFolder() const
{
    QFC::String source, destination;
    if (backupMode) {
        source = machineProductFolder(productIdentifier);
        destination = ResourceText(IDS_DISK_PRODUCT_FOLDER);
    } else {
        source = ResourceText(IDS_DISK_PRODUCT_FOLDER);
        destination = ResourceText(IDS_MACHINE_PRODUCT_FOLDERS);
        ExpandPathMacros(destination, QFC::String());
    }
    if (QFC::createDirectoryPath(destination) < 0) {
        Notify(NotifyError, ErrorCreateDirectory);
        return false;
    }
    if (!backupMode) {
        destination = machineProductFolder(productIdentifier);
        if (!QFC::fileExists(destination) && QFC::createDirectoryPath(destination) < 0) {
            Notify(NotifyError, ErrorCreateDirectory);
            return false;
        }
    }
    Notify(NotifyStage, backupMode ? StageProductBackup : StageProductRestore);
    if (!copyFolderFiles(source, destination)) {
        Notify(NotifyError, ErrorCopy);
        return false;
    }
    return true;
}

void CopyWorker::WriteReceipt() const
{
    Notify(NotifyStage, StageUserInformation);
    // Joined, not concatenated: "A:" + "DATA.INF" would name a file relative
    // to the drive's current directory rather than the disk's root.
    QFC::String path = backupDrive;
    path.appendPath(ResourceText(IDS_RECEIPT_FILE));
    ReceiptFile receipt(path);
    int error = WriteReceiptSections(receipt);
    // Windows 95 may lose a write that it reported done; the disk may leave the
    // drive as soon as the last page shows. Every key written precedes the
    // step that failed, so a lost one is the run's first failure.
    if (int unwritten = receipt.FlushAndCheck())
        error = unwritten;
    if (error)
        Notify(NotifyError, error);
    else
        Notify(NotifyStage, StageDone);
}

int CopyWorker::WriteReceiptSections(ReceiptFile& receipt) const
{
    // An empty identifier is reported but written all the same, as an empty
    // value, so that the receipt keeps its section and the run goes on.
    QFC::String customer = ReadCustomerId();
    if (customer.isEmpty())
        Notify(NotifyError, ErrorGetCustomerId);
    if (!receipt.Write(ResourceText(IDS_CUSTOMER_SECTION), ResourceText(IDS_CUSTOMER_KEY), customer,
                       ErrorWriteCustomerId))
        return ErrorWriteCustomerId;
    if (!receipt.Write(ResourceText(IDS_PRODUCT_SECTION), ResourceText(IDS_PRODUCT_KEY), productIdentifier,
                       ErrorWriteProductId))
        return ErrorWriteProductId;
    QFC::String transaction = ReadReceiptTransaction(productIdentifier);
    if (transaction.isEmpty())
        return ErrorGetTransaction;
    if (!receipt.Write(ResourceText(IDS_TRANSACTION_SECTION), ResourceText(IDS_TRANSACTION_KEY), transaction,
                       ErrorWriteTransaction))
        return ErrorWriteTransaction;
    return 0;
}
