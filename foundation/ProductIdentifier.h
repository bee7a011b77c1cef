#ifndef QFC_PRODUCTIDENTIFIER_H
#define QFC_PRODUCTIDENTIFIER_H

#include "String.h"

namespace QFC {

// A product identifier names a folder. False for one that must not be joined
// into a path: empty, made of dots only, ending with a dot or a space,
// holding \ / : * ? " < > | or a control character, or naming a DOS device
// (namesDosDevice).
bool isUsableProductIdentifier(const String& identifier);

} // namespace QFC

#endif
