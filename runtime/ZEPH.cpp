#include <windows.h>

namespace {
const unsigned int RuntimeVersion = 101;
HINSTANCE moduleHandle = nullptr;
}

// Written once at process attach, before any caller can reach the library.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        moduleHandle = module;
    return TRUE;
}

// Takes no arguments, so callers may declare it __cdecl or __stdcall alike.
extern "C" unsigned int getVersion()
{
    return RuntimeVersion;
}
