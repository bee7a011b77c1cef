#ifndef QFC_INPUTSTREAM_H
#define QFC_INPUTSTREAM_H

#include "Object.h"

#include <cstdint>

namespace QFC {

// A source of bytes. Implementations provide read; the rest is built on it.
class InputStream : public virtual Object {
public:
    // Value of readByte at the end or on failure.
    static const uint16_t NoByte = 0xFFFF;
    // Largest piece that skip reads at once.
    static const uint32_t SkipChunk = 8192;

    // Does nothing here.
    virtual void close();
    // Bytes known to be readable without waiting; -1 when unknown, as in
    // every stream of the foundation.
    virtual int available();
    // Reads up to count bytes: the number read, 0 at the end, -1 on failure.
    virtual int32_t read(void* buffer, uint32_t count) = 0;
    // The next byte (0 to 255), or NoByte at the end or on failure.
    virtual uint16_t readByte();
    // False when the end or a failure comes before count bytes have arrived.
    virtual bool readFully(void* buffer, uint32_t count);
    // Reads and discards up to count bytes; the number discarded, fewer at
    // the end or on failure.
    virtual uint32_t skip(uint32_t count);
};

} // namespace QFC

#endif
