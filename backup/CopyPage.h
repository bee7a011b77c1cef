#ifndef BACKUP_COPYPAGE_H
#define BACKUP_COPYPAGE_H

#include "CopyWorker.h"
#include "ProgressPage.h"

#include "String.h"

// A progress page that owns a copy worker, starts it on activation and shows
// its progress reports; what a stage or an error means is the wizard's.
// The page is busy until the run has ended (QFXWizardPage.h tells who waits
// for it where).
class CopyPage : public ProgressPage {
public:
    CopyPage();
    // Drops the reports of a run that is still going, then waits for it.
    ~CopyPage() override;

protected:
    // Sets up the page for a run and starts the worker in mode.
    void StartCopy(CopyWorker::Mode mode, UINT headerId, const QFC::String& productIdentifier,
                   const QFC::String& drive);
    virtual void OnCopyStage(int stage) = 0;
    virtual void OnCopyError(int code) = 0;
    // Makes page index current and, when that worked, hides this page: the
    // sheet hides the previous page only after Back and Next.
    void ActivatePage(int index);

    LRESULT OnCopyProgress(WPARAM kind, LPARAM argument);

    DECLARE_MESSAGE_MAP()

private:
    QFC::String operationFormat;
    CopyWorker worker;
};

#endif
