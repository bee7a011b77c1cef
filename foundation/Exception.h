#ifndef QFC_EXCEPTION_H
#define QFC_EXCEPTION_H

#include "String.h"

#include <cstdint>

namespace QFC {

// The suite's exception family, thrown by value. Only MemoryException is
// ever thrown by the foundation, and nothing in the suite catches it.
class Exception {
public:
    Exception() : code_(0) {}
    Exception(uint32_t code, const String& message) : code_(code), message_(message) {}

    uint32_t code() const { return code_; }
    const String& message() const { return message_; }

private:
    uint32_t code_;
    String message_;
};

// Allocation refused by the platform. Always code 0 and an empty message, so
// that throwing it needs no memory.
class MemoryException : public Exception {
};

} // namespace QFC

#endif
