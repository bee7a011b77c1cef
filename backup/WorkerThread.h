#ifndef BACKUP_WORKERTHREAD_H
#define BACKUP_WORKERTHREAD_H

#include <windows.h>

// A background thread that runs Run() once per start. The object belongs to
// its owner and must outlive every run. A class whose Run reads its own
// members waits in its own destructor (WaitForCompletion): by the time this
// destructor runs, those members are gone. This one still waits, as a last
// guard, dispatching sent messages meanwhile, since Run reports by
// SendMessage to the thread that owns the window.
//
// The object owns its thread handle: it closes it only at the next start,
// after the previous run has ended, and in its destructor. Others may borrow
// it (ThreadHandle) until then.
class WorkerThread {
public:
    enum State { StateStarting = 0, StateRunning = 1, StateIdle = 3 };

    WorkerThread();
    virtual ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // True while a started run has not returned yet.
    bool IsBusy() const;
    // Waits until the current run (if any) has ended, dispatching messages
    // sent to this thread (any handler may run meanwhile). Returns at once
    // when no run was started, or on the run's own thread; never before the
    // run has ended, also when the thread handle cannot be waited on.
    void WaitForCompletion();
    int GetState() const;
    // The thread of the latest run (signalled when it has ended), or null.
    HANDLE ThreadHandle() const { return thread_; }

protected:
    // Starts Run on a new thread. The caller has waited for the previous run
    // (WaitForCompletion) before it set what Run reads. False while a run is
    // still going, or when the completion event or the thread cannot be
    // created.
    bool Start();
    virtual void Run() = 0;

private:
    static unsigned __stdcall ThreadBody(void* self);
    void CloseHandles();
    // Whether the run has ended, from the state alone: for when the thread
    // handle cannot be waited on.
    bool RunEnded() const;
    void SetState(int state);

    HANDLE completion_;  // auto-reset, set when Run has returned
    HANDLE thread_;
    DWORD threadId_;
    int state_;          // guarded by lock_
    bool autoDelete_;    // guarded by lock_; never set in this program
    mutable CRITICAL_SECTION lock_;
};

#endif
