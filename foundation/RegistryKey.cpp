#include "RegistryKey.h"

#include <cstring>

namespace QFC {

RegistryKey::~RegistryKey()
{
    if (key_)
        ::RegCloseKey(key_);
}

// The new key is opened before the old one goes, so that root may be the key
// this object holds; a reused object must not leak the key it held. The
// platform refuses to close only a handle that is no key, and the object
// holds one key: such a handle is dropped, not kept beside the new one.
bool RegistryKey::create(HKEY root, const char* path, REGSAM access)
{
    HKEY created = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(root, path, 0, nullptr, 0, access, nullptr, &created, &disposition) != ERROR_SUCCESS)
        return false;
    close();
    key_ = created;
    return true;
}

bool RegistryKey::open(HKEY root, const char* path, REGSAM access)
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(root, path, 0, access, &opened) != ERROR_SUCCESS)
        return false;
    close();
    key_ = opened;
    return true;
}

void RegistryKey::close()
{
    if (key_ && ::RegCloseKey(key_) == ERROR_SUCCESS)
        key_ = nullptr;
}

Buffer RegistryKey::queryValue(const char* name) const
{
    return queryValue(name, ::RegQueryValueExA);
}

Buffer RegistryKey::queryValue(const char* name, QueryFunction query) const
{
    DWORD type = 0;
    DWORD size = 0;
    if (!key_ || query(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || size == 0)
        return Buffer();
    Buffer scratch;
    for (;;) {
        DWORD asked = size;
        LONG result = query(key_, name, nullptr, &type, scratch.getBuffer(asked), &size);
        scratch.releaseBuffer();
        // The value may have shrunk since the size query: only the bytes
        // this read reports are the value's.
        if (result == ERROR_SUCCESS)
            return size <= asked ? Buffer(scratch.data(), size) : Buffer();
        // It grew: size now holds the new size. A size that did not grow
        // would repeat the same read for ever.
        if (result != ERROR_MORE_DATA || size <= asked)
            return Buffer();
    }
}

String RegistryKey::queryString(const char* name) const
{
    Buffer value = queryValue(name);
    if (value.isEmpty())
        return String();
    const char* text = reinterpret_cast<const char*>(value.data());
    const void* zero = memchr(text, 0, value.length());
    uint32_t n = zero ? static_cast<uint32_t>(static_cast<const char*>(zero) - text) : value.length();
    return n ? String(text, static_cast<int>(n)) : String();
}

bool RegistryKey::setString(const char* name, const char* text)
{
    if (!text)
        text = "";
    DWORD size = static_cast<DWORD>(strlen(text) + 1);
    return ::RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size) == ERROR_SUCCESS;
}

bool RegistryKey::setBinary(const char* name, const Buffer& bytes)
{
    return ::RegSetValueExA(key_, name, 0, REG_BINARY, bytes.data(), bytes.length()) == ERROR_SUCCESS;
}

} // namespace QFC
