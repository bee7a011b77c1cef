#ifndef BACKUP_WORKERTHREAD_H
#define BACKUP_WORKERTHREAD_H

#include <windows.h>

// A background thread that runs Run() once per start. The object belongs to
// its owner and must outlive every run: the destructor waits for a running
// thread, dispatching sent messages meanwhile, since Run reports by
// SendMessage to the thread that owns the window.
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
    // sent to this thread. Returns at once when no run was started.
    void WaitForCompletion();
    int GetState() const;

protected:
    // Starts Run on a new thread after the previous run has ended. False when
    // the completion event or the thread cannot be created.
    bool Start();
    virtual void Run() = 0;

private:
    static unsigned __stdcall ThreadBody(void* self);
    void CloseHandles();

    HANDLE completion_;  // auto-reset, set when Run has returned
    HANDLE thread_;
    DWORD threadId_;
    int state_;          // guarded by lock_
    bool autoDelete_;    // guarded by lock_; never set in this program
    mutable CRITICAL_SECTION lock_;
};

#endif
