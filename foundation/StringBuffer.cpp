#include "StringBuffer.h"
#include "Exception.h"

#include <cstdlib>

namespace QFC {
namespace block {

namespace {
const uint32_t HeaderSize = sizeof(StringBuffer);
const uint32_t Step = 50;
volatile LONG allocations = 0;
volatile LONG alive = 0;
}

uint32_t capacityFor(uint32_t n)
{
    return (n / Step + 1) * Step;
}

StringBuffer* allocate(uint32_t length)
{
    uint32_t capacity = capacityFor(length);
    // A length near the top of the range would wrap the size computation.
    if (capacity < length || capacity > 0xFFFFFFFFu - HeaderSize)
        throw MemoryException();
    void* memory = ::GlobalAlloc(GMEM_FIXED, capacity + HeaderSize);
    if (!memory)
        throw MemoryException();
    StringBuffer* b = static_cast<StringBuffer*>(memory);
    ::InitializeCriticalSection(&b->lock);
    b->refCount = 1;
    b->length = length;
    b->capacity = capacity;
    ::InterlockedIncrement(&allocations);
    ::InterlockedIncrement(&alive);
    return b;
}

bool share(StringBuffer* b)
{
    ::EnterCriticalSection(&b->lock);
    bool shared = b->refCount != 0;
    if (shared)
        ++b->refCount;
    ::LeaveCriticalSection(&b->lock);
    return shared;
}

void release(StringBuffer* b)
{
    if (!b)
        return;
    ::EnterCriticalSection(&b->lock);
    if (b->refCount >= 2) {
        --b->refCount;
        ::LeaveCriticalSection(&b->lock);
        return;
    }
    ::LeaveCriticalSection(&b->lock);
    ::DeleteCriticalSection(&b->lock);
    ::GlobalFree(b);
    ::InterlockedDecrement(&alive);
}

long allocationCount() { return allocations; }
long liveCount() { return alive; }

} // namespace block
} // namespace QFC

// Nothing in the suite catches QFC::MemoryException; an uncaught one ends the
// program through std::terminate. The runtime's verbose handler would print
// the demangled type name to a console that these programs do not have, and
// would bring the whole demangler (some 50 KB) into every deliverable.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
} // namespace __gnu_cxx
