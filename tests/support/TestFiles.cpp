#include "TestFiles.h"

#include <windows.h>

#include <vector>

namespace testsupport {

std::string moduleDirectory()
{
    char path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string full(path, length);
    std::string::size_type slash = full.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : full.substr(0, slash);
}

namespace {
std::string directory(UINT(WINAPI* query)(LPSTR, UINT))
{
    char path[MAX_PATH];
    UINT length = query(path, MAX_PATH);
    return length && length < MAX_PATH ? std::string(path, length) : std::string();
}
} // namespace

std::string windowsDirectory()
{
    return directory(::GetWindowsDirectoryA);
}

std::string systemDirectory()
{
    return directory(::GetSystemDirectoryA);
}

std::string windowsPath(const std::string& hostPath)
{
    if (hostPath.size() >= 2 && hostPath[1] == ':')
        return hostPath;
    std::string path = "Z:" + hostPath;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

std::string uniqueName(const std::string& prefix)
{
    static unsigned long counter = 0;
    char suffix[64];
    wsprintfA(suffix, "-%lu-%lu-%lu", ::GetCurrentProcessId(), ++counter, ::GetTickCount());
    return prefix + suffix;
}

bool createDirectories(const std::string& path)
{
    for (std::string::size_type i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\' || path[i] == '/')
            ::CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
    return pathExists(path);
}

bool writeFile(const std::string& path, const std::string& contents)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == contents.size();
}

bool readFile(const std::string& path, std::string& contents)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::string read;
    char chunk[4096];
    DWORD count = 0;
    bool ok = true;
    while ((ok = ::ReadFile(file, chunk, sizeof(chunk), &count, nullptr) != FALSE) && count > 0)
        read.append(chunk, count);
    ::CloseHandle(file);
    if (ok)
        contents = read;
    return ok;
}

std::string fileContents(const std::string& path)
{
    std::string contents;
    return readFile(path, contents) ? contents : std::string("<missing>");
}

std::string profileValue(const std::string& file, const char* section, const char* key)
{
    char value[512];
    ::GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, file.c_str());
    return value;
}

bool pathExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool removeTree(const std::string& path)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return ::DeleteFileA(path.c_str()) != FALSE;
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name != "." && name != "..")
                removeTree(path + "\\" + name);
        } while (::FindNextFileA(search, &entry));
        ::FindClose(search);
    }
    return ::RemoveDirectoryA(path.c_str()) != FALSE;
}

TempFolder::TempFolder(const std::string& prefix)
{
    char temp[MAX_PATH] = {};
    DWORD length = ::GetTempPathA(MAX_PATH, temp);
    std::string base(temp, length);
    if (!base.empty() && base.back() == '\\')
        base.pop_back();
    folder = base + "\\" + uniqueName(prefix);
    createDirectories(folder);
}

TempFolder::~TempFolder()
{
    removeTree(folder);
}

std::string TempFolder::file(const std::string& name) const
{
    return folder + "\\" + name;
}

} // namespace testsupport
