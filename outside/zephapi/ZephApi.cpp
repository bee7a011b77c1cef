// Stand-in for the suite's product-information library, good for development,
// tests and the demo. Product records are PRODUCT.INF profile files in
// <base>\Brenvick\ZEPH\Info\<product id>\, the base being the Windows
// directory first and the Program Files directory second; the customer
// identifier is the registry value HKLM\Software\Brenvick\ZEPH\CustomerId.
// A REG_DWORD AnswerDelayMs beside it makes the customer identifier and the
// product selection answer that many milliseconds late (at most a minute),
// as a library that asks a server may: tests use it to act during a run.
//
// The library is not built on the caller's string code: it lays out the
// string block of the customer identifier itself, as any other library
// answering these calls may.
#include <windows.h>

#include <cstring>

namespace {

const char RecordFolder[] = "Brenvick\\ZEPH\\Info";
const char RecordFile[] = "PRODUCT.INF";
const char RecordSection[] = "PRODUCT";
const char CustomerKey[] = "Software\\Brenvick\\ZEPH";
const char CustomerValue[] = "CustomerId";
const char AnswerDelayValue[] = "AnswerDelayMs";
const DWORD LongestAnswerDelayMs = 60000;

// The caller's text type: one pointer to a block that starts with a 36-byte
// header (reference count, length, capacity, lock) followed by the
// characters, allocated with GlobalAlloc in fixed mode. A class that is not
// trivially copyable, so it is returned through a hidden result pointer like
// the caller's own.
class SharedText {
public:
    SharedText() : block_(nullptr) {}
    SharedText(const SharedText& other) : block_(other.block_) {}
    ~SharedText() {}

    // False when the block cannot be allocated; the text then stays empty.
    bool assign(const char* text, DWORD length)
    {
        const DWORD header = 36;
        DWORD capacity = (length / 50 + 1) * 50;
        char* block = static_cast<char*>(::GlobalAlloc(GMEM_FIXED, header + capacity));
        if (!block)
            return false;
        DWORD fields[3] = {1, length, capacity};
        std::memcpy(block, fields, sizeof fields);
        ::InitializeCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(block + 12));
        std::memcpy(block + header, text, length);
        block[header + length] = 0;
        block_ = block;
        return true;
    }

private:
    SharedText& operator=(const SharedText&);
    void* block_;
};

struct Session {
    char recordPath[MAX_PATH];  // empty until a product is selected
    char* field;                // the last answer of GetProductField, on the process heap
};

// CON, PRN, AUX, NUL, CLOCK$ (Windows 9x), COM1-COM9 or LPT1-LPT9 in any
// letter case, alone or before a dot, blanks before the dot not counting: a
// path through such a name reaches the device (and one through two of them
// brings Windows 9x down). Letters are compared in ASCII, not by the code
// page's rules.
bool namesDevice(const char* name)
{
    size_t length = 0;
    while (name[length] && name[length] != '.')
        ++length;
    while (length > 0 && name[length - 1] == ' ')
        --length;
    if (length < 3 || length > 6)
        return false;
    char upper[6];
    for (size_t i = 0; i < length; ++i)
        upper[i] = name[i] >= 'a' && name[i] <= 'z' ? static_cast<char>(name[i] - 'a' + 'A') : name[i];
    if (length == 3)
        return !std::strncmp(upper, "CON", 3) || !std::strncmp(upper, "PRN", 3) || !std::strncmp(upper, "AUX", 3) ||
               !std::strncmp(upper, "NUL", 3);
    if (length == 6)
        return !std::strncmp(upper, "CLOCK$", 6);
    return length == 4 && (!std::strncmp(upper, "COM", 3) || !std::strncmp(upper, "LPT", 3)) && upper[3] >= '1' &&
           upper[3] <= '9';
}

// An identifier names a folder; anything that could leave the record folder
// or is not a plain name has no record. Windows drops a trailing dot or space
// from a folder name, so such a name would reach another product's folder
// (dots-only names end with a dot too).
bool usableIdentifier(const char* id)
{
    if (!id || !*id)
        return false;
    char last = id[std::strlen(id) - 1];
    if (last == '.' || last == ' ')
        return false;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(id); *p; ++p)
        if (*p < 0x20 || *p == 0x7F || std::strchr("\\/:*?\"<>|", *p))
            return false;
    return !namesDevice(id);
}

