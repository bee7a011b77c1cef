#include "CustomerId.h"

#include <windows.h>

#include <cstring>

namespace testsupport {

const char CustomerIdKey[] = "Software\\Brenvick\\ZEPH";

bool setCustomerId(const char* id)
{
    HKEY key;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, CustomerIdKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
        return false;
    LONG result = id ? ::RegSetValueExA(key, "CustomerId", 0, REG_SZ, reinterpret_cast<const BYTE*>(id),
                                        static_cast<DWORD>(std::strlen(id) + 1))
                     : ::RegDeleteValueA(key, "CustomerId");
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS || (!id && result == ERROR_FILE_NOT_FOUND);
}

bool setAnswerDelay(DWORD delayMs)
{
    HKEY key;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, CustomerIdKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
        return false;
    LONG result = delayMs ? ::RegSetValueExA(key, "AnswerDelayMs", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&delayMs),
                                             sizeof delayMs)
                          : ::RegDeleteValueA(key, "AnswerDelayMs");
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS || (!delayMs && result == ERROR_FILE_NOT_FOUND);
}

} // namespace testsupport
