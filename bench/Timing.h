#ifndef BENCH_TIMING_H
#define BENCH_TIMING_H

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <vector>

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

// The middle of the measured times; for an even count, the mean of the two
// in the middle.
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

#endif
