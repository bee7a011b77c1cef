#include "CCmdTarget.h"

namespace {
const MessageMapEntry* noEntries()
{
    static const MessageMapEntry entries[] = {{0, 0, nullptr, nullptr}};
    return entries;
}

bool matches(const MessageMapEntry& entry, UINT message, WPARAM wParam)
{
    if (entry.registered)
        return *entry.registered != 0 && *entry.registered == message;
    if (entry.message != message)
        return false;
    if (message == WM_COMMAND)
        return LOWORD(wParam) == entry.id && HIWORD(wParam) == 0;
    return true;
}
}

const MessageMap CCmdTarget::messageMap = {nullptr, &noEntries};

BOOL CCmdTarget::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    for (const MessageMap* map = GetMessageMap(); map; map = map->base) {
        for (const MessageMapEntry* entry = map->entries(); entry->handler; ++entry) {
            if (matches(*entry, message, wParam)) {
                *result = (this->*entry->handler)(wParam, lParam);
                return TRUE;
            }
        }
    }
    return FALSE;
}
