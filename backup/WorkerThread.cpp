#include "WorkerThread.h"

#include "SentMessageWait.h"

#include <process.h>

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

int WorkerThread::GetState() const
{
    ::EnterCriticalSection(&lock_);
    int state = state_;
    ::LeaveCriticalSection(&lock_);
    return state;
}

bool WorkerThread::IsBusy() const
{
    return thread_ && ::WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT;
}

void WorkerThread::WaitForCompletion()
{
    if (!thread_ || ::GetCurrentThreadId() == threadId_)
        return;
    // The worker blocks in SendMessage until this thread handles each report.
    WaitDeliveringSentMessages(thread_);
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
    unsigned id = 0;
    thread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ThreadBody, this, 0, &id));
    threadId_ = id;
    if (!thread_) {
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

    ::EnterCriticalSection(&self->lock_);
    self->state_ = StateIdle;
    ::LeaveCriticalSection(&self->lock_);
    ::SetEvent(self->completion_);
    if (autoDelete)
        delete self;
    return 0;
}
