#ifndef APPFRAME_MESSAGEMAP_H
#define APPFRAME_MESSAGEMAP_H

#include <windows.h>

class CCmdTarget;

typedef LRESULT (CCmdTarget::*AfxHandler)(WPARAM, LPARAM);

// One row of a message map. A registered message has message 0 and points at
// the variable holding its number, which is read at dispatch time because it
// is only known once the program runs. A command row matches WM_COMMAND with
// that control id and notification code 0.
struct MessageMapEntry {
    UINT message;
    UINT id;
    const UINT* registered;
    AfxHandler handler;
};

// A class's table, chained to its base class's table.
struct MessageMap {
    const MessageMap* base;
    const MessageMapEntry* (*entries)();
};

#define DECLARE_MESSAGE_MAP()                                   \
protected:                                                      \
    static const MessageMap messageMap;                        \
    static const MessageMapEntry* MessageEntries();             \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                         \
    const MessageMap theClass::messageMap = {&baseClass::messageMap, &theClass::MessageEntries}; \
    const MessageMap* theClass::GetMessageMap() const { return &messageMap; }         \
    const MessageMapEntry* theClass::MessageEntries() {                                \
        typedef theClass ThisClass;                                                    \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()      \
            {0, 0, nullptr, nullptr} \
        };                     \
        return entries;        \
    }

#define ON_MESSAGE(message, fn) \
    {message, 0, nullptr, static_cast<AfxHandler>(&ThisClass::fn)},
#define ON_REGISTERED_MESSAGE(variable, fn) \
    {0, 0, &variable, static_cast<AfxHandler>(&ThisClass::fn)},
#define ON_COMMAND(id, fn) \
    {WM_COMMAND, id, nullptr, static_cast<AfxHandler>(&ThisClass::fn)},
// Every control-colour notification to one handler.
#define ON_ALL_CTLCOLOR(fn)                  \
    ON_MESSAGE(WM_CTLCOLORMSGBOX, fn)        \
    ON_MESSAGE(WM_CTLCOLOREDIT, fn)          \
    ON_MESSAGE(WM_CTLCOLORLISTBOX, fn)       \
    ON_MESSAGE(WM_CTLCOLORBTN, fn)           \
    ON_MESSAGE(WM_CTLCOLORDLG, fn)           \
    ON_MESSAGE(WM_CTLCOLORSCROLLBAR, fn)     \
    ON_MESSAGE(WM_CTLCOLORSTATIC, fn)

#endif
