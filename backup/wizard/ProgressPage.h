#ifndef WIZARD_PROGRESSPAGE_H
#define WIZARD_PROGRESSPAGE_H

#include "CStatic.h"
#include "PictureBox.h"
#include "ProgressBar.h"
#include "QFXWizardPage.h"
#include "String.h"
#include "WizardResource.h"

// A page with the side picture, a header, an operation line and a progress bar.
class ProgressPage : public QFXWizardPage {
public:
    explicit ProgressPage(UINT templateId = IDD_PROGRESS_PAGE);

    // The text setters do nothing before the page window exists.
    void SetHeaderText(QFC::String text);
    void SetOperationText(QFC::String text);
    // Both repaint the bar at once; the position is clamped to the range.
    void SetRange(int low, int high) { bar_.SetRange(low, high); }
    void SetPos(int position) { bar_.SetPos(position); }
    // FALSE when the bitmap resource cannot be loaded.
    BOOL SetBitmap(UINT resourceId) { return picture_.SetBitmap(resourceId); }

protected:
    void DoDataExchange(CDataExchange* dx) override;

    PictureBox picture_;
    ProgressBar bar_;
    CStatic operation_;
    CStatic header_;
};

#endif
