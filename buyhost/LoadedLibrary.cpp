#include "LoadedLibrary.h"

LoadedLibrary::~LoadedLibrary()
{
    if (module)
        ::FreeLibrary(module);
}

bool LoadedLibrary::Load(const QFC::String& name)
{
    module = ::LoadLibraryA(name.textOrEmpty());
    return module != nullptr;
}

FARPROC LoadedLibrary::Export(const char* name) const
{
    return module ? ::GetProcAddress(module, name) : nullptr;
}
