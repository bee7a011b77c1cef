#ifndef BACKUP_RECEIPTFILE_H
#define BACKUP_RECEIPTFILE_H

#include "String.h"

// The receipt file that a backup writes on the disk. Remembers each key it
// writes, so that all of them can be read back once the file is flushed:
// Windows 95 reports a profile write done while only its cache holds it.
class ReceiptFile {
public:
    explicit ReceiptFile(const QFC::String& path) : path(path), count(0) {}
    ReceiptFile(const ReceiptFile&) = delete;
    ReceiptFile& operator=(const ReceiptFile&) = delete;

    // Writes value (empty for none) as key of section; unwritten is what
    // FlushAndCheck reports when the key does not read back so. False when the
    // platform refuses the write, and for keys beyond MaxKeys.
    bool Write(const QFC::String& section, const QFC::String& key, const QFC::String& value, int unwritten);
    // Flushes the platform's copy of the file, then reads back the keys in the
    // order written: the unwritten code of the first that is missing or holds
    // another value, 0 when every one holds what was written.
    int FlushAndCheck() const;

    static const int MaxKeys = 3;

private:
    struct Entry {
        QFC::String section;
        QFC::String key;
        QFC::String value;
        int unwritten;
    };

    QFC::String path;
    Entry entries[MaxKeys];
    int count;
};

#endif
