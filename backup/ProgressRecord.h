#ifndef BACKUP_PROGRESSRECORD_H
#define BACKUP_PROGRESSRECORD_H

#include "String.h"

// Payload of NotifyProgress. The worker allocates it; a page that receives it
// owns it from then on and deletes it, and says so by returning
// ProgressRecordTaken. A record that no page took, the worker deletes.
struct ProgressRecord {
    int total;         // entries in the program-file list
    int index;         // -1 opening record, total closing record, else the file about to be copied
    QFC::String name;  // full source path; empty when opening, "Copy complete!" when closing
};

#endif
