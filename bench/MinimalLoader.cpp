// The least a host can do: load the library named by the whole command line,
// call its execute once, release it. The baseline the benchmark compares
// ZEPHBuy with; built with the same flags and subsystem.
#include <windows.h>

typedef BOOL(WINAPI* ExecuteEntry)(const char*);

namespace {
const unsigned int ResultByte = 0xFFu;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR library, int)
{
    HMODULE module = ::LoadLibraryA(library);
    if (!module)
        return 0;
    int result = 0;
    ExecuteEntry execute =
        reinterpret_cast<ExecuteEntry>(reinterpret_cast<void*>(::GetProcAddress(module, "execute")));
    if (execute)
        result = (static_cast<unsigned int>(execute("X")) & ResultByte) != 0;
    ::FreeLibrary(module);
    return result;
}
