#ifndef APPFRAME_CCMDTARGET_H
#define APPFRAME_CCMDTARGET_H

#include "MessageMap.h"

// Root of everything that receives messages or commands through a map.
class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // True when a row of this class's map or a base map handled the message;
    // its result is then in *result.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

protected:
    static const MessageMap messageMap;
    virtual const MessageMap* GetMessageMap() const { return &messageMap; }
};

#endif
