#ifndef APPFRAME_SENTMESSAGEWAIT_H
#define APPFRAME_SENTMESSAGEWAIT_H

#include <windows.h>

// Waits until handle is signalled while delivering the messages that other
// threads send to this one, so that a thread reporting by SendMessage cannot
// deadlock with the wait. Any handler of any window of this thread may run
// inside the wait, so the caller's state may change under it. Posted messages
// stay in the queue. Returns WAIT_OBJECT_0, or WAIT_FAILED when the handle
// cannot be waited on; that says nothing about what the handle stands for,
// so every caller checks it.
DWORD WaitDeliveringSentMessages(HANDLE handle);

// Delivers the messages that other threads have sent to this one so far;
// posted messages stay in the queue. Handlers may run, as above.
void DeliverSentMessages();

#endif
