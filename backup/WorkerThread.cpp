#include "WorkerThread.h"

#include "SentMessageWait.h"

#include <process.h>

namespace {
// How often a wait whose handle failed looks at the run's state again.
const DWORD FailedWaitPollMs = 20;
}

WorkerThread::WorkerThread() : completion_(nullptr), thread_(nullptr), threadId_(0), state_(StateIdle), autoDelete_(false)
{
    ::InitializeCriticalSection(&lock_);
}

WorkerThread::~WorkerThread()
{
    WaitForCompletion();
    CloseHandles();
    ::DeleteCriticalSection(&lock_);
}

void WorkerThread::SetState(int state)
{
    ::EnterCriticalSection(&lock_);
    state_ = state;
    ::LeaveCriticalSection(&lock_);
}

int WorkerThread::GetState() const
{
    ::EnterCriticalSection(&lock_);
    int state = state_;
    ::LeaveCriticalSection(&lock_);
    return state;
}

bool WorkerThread::RunEnded() const
{
    return GetState() == StateIdle;
}

bool WorkerThread::IsBusy() const
{
    if (!thread_)
        return false;
    DWORD woken = ::WaitForSingleObject(thread_, 0);
    return woken == WAIT_TIMEOUT || (woken == WAIT_FAILED && !RunEnded());
}

void WorkerThread::WaitForCompletion()
{
    if (!thread_ || ::GetCurrentThreadId() == threadId_)
        return;
    // The worker blocks in SendMessage until this thread handles each report.
    if (WaitDeliveringSentMessages(thread_) == WAIT_OBJECT_0)
        return;
    // A wait that failed says nothing about the thread, and the run may still
    // read this object: the state tells when it has ended. Nothing here can
    // make the handle fail; only a handle closed behind this object's back.
    while (!RunEnded()) {
        DeliverSentMessages();
        ::Sleep(FailedWaitPollMs);
    }
}

void WorkerThread::CloseHandles()
{
    if (thread_)
        ::CloseHandle(thread_);
    if (completion_)
        ::CloseHandle(completion_);
    thread_ = nullptr;
    completion_ = nullptr;
}

bool WorkerThread::Start()
{
    if (IsBusy())
        return false;
    CloseHandles();
    completion_ = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!completion_)
        return false;
    // Starting already, before the thread runs: RunEnded must not take a run
    // that has not begun for one that has ended.
    SetState(StateStarting);
    unsigned id = 0;
    thread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ThreadBody, this, 0, &id));
    threadId_ = id;
    if (!thread_) {
        SetState(StateIdle);
        CloseHandles();
        return false;
    }
    return true;
}

unsigned __stdcall WorkerThread::ThreadBody(void* param)
{
    WorkerThread* self = static_cast<WorkerThread*>(param);
    ::EnterCriticalSection(&self->lock_);
    self->state_ = StateStarting;
    bool autoDelete = self->autoDelete_;
    self->state_ = StateRunning;
    ::LeaveCriticalSection(&self->lock_);

    self->Run();

    // The event is set under the lock, so that once the state reads idle the
    // thread touches nothing of the object any more.
    ::EnterCriticalSection(&self->lock_);
    self->state_ = StateIdle;
    ::SetEvent(self->completion_);
    ::LeaveCriticalSection(&self->lock_);
    if (autoDelete)
        delete self;
    return 0;
}
