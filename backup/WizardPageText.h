#ifndef BACKUP_WIZARDPAGETEXT_H
#define BACKUP_WIZARDPAGETEXT_H

#include "String.h"

#include <windows.h>

// A string resource of the program, empty when it is missing.
inline QFC::String ResourceText(UINT id)
{
    QFC::String text;
    text.loadString(id);
    return text;
}

#endif
