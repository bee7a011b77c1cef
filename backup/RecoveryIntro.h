#ifndef BACKUP_RECOVERYINTRO_H
#define BACKUP_RECOVERYINTRO_H

#include "MessagePage.h"

#include "String.h"

// The welcome page; leaving it forwards reads the product from the disk.
class RecoveryIntro : public MessagePage {
public:
    BOOL OnSetActive() override;
    int OnWizardNext() override;

    // "ID" of "PRODUCT-INFO" in the receipt file (at most 254 characters);
    // empty when missing or not usable as a folder name.
    static QFC::String ReadProductIdentifier(const QFC::String& receiptPath);
};

#endif
