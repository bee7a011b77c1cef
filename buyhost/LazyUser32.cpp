// USER32 is needed only to report a failure, and loading it costs more than
// the whole rest of a successful run under Wine. The import slots of its two
// entries are defined here, holding binders that load USER32 on the first
// call, so the program has no USER32 import at load time: MessageBoxA for
// the host's messages, and LoadStringA, which the foundation's
// QFC::String::loadString calls for the host's texts. Linked into
// ZEPHBuy.exe only; single-threaded like the host.
#include <windows.h>

// The slot names below are the decorated names of 32-bit x86 __stdcall
// imports; another target would bind nothing and link USER32 after all.
#if !defined(__i386__)
#error "LazyUser32.cpp binds the import slots of 32-bit x86 only"
#endif

typedef int(WINAPI* LoadStringEntry)(HINSTANCE, UINT, LPSTR, int);
typedef int(WINAPI* MessageBoxEntry)(HWND, LPCSTR, LPCSTR, UINT);

namespace {

const char User32[] = "USER32.DLL";

int WINAPI bindLoadString(HINSTANCE module, UINT id, LPSTR buffer, int size);
int WINAPI bindMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style);

} // namespace

// The names the compiler gives the slots of dllimport declarations.
extern "C" {
LoadStringEntry loadStringSlot __asm__("__imp__LoadStringA@16") = bindLoadString;
MessageBoxEntry messageBoxSlot __asm__("__imp__MessageBoxA@16") = bindMessageBox;
}

namespace {

// Null when USER32 cannot be loaded or lacks the entry; the slot then keeps
// its binder and the call reports nothing loaded and nothing shown.
FARPROC entryOfUser32(const char* name)
{
    HMODULE user32 = ::LoadLibraryA(User32);
    return user32 ? ::GetProcAddress(user32, name) : nullptr;
}

int WINAPI bindLoadString(HINSTANCE module, UINT id, LPSTR buffer, int size)
{
    LoadStringEntry entry = reinterpret_cast<LoadStringEntry>(reinterpret_cast<void*>(entryOfUser32("LoadStringA")));
    if (!entry)
        return 0;
    loadStringSlot = entry;
    return entry(module, id, buffer, size);
}

int WINAPI bindMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style)
{
    MessageBoxEntry entry = reinterpret_cast<MessageBoxEntry>(reinterpret_cast<void*>(entryOfUser32("MessageBoxA")));
    if (!entry)
        return 0;
    messageBoxSlot = entry;
    return entry(owner, text, caption, style);
}

} // namespace
