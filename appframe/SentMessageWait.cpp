#include "SentMessageWait.h"

DWORD WaitDeliveringSentMessages(HANDLE handle)
{
    for (;;) {
        DWORD woken = ::MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE);
        if (woken == WAIT_OBJECT_0)
            return WAIT_OBJECT_0;
        if (woken != WAIT_OBJECT_0 + 1)
            return WAIT_FAILED;
        DeliverSentMessages();
    }
}

void DeliverSentMessages()
{
    // Any PeekMessage delivers pending sent messages; PM_QS_SENDMESSAGE
    // would say so more precisely but Windows 95 and NT 4 reject it.
    MSG msg;
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
}
