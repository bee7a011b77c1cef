#ifndef WIZARD_MESSAGEPAGE_H
#define WIZARD_MESSAGEPAGE_H

#include "CStatic.h"
#include "PictureBox.h"
#include "QFXWizardPage.h"
#include "String.h"
#include "WizardResource.h"

// A page with the side picture and a message text.
class MessagePage : public QFXWizardPage {
public:
    explicit MessagePage(UINT templateId = IDD_MESSAGE_PAGE);

    // Sets the message text; does nothing before the page window exists.
    void SetMessageText(QFC::String text);
    // FALSE when the bitmap resource cannot be loaded.
    BOOL SetBitmap(UINT resourceId) { return picture_.SetBitmap(resourceId); }

protected:
    void DoDataExchange(CDataExchange* dx) override;

    PictureBox picture_;
    CStatic message_;
};

#endif
