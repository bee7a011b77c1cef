#ifndef QFC_STRINGBUFFER_H
#define QFC_STRINGBUFFER_H

#include <windows.h>
#include <cstddef>
#include <cstdint>

namespace QFC {

// Header of one storage block shared by QFC::String and QFC::Buffer. The
// layout is a binary interface: blocks cross module boundaries, and either
// side may free what the other allocated (GlobalAlloc/GlobalFree, fixed mode).
struct StringBuffer {
    uint32_t refCount;      // sharers; 0 while pinned for direct writing
    uint32_t length;        // bytes in use, not counting a terminator
    uint32_t capacity;      // bytes of storage behind the header; multiple of 50
    CRITICAL_SECTION lock;  // guards refCount only

    char* data() { return reinterpret_cast<char*>(this + 1); }
    const char* data() const { return reinterpret_cast<const char*>(this + 1); }
};

static_assert(offsetof(StringBuffer, refCount) == 0, "refCount at 0");
static_assert(offsetof(StringBuffer, length) == 4, "length at 4");
static_assert(offsetof(StringBuffer, capacity) == 8, "capacity at 8");
static_assert(offsetof(StringBuffer, lock) == 12, "lock at 12");
static_assert(sizeof(CRITICAL_SECTION) == 24, "lock is 24 bytes");
static_assert(sizeof(StringBuffer) == 36, "characters at 36");

// The block primitives that QFC::String and QFC::Buffer are built on.
namespace block {

// Capacity for a wanted length n: the smallest multiple of 50 greater than n.
uint32_t capacityFor(uint32_t n);

// A new block with refCount 1, the given length and capacityFor(length).
// Throws QFC::MemoryException when the allocator refuses.
StringBuffer* allocate(uint32_t length);

// Takes one more reference to b. False (and nothing changed) when b is pinned.
bool share(StringBuffer* b);

// Drops one reference; the last one destroys the lock and frees the block.
// Null is allowed.
void release(StringBuffer* b);

// True when b may be written in place for a wanted length n (with one spare
// byte for a terminator).
inline bool writableInPlace(const StringBuffer* b, uint32_t n)
{
    return b->refCount < 2 && n + 1 <= b->capacity;
}

// Blocks allocated by this module since start, and those still alive
// (allocated here minus freed here); for tests and benchmarks.
long allocationCount();
long liveCount();

} // namespace block
} // namespace QFC

#endif
