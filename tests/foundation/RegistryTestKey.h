#ifndef QFC_TESTS_REGISTRYTESTKEY_H
#define QFC_TESTS_REGISTRYTESTKEY_H

#include <windows.h>

#include <string>

// A key of the running test's own below HKEY_CURRENT_USER, removed with
// everything in it when the test ends.
class RegistryTestKey {
public:
    RegistryTestKey();
    ~RegistryTestKey();
    RegistryTestKey(const RegistryTestKey&) = delete;
    RegistryTestKey& operator=(const RegistryTestKey&) = delete;

    const char* path() const { return path_.c_str(); }
    // True when the key exists (for checking the clean-up itself).
    static bool exists(const std::string& path);

private:
    std::string path_;
};

#endif
