#ifndef BACKUP_PRODUCTIDENTIFIER_H
#define BACKUP_PRODUCTIDENTIFIER_H

#include "String.h"

// False for an identifier that cannot name a product's folder: empty, "." or
// "..", or holding a path separator, ':', a wildcard, a quote, '<', '>', '|'
// or a control character.
bool IsUsableProductIdentifier(const QFC::String& identifier);

#endif
