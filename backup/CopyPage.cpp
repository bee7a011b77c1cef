#include "CopyPage.h"

#include "ProgressRecord.h"
#include "QFXWizardSheet.h"
#include "WizardPageText.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CopyPage, ProgressPage)
    ON_REGISTERED_MESSAGE(CopyProgressMessage, OnCopyProgress)
END_MESSAGE_MAP()

CopyPage::CopyPage() : ProgressPage(IDD_PROGRESS_PAGE)
{
}

CopyPage::~CopyPage()
{
    // The sheet has waited for the run in its destructor; a run still going
    // now is one whose wait failed. Its reports are dropped from here on, and
    // the window goes first, so that no report already sent reaches a page
    // that is half destroyed. The worker's destructor then waits for it.
    worker.ForgetPage();
    if (m_hWnd) DestroyWindow();
}

void CopyPage::StartCopy(CopyWorker::Mode mode, UINT headerId, const QFC::String& productIdentifier,
                         const QFC::String& drive)
{
    operationFormat.loadString(IDS_COPYING_FILE);
    GetSheet()->SetWizardButtons(0);
    SetBitmap(IDB_WIZARD);
    SetHeaderText(ResourceText(headerId));
    SetOperationText(QFC::String(""));
    // The start closes the previous run's thread handle; the page stays idle
    // when no run starts.
    SetBusyUntil(nullptr);
    if (worker.Start(mode, m_hWnd, productIdentifier, drive))
        SetBusyUntil(worker.ThreadHandle());
}

void CopyPage::ActivatePage(int index)
{
    QFXWizardSheet* sheet = GetSheet();
    if (sheet->SetActivePage(index) && sheet->GetPage(sheet->GetActiveIndex()) != this && m_hWnd)
        ::ShowWindow(m_hWnd, SW_HIDE);
}

LRESULT CopyPage::OnCopyProgress(WPARAM kind, LPARAM argument)
{
    LRESULT answer = 0;
    switch (kind) {
    case NotifyProgress: {
        ProgressRecord* record = reinterpret_cast<ProgressRecord*>(argument);
        if (record->index == -1) {
            SetRange(0, record->total);
            SetPos(0);
        } else {
            QFC::String text;
            text.format(operationFormat, record->name.textOrEmpty());
            SetPos(record->index);
            SetOperationText(text);
        }
        delete record;
        answer = ProgressRecordTaken;
        break;
    }
    case NotifyStage:
        OnCopyStage(static_cast<int>(argument));
        break;
    case NotifyError:
        OnCopyError(static_cast<int>(argument));
        break;
    }
    return answer;
}
