#ifndef BACKUP_RECOVERYCOPYALL_H
#define BACKUP_RECOVERYCOPYALL_H

#include "CopyPage.h"

// Restores the program files and the product's folder from the disk as soon
// as it becomes active.
class RecoveryCopyAll : public CopyPage {
public:
    BOOL OnSetActive() override;

protected:
    void OnCopyStage(int stage) override;
    void OnCopyError(int code) override;
};

#endif
