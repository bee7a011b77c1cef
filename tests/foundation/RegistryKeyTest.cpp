#include "RegistryKey.h"
#include "RegistryTestKey.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using QFC::Buffer;
using QFC::RegistryKey;
using QFC::String;

namespace {

std::string bytes(const Buffer& b)
{
    return b.data() ? std::string(reinterpret_cast<const char*>(b.data()), b.length()) : std::string();
}

std::string str(const String& s) { return s.text() ? s.text() : "<null>"; }

class Registry : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(key.create(HKEY_CURRENT_USER, scratch.path(), KEY_ALL_ACCESS));
    }

    bool setRaw(const char* name, DWORD type, const std::string& value)
    {
        return ::RegSetValueExA(key.handle(), name, 0, type,
                   reinterpret_cast<const BYTE*>(value.data()), static_cast<DWORD>(value.size())) == ERROR_SUCCESS;
    }

    std::string readRaw(const char* name, DWORD* type)
    {
        char data[256];
        DWORD size = sizeof data;
        if (::RegQueryValueExA(key.handle(), name, nullptr, type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
            return "<missing>";
        return std::string(data, size);
    }

    RegistryTestKey scratch;
    RegistryKey key;
};

// Stands in for the platform's query and rewrites the value just before the
// read that follows the size query, as another program might.
struct Rewrite {
    const char* name;
    DWORD type;
    std::string value;
    std::vector<LONG> results;
};
Rewrite* rewrite = nullptr;

LONG WINAPI rewritingQuery(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size)
{
    if (rewrite->results.size() == 1)
        ::RegSetValueExA(key, rewrite->name, 0, rewrite->type,
            reinterpret_cast<const BYTE*>(rewrite->value.data()), static_cast<DWORD>(rewrite->value.size()));
    LONG result = ::RegQueryValueExA(key, name, reserved, type, data, size);
    rewrite->results.push_back(result);
    return result;
}

// Answers every read with "more data" at the size it gave before. Succeeds
// after a few calls only so that a retry without end cannot hang the test.
int stuckCalls = 0;
const int StuckCallLimit = 10;
LONG WINAPI stuckQuery(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE data, LPDWORD size)
{
    *size = 10;
    if (++stuckCalls > StuckCallLimit)
        return ERROR_SUCCESS;
    return data ? ERROR_MORE_DATA : ERROR_SUCCESS;
}

LONG keyInfo(HKEY key)
{
    return ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr);
}

// Gives the key a DACL that grants nothing, or takes the restriction away.
bool lockKey(const std::string& path, bool locked)
{
    HKEY key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS)
        return false;
    SECURITY_DESCRIPTOR descriptor;
    ACL nothing;
    ::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    ::InitializeAcl(&nothing, sizeof nothing, ACL_REVISION);
    ::SetSecurityDescriptorDacl(&descriptor, TRUE, locked ? &nothing : nullptr, FALSE);
    LONG result = ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

DWORD WINAPI destroyTestKey(void* testKey)
{
    delete static_cast<RegistryTestKey*>(testKey);
    return 0;
}

const DWORD RemovalTimeoutMs = 5000;

} // namespace

TEST_F(Registry, MissingAndEmptyValuesGiveEmptyResults)
{
    EXPECT_TRUE(key.queryValue("missing").isEmpty());
    EXPECT_TRUE(key.queryString("missing").isEmpty());

    ASSERT_TRUE(key.setString("empty", ""));
    EXPECT_EQ(1u, key.queryValue("empty").length());
    EXPECT_TRUE(key.queryString("empty").isEmpty());

    ASSERT_TRUE(setRaw("nothing", REG_BINARY, ""));
    EXPECT_TRUE(key.queryValue("nothing").isEmpty());
    EXPECT_TRUE(key.queryString("nothing").isEmpty());
}

