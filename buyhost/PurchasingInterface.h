#ifndef BUYHOST_PURCHASINGINTERFACE_H
#define BUYHOST_PURCHASINGINTERFACE_H

#include "String.h"

// Finds the product's record, loads the purchasing library it names and
// calls its "execute" with the identifier. True only when execute reported
// success; every failure shows the host's message box and gives false.
bool RunPurchasingInterface(const QFC::String& productIdentifier);

#endif
