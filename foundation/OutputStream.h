#ifndef QFC_OUTPUTSTREAM_H
#define QFC_OUTPUTSTREAM_H

#include "Buffer.h"
#include "Object.h"
#include "String.h"

#include <cstdint>

namespace QFC {

// A sink of bytes. Implementations provide write; the rest is built on it.
class OutputStream : public virtual Object {
public:
    // Does nothing here.
    virtual void close();
    // Does nothing in the foundation's streams: writes are not buffered.
    virtual void flush();
    // Writes exactly count bytes. False on failure.
    virtual bool write(const void* buffer, uint32_t count) = 0;
    // Writes the one byte c. False on failure.
    virtual bool writeByte(unsigned char c);
    // Writes the text without its terminator. False on failure.
    virtual bool write(const String& text);
    // Writes the buffer's bytes. False on failure.
    virtual bool write(const Buffer& bytes);
};

} // namespace QFC

#endif
