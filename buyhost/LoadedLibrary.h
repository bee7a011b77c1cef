#ifndef BUYHOST_LOADEDLIBRARY_H
#define BUYHOST_LOADEDLIBRARY_H

#include "String.h"

#include <windows.h>

// A library loaded by name, released with FreeLibrary when this goes away.
class LoadedLibrary {
public:
    LoadedLibrary() : module(nullptr) {}
    ~LoadedLibrary();
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    // True when LoadLibraryA loaded name; on failure nothing is held. Called
    // once, on an object that holds nothing.
    bool Load(const QFC::String& name);

    // Null when the library is not loaded or has no export of that name.
    FARPROC Export(const char* name) const;

private:
    HMODULE module;
};

#endif
