#include "FileSystem.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

using QFC::String;

namespace {

std::string str(const String& s) { return s.text() ? s.text() : "<null>"; }

bool isDirectory(const String& path)
{
    DWORD attributes = ::GetFileAttributesA(path.textOrEmpty());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

char last(const String& s) { return s.at(s.length() - 1); }

std::string lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

TEST(WellKnownDirectories, NameExistingDirectories)
{
    String windows = QFC::windowsDirectory();
    String system = QFC::systemDirectory();
    String temp = QFC::tempDirectory();
    String programs = QFC::programFilesDirectory();

    for (const String* d : {&windows, &system, &temp, &programs}) {
        ASSERT_FALSE(d->isEmpty());
        EXPECT_TRUE(isDirectory(*d)) << str(*d);
    }
    EXPECT_NE('\\', last(windows));
    EXPECT_EQ('\\', last(temp));
    // The system directory lies inside the Windows directory.
    EXPECT_EQ(0u, lower(str(system)).find(lower(str(windows)) + "\\"));
}

TEST(WellKnownDirectories, ModulePathNamesThisProgram)
{
    String path = QFC::modulePath();
    ASSERT_GT(path.length(), 0);
    EXPECT_EQ(static_cast<size_t>(path.length()), strlen(path.text()));
    EXPECT_EQ(1u, path.block()->refCount);  // the pin has ended
    std::string name = lower(str(path));
    EXPECT_NE(std::string::npos, name.find("foundationtests.exe"));
    EXPECT_TRUE(QFC::fileExists(path));
    EXPECT_FALSE(isDirectory(path));
}
