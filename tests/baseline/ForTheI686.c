/* A DLL built the usual way for the i686, with MinGW's DLL start-up, for the
   baseline check's own test. */
#include <windows.h>

/* The compiler picks CMOV for this at -O2 -march=i686. */
__declspec(dllexport) int PickLarger(int a, int b)
{
    return a > b ? a : b;
}

/* cpuid without first probing EFLAGS.ID for it. */
__declspec(dllexport) unsigned AskProcessor(void)
{
    unsigned a = 0, b, c, d;
    __asm__ volatile("cpuid" : "+a"(a), "=b"(b), "=c"(c), "=d"(d));
    return b;
}
