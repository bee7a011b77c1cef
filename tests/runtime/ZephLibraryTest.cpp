#include "VersionInfo.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

typedef unsigned int (*CdeclVersion)();
typedef unsigned int(WINAPI* StdcallVersion)();

// The library sits beside the test program, so the standard search finds it.
class ZephLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        module = ::LoadLibraryA("ZEPH.dll");
        ASSERT_NE(nullptr, module) << "error " << ::GetLastError();
    }
    void TearDown() override
    {
        if (module) {
            EXPECT_TRUE(::FreeLibrary(module));
        }
    }
    HMODULE module = nullptr;
};

DWORD WINAPI callRepeatedly(void* param)
{
    CdeclVersion entry = reinterpret_cast<CdeclVersion>(param);
    for (int i = 0; i < 100000; ++i)
        if (entry() != 101)
            return 1;
    return 0;
}

DWORD WINAPI doNothing(void*) { return 7; }

} // namespace

TEST_F(ZephLibrary, ReportsVersion101ByNameAndByOrdinal)
{
    FARPROC byName = ::GetProcAddress(module, "getVersion");
    FARPROC byOrdinal = ::GetProcAddress(module, MAKEINTRESOURCEA(1));
    ASSERT_NE(nullptr, byName);
    EXPECT_EQ(byName, byOrdinal);
    EXPECT_EQ(nullptr, ::GetProcAddress(module, "_getVersion@0"));

    CdeclVersion asCdecl = reinterpret_cast<CdeclVersion>(byName);
    StdcallVersion asStdcall = reinterpret_cast<StdcallVersion>(byName);
    EXPECT_EQ(101u, asCdecl());
    EXPECT_EQ(101u, asCdecl());
    EXPECT_EQ(101u, asStdcall());
}

TEST_F(ZephLibrary, AnswersFromTwoThreadsAtOnce)
{
    FARPROC entry = ::GetProcAddress(module, "getVersion");
    ASSERT_NE(nullptr, entry);
    HANDLE threads[2];
    for (HANDLE& h : threads) {
        h = ::CreateThread(nullptr, 0, callRepeatedly, reinterpret_cast<void*>(entry), 0, nullptr);
        ASSERT_NE(nullptr, h);
    }
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForMultipleObjects(2, threads, TRUE, 60000));
    for (HANDLE h : threads) {
        DWORD code = 99;
        EXPECT_TRUE(::GetExitCodeThread(h, &code));
        EXPECT_EQ(0u, code);
        ::CloseHandle(h);
    }
}

TEST_F(ZephLibrary, ThreadsComingAndGoingLeaveItUntouched)
{
    for (int i = 0; i < 20; ++i) {
        HANDLE h = ::CreateThread(nullptr, 0, doNothing, nullptr, 0, nullptr);
        ASSERT_NE(nullptr, h);
        ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(h, 10000));
        ::CloseHandle(h);
    }
    CdeclVersion entry = reinterpret_cast<CdeclVersion>(::GetProcAddress(module, "getVersion"));
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(101u, entry());
}

TEST(ZephLoading, LoadsAndUnloadsRepeatedlyWithoutCalls)
{
    for (int i = 0; i < 3; ++i) {
        HMODULE module = ::LoadLibraryA("ZEPH.dll");
        ASSERT_NE(nullptr, module);
        EXPECT_TRUE(::FreeLibrary(module));
    }
    EXPECT_EQ(nullptr, ::GetModuleHandleA("ZEPH.dll"));
}

TEST(ZephVersionResource, CarriesEveryValue)
{
    testsupport::VersionInfo info("ZEPH.dll");
    ASSERT_TRUE(info.loaded());

    const VS_FIXEDFILEINFO* fixed = info.fixed();
    ASSERT_NE(nullptr, fixed);
    EXPECT_EQ(MAKELONG(0, 2), fixed->dwFileVersionMS);
    EXPECT_EQ(MAKELONG(2, 0), fixed->dwFileVersionLS);
    EXPECT_EQ(MAKELONG(1, 1), fixed->dwProductVersionMS);
    EXPECT_EQ(0u, fixed->dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_DLL), fixed->dwFileType);
    EXPECT_EQ(0x40004u, fixed->dwFileOS);

    std::vector<DWORD> translations = info.translations();
    ASSERT_GE(translations.size(), 1u);
    EXPECT_EQ(0x0409u, LOWORD(translations[0]));
    EXPECT_EQ(0x04b0u, HIWORD(translations[0]));

    EXPECT_EQ("ZEPH", info.value("InternalName"));
    EXPECT_EQ("ZEPH.dll", info.value("OriginalFilename"));
    EXPECT_NE(std::string::npos, info.value("FileDescription").find("ZEPH"));
    EXPECT_NE("<missing>", info.value("CompanyName"));
    EXPECT_NE("<missing>", info.value("LegalCopyright"));
}
