/* -municode takes crt2u.o, and the stack protector libssp, from the
   distribution's runtime: the i486 runtime has neither. */
#include <string.h>
#include <wchar.h>

int wmain(int argc, wchar_t** argv)
{
    char guarded[64];
    return (int)strlen(strcpy(guarded, "x")) + argc;
}
