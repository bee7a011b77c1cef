#ifndef BACKUP_BACKUPMESSAGE_H
#define BACKUP_BACKUPMESSAGE_H

#include "MessagePage.h"

// The final page: the completion text with Finish, or the error text with
// Cancel (and Next when the copy may be tried again).
class BackupMessage : public MessagePage {
public:
    BOOL OnSetActive() override;
    int OnWizardNext() override;
};

#endif
