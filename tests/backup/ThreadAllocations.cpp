#include "ThreadAllocations.h"

#include <windows.h>

#include <cstdlib>
#include <new>

namespace {

// The thread of the first allocation, made during static initialisation, is
// the test's own.
DWORD mainThread = 0;
const int capacity = 4096;
void* blocks[capacity];
int count = 0;
// A spin lock: operator new may run before any constructor of ours.
volatile LONG busy = 0;

struct Locked {
    Locked()
    {
        while (::InterlockedExchange(&busy, 1))
            ::Sleep(0);
    }
    ~Locked() { ::InterlockedExchange(&busy, 0); }
};

void* allocate(std::size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    if (!mainThread)
        mainThread = ::GetCurrentThreadId();
    if (::GetCurrentThreadId() != mainThread) {
        Locked lock;
        if (count < capacity)
            blocks[count++] = block;
    }
    return block;
}

void release(void* block)
{
    if (!block)
        return;
    {
        Locked lock;
        for (int i = 0; i < count; ++i) {
            if (blocks[i] == block) {
                blocks[i] = blocks[--count];
                break;
            }
        }
    }
    std::free(block);
}

} // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }

namespace threadallocations {

int outstanding()
{
    Locked lock;
    return count;
}

} // namespace threadallocations
