#ifndef BACKUP_PATHMACROS_H
#define BACKUP_PATHMACROS_H

#include "String.h"

// Replaces the first "<guid>" with productIdentifier (the text around it
// stays), then the first "<sysdir>" and the first "<windir>" with the system
// and Windows directory (the text before the macro is dropped, and the result
// ends with a backslash). Macro names match in lower case only; a path
// without macros is left as it is.
void ExpandPathMacros(QFC::String& path, QFC::String productIdentifier);

#endif
