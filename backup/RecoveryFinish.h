#ifndef BACKUP_RECOVERYFINISH_H
#define BACKUP_RECOVERYFINISH_H

#include "MessagePage.h"

// The final page: ready to re-install with Finish, or the error with Cancel.
class RecoveryFinish : public MessagePage {
public:
    BOOL OnSetActive() override;
};

#endif
