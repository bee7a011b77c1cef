#ifndef BUYHOST_PRODUCTIDENTIFIER_H
#define BUYHOST_PRODUCTIDENTIFIER_H

#include "String.h"

// False for an identifier that must not be joined into a path: empty, "."
// or "..", or holding \ / : * ? " < > | or a control character.
bool IsUsableProductIdentifier(const QFC::String& identifier);

#endif
