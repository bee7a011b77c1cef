#include "ProgressPage.h"

#include "CDataExchange.h"

ProgressPage::ProgressPage(UINT templateId) : QFXWizardPage(templateId)
{
    picture_.SetFrameFlags(PictureBox::DoubleSunkenFrame);
}

void ProgressPage::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_PROGRESS_PICTURE, picture_);
    DDX_Control(dx, IDC_PROGRESS_BAR, bar_);
    DDX_Control(dx, IDC_PROGRESS_OPERATION, operation_);
    DDX_Control(dx, IDC_PROGRESS_HEADER, header_);
}

void ProgressPage::SetHeaderText(QFC::String text)
{
    if (header_.m_hWnd) ::SetWindowTextA(header_.m_hWnd, text.textOrEmpty());
}

void ProgressPage::SetOperationText(QFC::String text)
{
    if (operation_.m_hWnd) ::SetWindowTextA(operation_.m_hWnd, text.textOrEmpty());
}
