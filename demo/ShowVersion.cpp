// Loads ZEPH.dll the way a product of the suite does and prints what it reports.
#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

typedef unsigned int (*GetVersionEntry)();

void printFileVersion(const char* path)
{
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path, &ignored);
    if (!size)
        return;
    std::vector<char> info(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (::GetFileVersionInfoA(path, 0, size, info.data()) &&
        ::VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
        std::printf("file version %u.%u.%u.%u, product version %u.%u.%u.%u\n",
                    HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                    HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS),
                    HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
                    HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
    }
}

} // namespace

int main(int argc, char** argv)
{
    const char* path = argc > 1 ? argv[1] : "ZEPH.dll";
    HMODULE library = ::LoadLibraryA(path);
    if (!library) {
        std::printf("%s could not be loaded (error %lu)\n", path, ::GetLastError());
        return 1;
    }
    GetVersionEntry getVersion = reinterpret_cast<GetVersionEntry>(::GetProcAddress(library, "getVersion"));
    if (!getVersion) {
        std::printf("%s has no export getVersion\n", path);
        ::FreeLibrary(library);
        return 1;
    }
    std::printf("%s reports runtime version %u\n", path, getVersion());
    printFileVersion(path);
    ::FreeLibrary(library);
    return 0;
}