TEST_F(Registry, StringValuesKeepTheirTerminator)
{
    ASSERT_TRUE(key.setString("text", "hello"));
    DWORD type = 0;
    EXPECT_EQ(std::string("hello\0", 6), readRaw("text", &type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ("hello", str(key.queryString("text")));

    ASSERT_TRUE(key.setString("null", nullptr));
    EXPECT_EQ(std::string("\0", 1), readRaw("null", &type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);

    ASSERT_TRUE(key.setString(nullptr, "default"));
    EXPECT_EQ("default", str(key.queryString(nullptr)));
}

TEST_F(Registry, BinaryValuesWithAndWithoutZeroByte)
{
    ASSERT_TRUE(key.setBinary("zero", Buffer("ab\0cd", 5)));
    DWORD type = 0;
    EXPECT_EQ(std::string("ab\0cd", 5), readRaw("zero", &type));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ(std::string("ab\0cd", 5), bytes(key.queryValue("zero")));
    EXPECT_EQ("ab", str(key.queryString("zero")));

    // No terminator at all: the text ends with the value's last byte.
    ASSERT_TRUE(key.setBinary("plain", Buffer("xyz", 3)));
    String plain = key.queryString("plain");
    EXPECT_EQ(3, plain.length());
    EXPECT_EQ("xyz", str(plain));

    ASSERT_TRUE(key.setBinary("none", Buffer()));
    EXPECT_EQ("", readRaw("none", &type));
}

TEST_F(Registry, ValueThatGrowsBeforeTheReadIsReadWhole)
{
    ASSERT_TRUE(key.setBinary("grow", Buffer("1234", 4)));
    std::string larger(300, 'g');
    larger[150] = 0;
    Rewrite grow{"grow", REG_BINARY, larger, {}};
    rewrite = &grow;
    Buffer value = key.queryValue("grow", rewritingQuery);
    rewrite = nullptr;
    // Size query, a read refused for the new size, the read that fits.
    ASSERT_EQ(3u, grow.results.size());
    EXPECT_EQ(ERROR_MORE_DATA, grow.results[1]);
    EXPECT_EQ(ERROR_SUCCESS, grow.results[2]);
    EXPECT_EQ(larger, bytes(value));
}

TEST_F(Registry, StringThatGrowsBeforeTheReadIsReadWhole)
{
    ASSERT_TRUE(key.setString("grow", "short"));
    std::string larger(std::string(120, 'L') + '\0');
    Rewrite grow{"grow", REG_SZ, larger, {}};
    rewrite = &grow;
    Buffer value = key.queryValue("grow", rewritingQuery);
    rewrite = nullptr;
    ASSERT_EQ(3u, grow.results.size());
    EXPECT_EQ(ERROR_MORE_DATA, grow.results[1]);
    EXPECT_EQ(larger, bytes(value));
}

TEST_F(Registry, ValueThatShrinksBeforeTheReadHasNoStaleBytes)
{
    ASSERT_TRUE(key.setBinary("shrink", Buffer("0123456789", 10)));
    Rewrite shrink{"shrink", REG_BINARY, "abc", {}};
    rewrite = &shrink;
    Buffer value = key.queryValue("shrink", rewritingQuery);
    rewrite = nullptr;
    ASSERT_EQ(2u, shrink.results.size());
    EXPECT_EQ("abc", bytes(value));
}

TEST_F(Registry, ValueThatVanishesBeforeTheReadGivesEmpty)
{
    ASSERT_TRUE(key.setString("gone", "here"));
    rewrite = nullptr;
    struct Delete {
        static LONG WINAPI query(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size)
        {
            if (data)
                ::RegDeleteValueA(key, name);
            return ::RegQueryValueExA(key, name, reserved, type, data, size);
        }
    };
    EXPECT_TRUE(key.queryValue("gone", Delete::query).isEmpty());
}

TEST_F(Registry, ReadThatNeverGrowsEndsEmpty)
{
    stuckCalls = 0;
    EXPECT_TRUE(key.queryValue("stuck", stuckQuery).isEmpty());
    EXPECT_EQ(2, stuckCalls);
}

TEST_F(Registry, OpenFindsWhatCreateMadeAndFailsOnMissingKeys)
{
    ASSERT_TRUE(key.setString("v", "value"));
    RegistryKey reader;
    ASSERT_TRUE(reader.open(HKEY_CURRENT_USER, scratch.path(), KEY_READ));
    EXPECT_EQ("value", str(reader.queryString("v")));
    // Read access does not allow writing.
    EXPECT_FALSE(reader.setString("v", "other"));

    std::string missing = std::string(scratch.path()) + "\\missing";
    RegistryKey absent;
    EXPECT_FALSE(absent.open(HKEY_CURRENT_USER, missing.c_str(), KEY_READ));
    EXPECT_EQ(nullptr, absent.handle());
    EXPECT_TRUE(absent.queryValue("v").isEmpty());
    EXPECT_FALSE(absent.setString("v", "x"));
    EXPECT_FALSE(RegistryTestKey::exists(missing));
}

TEST_F(Registry, CloseTwiceAndDestructionCloseTheKey)
{
    HKEY handle = key.handle();
    ASSERT_NE(nullptr, handle);
    key.close();
    EXPECT_EQ(nullptr, key.handle());
    EXPECT_EQ(ERROR_INVALID_HANDLE, ::RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, nullptr, nullptr,
                                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    key.close();
    EXPECT_EQ(nullptr, key.handle());

    HKEY destroyed;
    {
        RegistryKey scoped;
        ASSERT_TRUE(scoped.open(HKEY_CURRENT_USER, scratch.path(), KEY_READ));
        destroyed = scoped.handle();
        EXPECT_EQ(ERROR_SUCCESS, ::RegQueryInfoKeyA(destroyed, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    }
    EXPECT_EQ(ERROR_INVALID_HANDLE, ::RegQueryInfoKeyA(destroyed, nullptr, nullptr, nullptr, nullptr, nullptr,
                                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
}

TEST(RegistryCleanUp, SubkeyThatCannotBeRemovedIsSteppedOver)
{
    RegistryTestKey* scratch = new RegistryTestKey;
    const std::string path = scratch->path();
    const std::string locked = path + "\\locked";
    RegistryKey key;
    ASSERT_TRUE(key.create(HKEY_CURRENT_USER, (locked + "\\inner").c_str(), KEY_ALL_ACCESS));
    ASSERT_TRUE(key.create(HKEY_CURRENT_USER, (path + "\\plain").c_str(), KEY_ALL_ACCESS));
    key.close();
    ASSERT_TRUE(lockKey(locked, true));  // cannot be opened, so inner keeps it

    // On a thread of its own, so that a removal without end fails the test;
    // unlocking lets such a removal finish.
    HANDLE thread = ::CreateThread(nullptr, 0, destroyTestKey, scratch, 0, nullptr);
    ASSERT_TRUE(thread != nullptr);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, RemovalTimeoutMs));
    EXPECT_FALSE(RegistryTestKey::exists(path + "\\plain"));
    EXPECT_TRUE(lockKey(locked, false));
    ::WaitForSingleObject(thread, RemovalTimeoutMs);
    ::CloseHandle(thread);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, (locked + "\\inner").c_str());
    ::RegDeleteKeyA(HKEY_CURRENT_USER, locked.c_str());
    ::RegDeleteKeyA(HKEY_CURRENT_USER, (path + "\\plain").c_str());
    ::RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
}

TEST(RegistryCleanUp, TheTestKeyIsRemovedAfterwards)
{
    std::string path;
    {
        RegistryTestKey scratch;
        path = scratch.path();
        RegistryKey key;
        ASSERT_TRUE(key.create(HKEY_CURRENT_USER, (path + "\\child").c_str(), KEY_ALL_ACCESS));
        ASSERT_TRUE(key.setString("v", "x"));
    }
    EXPECT_FALSE(RegistryTestKey::exists(path));
}

TEST_F(Registry, ReopeningReplacesTheKeyAndMayStartFromIt)
{
    HKEY parent = key.handle();
    ASSERT_TRUE(key.create(parent, "child", KEY_ALL_ACCESS));
    EXPECT_EQ(ERROR_INVALID_HANDLE, keyInfo(parent));
    ASSERT_TRUE(key.setString("v", "in child"));

    ASSERT_TRUE(key.open(HKEY_CURRENT_USER, scratch.path(), KEY_READ));
    parent = key.handle();
    ASSERT_TRUE(key.open(parent, "child", KEY_READ));
    EXPECT_EQ(ERROR_INVALID_HANDLE, keyInfo(parent));
    EXPECT_EQ("in child", str(key.queryString("v")));

    // A failed reopen or create keeps the key held. A volatile key takes no
    // lasting subkey, the only kind that create makes.
    HKEY child = key.handle();
    EXPECT_FALSE(key.open(child, "missing", KEY_READ));
    EXPECT_EQ(child, key.handle());
    HKEY fleeting = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(scratch.path()) + "\\fleeting").c_str(),
                                               0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &fleeting,
                                               nullptr));
    EXPECT_FALSE(key.create(fleeting, "lasting", KEY_ALL_ACCESS));
    ::RegCloseKey(fleeting);
    EXPECT_EQ(child, key.handle());
    EXPECT_EQ(ERROR_SUCCESS, keyInfo(child));
    EXPECT_EQ("in child", str(key.queryString("v")));
}
