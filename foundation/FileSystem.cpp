#include "FileSystem.h"
#include "RegistryKey.h"

#include <windows.h>

#include <cstring>

namespace QFC {

namespace {

const char CurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const char ProgramFilesValue[] = "ProgramFilesDir";
const char Separators[] = "\\/";
const int FirstProfileCapacity = 260;

// A count of 0 is a failure and a count of MaxPath or more means the name
// did not fit: the buffer then holds no usable name.
String nameFrom(const char* buffer, UINT count)
{
    return count == 0 || count >= static_cast<UINT>(MaxPath) ? String() : String(buffer);
}

// ASCII only: the code page's own upper-case rules could fold another
// letter onto one of a device's.
char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool startsWithAscii(const char* text, const char* upperPrefix)
{
    for (; *upperPrefix; ++text, ++upperPrefix)
        if (asciiUpper(*text) != *upperPrefix)
            return false;
    return true;
}

} // namespace

bool namesDosDevice(const char* name)
{
    if (!name)
        return false;
    int length = 0;
    while (name[length] && name[length] != '.')
        ++length;
    while (length > 0 && name[length - 1] == ' ')
        --length;
    if (length == 3)
        return startsWithAscii(name, "CON") || startsWithAscii(name, "PRN") || startsWithAscii(name, "AUX") ||
               startsWithAscii(name, "NUL");
    if (length == 6)
        return startsWithAscii(name, "CLOCK$");
    return length == 4 && (startsWithAscii(name, "COM") || startsWithAscii(name, "LPT")) && name[3] >= '1' &&
           name[3] <= '9';
}

String profileString(const char* path, const char* section, const char* key, const char* fallback)
{
    // The profile functions report a value cut short only as a count of size - 1.
    String value;
    for (int capacity = FirstProfileCapacity;; capacity *= 2) {
        char* buffer = value.getBuffer(capacity);
        DWORD count =
            ::GetPrivateProfileStringA(section, key, fallback, buffer, static_cast<DWORD>(capacity + 1), path);
        value.releaseBuffer();
        if (static_cast<int>(count) < capacity) {
            value.setLength(static_cast<int>(count));
            return value;
        }
    }
}

String windowsDirectory()
{
    char buffer[MaxPath];
    return nameFrom(buffer, ::GetWindowsDirectoryA(buffer, MaxPath));
}

String systemDirectory()
{
    char buffer[MaxPath];
    return nameFrom(buffer, ::GetSystemDirectoryA(buffer, MaxPath));
}

String tempDirectory()
{
    char buffer[MaxPath];
    return nameFrom(buffer, ::GetTempPathA(MaxPath, buffer));
}

String programFilesDirectory()
{
    RegistryKey key;
    if (!key.open(HKEY_LOCAL_MACHINE, CurrentVersionKey, KEY_READ))
        return String();
    String directory = key.queryString(ProgramFilesValue);
    key.close();
    return directory;
}

String modulePath()
{
    String path;
    char* buffer = path.getBuffer(MaxPath + 1);
    // A name cut at MaxPath is not terminated by every platform version.
    buffer[MaxPath] = 0;
    DWORD count = ::GetModuleFileNameA(nullptr, buffer, MaxPath);
    // A cut name names another file; give none, as the other queries do.
    if (count == 0 || count >= static_cast<DWORD>(MaxPath))
        buffer[0] = 0;
    path.releaseBuffer();
    path.setLength(static_cast<int>(strlen(path.text())));
    return path;
}

String tempFileName(const String& prefix, String directory)
{
    if (directory.isEmpty())
        directory = tempDirectory();
    if (directory.isEmpty())
        return String();
    char buffer[MaxPath];
    if (!::GetTempFileNameA(directory.text(), prefix.textOrEmpty(), 0, buffer))
        return String();
    return String(buffer);
}

bool fileExists(const String& path)
{
    return !path.isEmpty() && ::GetFileAttributesA(path.text()) != INVALID_FILE_ATTRIBUTES;
}

bool copyFile(const String& destination, const String& source)
{
    if (source.isEmpty())
        return false;
    return ::CopyFileA(source.text(), destination.textOrEmpty(), FALSE) != FALSE;
}

bool deleteFile(const String& path)
{
    return ::DeleteFileA(path.textOrEmpty()) != FALSE;
}

int createDirectoryPath(String path)
{
    String prefix;
    int position = 0;
    int count = 0;
    for (int separator; (separator = path.findOneOf(Separators, position)) >= 0;) {
        prefix.append(path.mid(position, separator - position));
        ++count;
        position = separator + 1;
        // Existing directories, drive names and an empty prefix fail harmlessly.
        ::CreateDirectoryA(prefix.textOrEmpty(), nullptr);
        prefix.append('\\');
    }
    ::CreateDirectoryA(path.textOrEmpty(), nullptr);
    return fileExists(path) ? count : -1;
}

} // namespace QFC
