// A purchasing library that answers at once, so that the benchmark measures
// the host and not the library.
#include <windows.h>

extern "C" BOOL WINAPI execute(const char*)
{
    return TRUE;
}
