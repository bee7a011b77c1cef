#ifndef BACKUP_BACKUPCOPYALL_H
#define BACKUP_BACKUPCOPYALL_H

#include "CopyPage.h"

// Copies the program, the product-information library, the product's folder
// and the receipt to the disk as soon as it becomes active.
class BackupCopyAll : public CopyPage {
public:
    BOOL OnSetActive() override;

    // The final page's text for an error code and whether Next may retry;
    // 0 for a code that has no text.
    static UINT ErrorText(int code, bool* retry);

protected:
    void OnCopyStage(int stage) override;
    void OnCopyError(int code) override;
};

#endif