void answerLate()
{
    HKEY key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, CustomerKey, 0, KEY_READ, &key))
        return;
    DWORD delay = 0;
    DWORD size = sizeof delay;
    DWORD type = 0;
    if (::RegQueryValueExA(key, AnswerDelayValue, nullptr, &type, reinterpret_cast<BYTE*>(&delay), &size) ==
            ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof delay)
        ::Sleep(delay < LongestAnswerDelayMs ? delay : LongestAnswerDelayMs);
    ::RegCloseKey(key);
}

bool programFilesDirectory(char* out)
{
    HKEY key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", 0, KEY_READ, &key))
        return false;
    DWORD size = MAX_PATH - 1;
    DWORD type = 0;
    LONG result = ::RegQueryValueExA(key, "ProgramFilesDir", nullptr, &type, reinterpret_cast<BYTE*>(out), &size);
    ::RegCloseKey(key);
    out[result == ERROR_SUCCESS && type == REG_SZ ? size : 0] = 0;
    return *out != 0;
}

bool windowsDirectory(char* out)
{
    UINT n = ::GetWindowsDirectoryA(out, MAX_PATH);
    return n && n < MAX_PATH;
}

// <base>\Brenvick\ZEPH\Info\<id>\PRODUCT.INF when it exists.
bool findRecord(const char* base, const char* id, char* path)
{
    size_t length = std::strlen(base);
    const char* separator = length && base[length - 1] == '\\' ? "" : "\\";
    if (length + std::strlen(RecordFolder) + std::strlen(id) + std::strlen(RecordFile) + 4 > MAX_PATH)
        return false;
    wsprintfA(path, "%s%s%s\\%s\\%s", base, separator, RecordFolder, id, RecordFile);
    DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void dropField(Session* s)
{
    if (s->field)
        ::HeapFree(::GetProcessHeap(), 0, s->field);
    s->field = nullptr;
}

} // namespace

extern "C" {

void* WINAPI OpenProductStore()
{
    return ::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(Session));
}

BOOL WINAPI SelectProduct(void* session, const char* productId)
{
    Session* s = static_cast<Session*>(session);
    if (!s)
        return FALSE;
    s->recordPath[0] = 0;
    answerLate();
    if (!usableIdentifier(productId))
        return FALSE;
    char base[MAX_PATH];
    char path[MAX_PATH];
    if ((windowsDirectory(base) && findRecord(base, productId, path)) ||
        (programFilesDirectory(base) && findRecord(base, productId, path))) {
        std::strcpy(s->recordPath, path);
        return TRUE;
    }
    return FALSE;
}

// The text stays valid until the next call on the session or its close.
const char* WINAPI GetProductField(void* session, const char* field)
{
    Session* s = static_cast<Session*>(session);
    if (!s)
        return nullptr;
    dropField(s);
    if (!s->recordPath[0] || !field)
        return nullptr;
    for (DWORD size = 256;; size *= 2) {
        s->field = static_cast<char*>(::HeapAlloc(::GetProcessHeap(), 0, size));
        if (!s->field)
            return nullptr;
        DWORD n = ::GetPrivateProfileStringA(RecordSection, field, "", s->field, size, s->recordPath);
        if (n < size - 1)
            return s->field;
        dropField(s);
    }
}

void WINAPI CloseProductStore(void* session)
{
    Session* s = static_cast<Session*>(session);
    if (!s)
        return;
    dropField(s);
    ::HeapFree(::GetProcessHeap(), 0, s);
}

// Returned by value across the library boundary; the caller releases it.
SharedText WINAPI GetCustomerId()
{
    SharedText id;
    answerLate();
    HKEY key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, CustomerKey, 0, KEY_READ, &key))
        return id;
    char value[1024];
    DWORD size = sizeof value - 1;
    DWORD type = 0;
    if (::RegQueryValueExA(key, CustomerValue, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ) {
        value[size] = 0;  // a value stored without its terminator still ends here
        id.assign(value, static_cast<DWORD>(std::strlen(value)));
    }
    ::RegCloseKey(key);
    return id;
}

} // extern "C"
