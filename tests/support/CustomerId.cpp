#include "CustomerId.h"

#include <windows.h>

#include <cstring>

namespace testsupport {

const char CustomerIdKey[] = "Software\\Brenvick\\ZEPH";

namespace {

// Writes one value of the stand-in's key, or removes it when data is null
// (a value already missing counts as removed).
bool setStandInValue(const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, CustomerIdKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
        return false;
    LONG result = data ? ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size)
                       : ::RegDeleteValueA(key, name);
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS || (!data && result == ERROR_FILE_NOT_FOUND);
}

} // namespace

bool setCustomerId(const char* id)
{
    return setStandInValue("CustomerId", REG_SZ, id, id ? static_cast<DWORD>(std::strlen(id) + 1) : 0);
}

bool setAnswerDelay(DWORD delayMs)
{
    return setStandInValue("AnswerDelayMs", REG_DWORD, delayMs ? &delayMs : nullptr, sizeof delayMs);
}

} // namespace testsupport
