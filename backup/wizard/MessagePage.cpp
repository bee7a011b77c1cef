#include "MessagePage.h"

#include "CDataExchange.h"

MessagePage::MessagePage(UINT templateId) : QFXWizardPage(templateId)
{
    picture_.SetFrameFlags(PictureBox::DoubleSunkenFrame);
}

void MessagePage::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_PICTURE, picture_);
    DDX_Control(dx, IDC_MESSAGE, message_);
}

void MessagePage::SetMessageText(QFC::String text)
{
    if (message_.m_hWnd) ::SetWindowTextA(message_.m_hWnd, text.textOrEmpty());
}
