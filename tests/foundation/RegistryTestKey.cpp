#include "RegistryTestKey.h"

#include <gtest/gtest.h>

namespace {

const char Parent[] = "Software\\QFCFoundationTests";

// RegDeleteKeyA removes only keys without subkeys. A subkey that cannot be
// removed is stepped over, so that the enumeration ends; true when path is
// gone.
bool deleteTree(HKEY root, const std::string& path)
{
    HKEY key;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        char name[256];
        DWORD kept = 0;
        while (::RegEnumKeyA(key, kept, name, sizeof name) == ERROR_SUCCESS) {
            if (!deleteTree(root, path + "\\" + name))
                ++kept;
        }
        ::RegCloseKey(key);
    }
    return ::RegDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS;
}

} // namespace

RegistryTestKey::RegistryTestKey()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::string(Parent) + "\\" + test->test_suite_name() + "." + test->name() + "."
        + std::to_string(::GetCurrentProcessId());
    deleteTree(HKEY_CURRENT_USER, path_);
}

RegistryTestKey::~RegistryTestKey()
{
    deleteTree(HKEY_CURRENT_USER, path_);
    // The parent goes with its last child; other runs may still hold theirs.
    ::RegDeleteKeyA(HKEY_CURRENT_USER, Parent);
}

bool RegistryTestKey::exists(const std::string& path)
{
    HKEY key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}
