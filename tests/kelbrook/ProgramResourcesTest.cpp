// The version block and icon group that Kelbrook.exe carries.
#include "TestFiles.h"
#include "VersionInfo.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

std::string program()
{
    return testsupport::moduleDirectory() + "\\Kelbrook.exe";
}

} // namespace

TEST(KelbrookResources, VersionBlockAndIconGroup)
{
    testsupport::VersionInfo info(program());
    ASSERT_TRUE(info.loaded());
    const VS_FIXEDFILEINFO* fixed = info.fixed();
    ASSERT_NE(nullptr, fixed);
    EXPECT_EQ(MAKELONG(0, 1), fixed->dwFileVersionMS);
    EXPECT_EQ(MAKELONG(43, 0), fixed->dwFileVersionLS);
    EXPECT_EQ(MAKELONG(0, 1), fixed->dwProductVersionMS);
    EXPECT_EQ(MAKELONG(1, 0), fixed->dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);
    EXPECT_EQ(static_cast<DWORD>(VOS__WINDOWS32), fixed->dwFileOS);
    EXPECT_EQ((std::vector<DWORD>{MAKELONG(0x0409, 0x04b0)}), info.translations());
    EXPECT_EQ("32-bit Kelbrook Application", info.value("FileDescription"));
    EXPECT_EQ("Kelbrook", info.value("InternalName"));
    EXPECT_EQ("Kelbrook.exe", info.value("OriginalFilename"));
    EXPECT_EQ("1, 0, 0, 43", info.value("FileVersion"));
    EXPECT_EQ("1, 0, 0, 1", info.value("ProductVersion"));

    // The first icon group is the one the shell shows: both sizes, 16 colours.
    HMODULE module = ::LoadLibraryExA(program().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module);
    struct FirstGroup {
        static BOOL CALLBACK found(HMODULE, LPCSTR, LPSTR name, LONG_PTR first)
        {
            *reinterpret_cast<LPSTR*>(first) = name;
            return FALSE;
        }
    };
    LPSTR first = nullptr;
    ::EnumResourceNamesA(module, RT_GROUP_ICON, FirstGroup::found, reinterpret_cast<LONG_PTR>(&first));
    EXPECT_EQ(MAKEINTRESOURCEA(201), first);

    std::vector<int> sizes;
    if (HRSRC group = ::FindResourceA(module, MAKEINTRESOURCEA(201), RT_GROUP_ICON)) {
        // The group's header: reserved, type and count, then 14 bytes per image
        // (width, height, colour count, reserved, planes, bit count, size, id).
        const BYTE* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module, group)));
        int count = data[4] | data[5] << 8;
        for (int i = 0; i < count; ++i) {
            const BYTE* entry = data + 6 + 14 * i;
            EXPECT_EQ(entry[0], entry[1]);
            EXPECT_EQ(16, entry[2]) << "image " << i;
            sizes.push_back(entry[0]);
        }
    }
    ::FreeLibrary(module);
    EXPECT_EQ((std::vector<int>{32, 16}), sizes);
}
