#include "RecoveryIntro.h"

#include "ProductIdentifier.h"
#include "RecoveryWizard.h"
#include "WizardPageText.h"
#include "resource.h"

namespace {
const int IdentifierBuffer = 255;
}

BOOL RecoveryIntro::OnSetActive()
{
    if (!MessagePage::OnSetActive())
        return FALSE;
    RecoveryWizard* wizard = RecoveryWizard::Of(this);
    ::SetWindowTextA(wizard->m_hWnd, wizard->WizardTitle().textOrEmpty());
    SetBitmap(IDB_WIZARD);
    SetMessageText(ResourceText(IDS_RECOVERY_WELCOME));
    wizard->SetWizardButtons(QFXWizardSheet::Next | QFXWizardSheet::Cancel);
    return TRUE;
}

QFC::String RecoveryIntro::ReadProductIdentifier(const QFC::String& receiptPath)
{
    QFC::String identifier;
    char* text = identifier.getBuffer(IdentifierBuffer);
    ::GetPrivateProfileStringA(ResourceText(IDS_PRODUCT_SECTION).textOrEmpty(),
                               ResourceText(IDS_PRODUCT_KEY).textOrEmpty(), "", text, IdentifierBuffer,
                               receiptPath.textOrEmpty());
    identifier.releaseBuffer();
    identifier.setLength(static_cast<int>(lstrlenA(identifier.text())));
    // The identifier becomes a folder name on this machine: a disk is not
    // trusted to name anything outside the folder of product records.
    if (!QFC::isUsableProductIdentifier(identifier))
        identifier.clear();
    return identifier;
}

int RecoveryIntro::OnWizardNext()
{
    RecoveryWizard* wizard = RecoveryWizard::Of(this);
    wizard->SetBackupDrive(ResourceText(IDS_BACKUP_DRIVE));
    QFC::String receipt = wizard->BackupDrive();
    receipt.appendPath(ResourceText(IDS_RECEIPT_FILE));
    QFC::String identifier = ReadProductIdentifier(receipt);
    if (identifier.isEmpty()) {
        ::MessageBoxA(nullptr, ResourceText(IDS_ERROR_READ_PRODUCT_ID).textOrEmpty(),
                      ResourceText(IDS_PROGRAM_NAME).textOrEmpty(), MB_OK | MB_ICONHAND);
        return -1;
    }
    wizard->SetProductIdentifier(identifier);
    return 0;
}
