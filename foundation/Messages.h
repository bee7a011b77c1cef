#ifndef QFC_MESSAGES_H
#define QFC_MESSAGES_H

#include "String.h"

#include <cstdint>

namespace QFC {

// Fills out with templateText after the platform's numbered inserts (%1, %2,
// ...), each argument the address of a zero-terminated text. Throws
// QFC::MemoryException when the platform produces no text.
void formatMessage(String& out, const char* templateText, ...);

// A readable text for an error code: codes marked by bits 31, 29 or 28 are
// platform errors looked up with those bits cleared; anything else, or a
// lookup that finds nothing, gives "Unknown error <code>". Never fails.
String errorText(uint32_t code);

} // namespace QFC

#endif
