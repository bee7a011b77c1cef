#ifndef APPFRAME_AFXMESSAGES_H
#define APPFRAME_AFXMESSAGES_H

#include <windows.h>

// Message and command numbers that the framework itself defines; the values
// are fixed because windows of other programs may send them.
const UINT WM_KICKIDLE = 0x036A;     // posted to update the idle-time state
const UINT WM_COMMANDHELP = 0x0365;  // context help for the focused window
const UINT ID_HELP = 57670;          // the standard Help command
// Notifications sent back to the control they concern are offset by this.
const UINT WM_REFLECT_BASE = 0xBC00;

#endif
