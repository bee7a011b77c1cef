#ifndef BENCH_CLOCK_H
#define BENCH_CLOCK_H

#include <windows.h>

// Seconds on the performance counter, for measuring intervals.
inline double now()
{
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart)
        ::QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

#endif
