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

/* fcomi or fucomi at -march=i686. */
__declspec(dllexport) int CompareDoubles(double a, double b)
{
    return a < b;
}

/* What the compiler would not choose; the assembler is held to nothing. */
__asm__(".globl _LongNop\n_LongNop: .byte 0x0f, 0x1f, 0x40, 0x00\n ret\n"
        ".globl _HintNop\n_HintNop: .byte 0x0f, 0x1f, 0xc0\n ret\n"
        ".globl _EndBranch\n_EndBranch: .byte 0xf3, 0x0f, 0x1e, 0xfb\n ret\n"
        ".globl _Undecodable\n_Undecodable: .byte 0x0f, 0x04\n ret\n");
