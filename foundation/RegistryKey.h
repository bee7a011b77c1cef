#ifndef QFC_REGISTRYKEY_H
#define QFC_REGISTRYKEY_H

#include "Buffer.h"
#include "Object.h"
#include "String.h"

#include <windows.h>

namespace QFC {

// One open registry key. Root keys and access masks are the platform's own
// values. Starts closed; the destructor closes an open key.
class RegistryKey : public Object {
public:
    // The platform's value query (RegQueryValueExA's shape).
    typedef LONG (WINAPI *QueryFunction)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);

    RegistryKey() : key_(nullptr) {}
    ~RegistryKey() override;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Creates or opens root\path; root may be this object's own key. On
    // success the key held before is closed, and dropped all the same when
    // the platform refuses to close it (a handle that names no key then);
    // false on failure, and the key held before stays.
    bool create(HKEY root, const char* path, REGSAM access);
    // Opens an existing root\path. As create, on success and on failure.
    bool open(HKEY root, const char* path, REGSAM access);
    // Closes an open key; a failing close keeps the handle (until create or
    // open drop it), a closed object is left alone.
    void close();

    // The bytes of value name (null: the key's default value), of any type.
    // Empty when the value is missing or unreadable.
    Buffer queryValue(const char* name) const;
    // The same through query, called once for the size and then for each
    // read; lets tests change the value between the calls.
    Buffer queryValue(const char* name, QueryFunction query) const;
    // The value's bytes up to its first zero byte, or all of them when it
    // holds none. Empty when the value is missing or unreadable.
    String queryString(const char* name) const;

    // Stores text with its terminator as REG_SZ; null stores "". False on failure.
    bool setString(const char* name, const char* text);
    // Stores the buffer's bytes as REG_BINARY. False on failure.
    bool setBinary(const char* name, const Buffer& bytes);

    // The open key, null when closed.
    HKEY handle() const { return key_; }

private:
    HKEY key_;
};

} // namespace QFC

#endif
