#ifndef QFC_BUFFER_H
#define QFC_BUFFER_H

#include "Object.h"
#include "StringBuffer.h"

#include <cstdint>

namespace QFC {

// A run of bytes. In its own mode the bytes live in a shared, reference-
// counted block of the string's layout and growth rule, never terminated; in
// attached mode they live in a caller's area that the buffer neither
// allocates nor frees, and nothing is ever written past that area. Every
// allocation failure throws QFC::MemoryException and leaves the buffer as it
// was. Indices are not checked: callers keep within the length.
class Buffer : public Object {
public:
    Buffer();
    // Null bytes give an empty buffer; otherwise a new block with a copy.
    Buffer(const void* bytes, uint32_t count);
    // Never shares: always a private copy of the source's bytes.
    Buffer(const Buffer& other);
    // Releases the own block; an attached area is left alone.
    ~Buffer() override;

    // Shares an own, unpinned source block; copies otherwise. In attached
    // mode copies into the area, or refuses (nothing changes) when the
    // source does not fit.
    Buffer& operator=(const Buffer& other);

    // Drops the own block and works in area from now on, with length size.
    // A null area leaves the buffer empty in its own mode.
    void attach(void* area, uint32_t size);
    bool isAttached() const { return area_ != nullptr; }

    uint32_t length() const;
    bool isEmpty() const { return length() == 0; }
    // The bytes; null for an empty own-mode buffer without a block.
    unsigned char* data();
    const unsigned char* data() const;

    unsigned char byteAt(uint32_t index) const { return data()[index]; }
    // Makes a shared block private first.
    void setByteAt(uint32_t index, unsigned char value);

    // Grows by count bytes copied from bytes. False (nothing written) when an
    // attached area has no room for them.
    bool append(const void* bytes, uint32_t count);
    // Grows by count copies of value. False as append.
    bool appendFill(unsigned char value, uint32_t count);

    // Own mode: sets the length to n keeping the contents and pins the block
    // for direct writing of n bytes. Attached mode: the area as it is, or
    // null when n exceeds the area's size. End with releaseBuffer().
    unsigned char* getBuffer(uint32_t n);
    // Ends a pin; anything else is left alone.
    void releaseBuffer();

    // The own block, null when none; for tests and diagnostics.
    const StringBuffer* block() const { return block_; }

private:
    void resize(uint32_t n, bool keep);
    void makePrivate();
    bool fits(uint32_t n) const { return n <= areaSize_; }

    StringBuffer* block_;
    uint32_t areaSize_;
    uint32_t areaLength_;
    unsigned char* area_;
};

} // namespace QFC

#endif
