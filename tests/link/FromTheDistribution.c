/* Linked with -municode, which takes crt2u.o from the distribution's runtime
   (the i486 runtime has none), and with the stack protector, whose libssp
   comes from there too: the link check's own test. */
#include <string.h>
#include <wchar.h>

int wmain(int argc, wchar_t** argv)
{
    char buffer[64];
    strcpy(buffer, "guarded");
    return (int)strlen(buffer) + argc;
}
