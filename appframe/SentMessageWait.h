#ifndef APPFRAME_SENTMESSAGEWAIT_H
#define APPFRAME_SENTMESSAGEWAIT_H

#include <windows.h>

// Waits until handle is signalled while delivering the messages that other
// threads send to this one, so that a thread reporting by SendMessage cannot
// deadlock with the wait. Returns WAIT_OBJECT_0, or WAIT_FAILED when the
// handle cannot be waited on. Posted messages stay in the queue.
DWORD WaitDeliveringSentMessages(HANDLE handle);

#endif
