#ifndef APPFRAME_CSTATIC_H
#define APPFRAME_CSTATIC_H

#include "CWnd.h"

// A static control of a dialog, bound by DDX_Control.
class CStatic : public CWnd {
};

#endif
