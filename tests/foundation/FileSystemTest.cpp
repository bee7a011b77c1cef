#include "FileSystem.h"

#include "TestFiles.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

using QFC::String;

namespace {

std::string str(const String& s) { return s.text() ? s.text() : "<null>"; }

bool isDirectory(const String& path) { return TestFolder::isDirectory(path.textOrEmpty()); }

int separators(const std::string& path)
{
    return static_cast<int>(std::count(path.begin(), path.end(), '\\') + std::count(path.begin(), path.end(), '/'));
}

// Makes the test's folder the current directory for relative paths.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& path)
    {
        ::GetCurrentDirectoryA(MAX_PATH, saved_);
        ::SetCurrentDirectoryA(path.c_str());
    }
    ~CurrentDirectory() { ::SetCurrentDirectoryA(saved_); }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    char saved_[MAX_PATH];
};

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

TEST(CreateDirectoryPath, CreatesWhatIsMissingBelowAnExistingPrefix)
{
    TestFolder folder;
    ASSERT_TRUE(::CreateDirectoryA((folder / "a").c_str(), nullptr));
    std::string path = folder / "a\\b\\c";
    EXPECT_EQ(separators(path), QFC::createDirectoryPath(path.c_str()));
    EXPECT_TRUE(TestFolder::isDirectory(folder / "a\\b"));
    EXPECT_TRUE(TestFolder::isDirectory(path));

    // Again, with everything already there.
    EXPECT_EQ(separators(path), QFC::createDirectoryPath(path.c_str()));
}

TEST(CreateDirectoryPath, RelativePathsCountOnlyTheirOwnSeparators)
{
    TestFolder folder;
    CurrentDirectory inside(folder.path());

    EXPECT_EQ(0, QFC::createDirectoryPath("single"));
    EXPECT_TRUE(TestFolder::isDirectory(folder / "single"));

    // Either separator; the directories are made through backslash prefixes.
    EXPECT_EQ(2, QFC::createDirectoryPath("mixed/b\\c"));
    EXPECT_TRUE(TestFolder::isDirectory(folder / "mixed\\b\\c"));

    EXPECT_EQ(2, QFC::createDirectoryPath("fwd/x/"));
    EXPECT_TRUE(TestFolder::isDirectory(folder / "fwd\\x"));

    EXPECT_EQ(2, QFC::createDirectoryPath("a\\\\b"));  // a doubled separator counts twice
    EXPECT_TRUE(TestFolder::isDirectory(folder / "a\\b"));
}

TEST(CreateDirectoryPath, AbsolutePathWithSlashesOnly)
{
    TestFolder folder;
    std::string path = folder / "p/q";
    std::replace(path.begin(), path.end(), '\\', '/');
    EXPECT_EQ(separators(path), QFC::createDirectoryPath(path.c_str()));
    EXPECT_TRUE(TestFolder::isDirectory(folder / "p\\q"));
}

TEST(CreateDirectoryPath, ImpossibleFinalDirectoryGivesMinusOne)
{
    TestFolder folder;
    ASSERT_TRUE(testsupport::writeFile(folder / "file", "x"));
    EXPECT_EQ(-1, QFC::createDirectoryPath((folder / "file\\sub").c_str()));
    EXPECT_EQ(-1, QFC::createDirectoryPath((folder / "file\\sub\\deeper").c_str()));
    EXPECT_EQ("x", testsupport::fileContents(folder / "file"));
    EXPECT_EQ(-1, QFC::createDirectoryPath(String()));
}

TEST(FileFunctions, FileExistsForFilesAndDirectories)
{
    TestFolder folder;
    ASSERT_TRUE(testsupport::writeFile(folder / "f", ""));
    EXPECT_TRUE(QFC::fileExists((folder / "f").c_str()));
    EXPECT_TRUE(QFC::fileExists(folder.path().c_str()));
    EXPECT_FALSE(QFC::fileExists((folder / "missing").c_str()));
    EXPECT_FALSE(QFC::fileExists(String()));
    EXPECT_FALSE(QFC::fileExists(""));
}

TEST(FileFunctions, CopyFileTakesTheDestinationFirstAndOverwrites)
{
    TestFolder folder;
    std::string a = folder / "a", b = folder / "b";
    ASSERT_TRUE(testsupport::writeFile(a, "from a"));
    ASSERT_TRUE(testsupport::writeFile(b, "from b, longer"));

    EXPECT_TRUE(QFC::copyFile(b.c_str(), a.c_str()));
    EXPECT_EQ("from a", testsupport::fileContents(b));
    EXPECT_EQ("from a", testsupport::fileContents(a));

    ASSERT_TRUE(testsupport::writeFile(b, "changed b"));
    EXPECT_TRUE(QFC::copyFile(a.c_str(), b.c_str()));
    EXPECT_EQ("changed b", testsupport::fileContents(a));

    std::string fresh = folder / "fresh";
    EXPECT_TRUE(QFC::copyFile(fresh.c_str(), a.c_str()));
    EXPECT_EQ("changed b", testsupport::fileContents(fresh));
}

TEST(FileFunctions, CopyFileFailures)
{
    TestFolder folder;
    std::string a = folder / "a";
    ASSERT_TRUE(testsupport::writeFile(a, "kept"));
    EXPECT_FALSE(QFC::copyFile(a.c_str(), (folder / "missing").c_str()));
    EXPECT_FALSE(QFC::copyFile(a.c_str(), String()));
    EXPECT_EQ("kept", testsupport::fileContents(a));
    EXPECT_FALSE(QFC::copyFile((folder / "no\\such\\dir").c_str(), a.c_str()));
}

TEST(FileFunctions, DeleteFile)
{
    TestFolder folder;
    std::string a = folder / "a";
    ASSERT_TRUE(testsupport::writeFile(a, "x"));
    EXPECT_TRUE(QFC::deleteFile(a.c_str()));
    EXPECT_FALSE(QFC::fileExists(a.c_str()));
    EXPECT_FALSE(QFC::deleteFile(a.c_str()));
    EXPECT_FALSE(QFC::deleteFile(folder.path().c_str()));
    EXPECT_TRUE(TestFolder::isDirectory(folder.path()));
}

TEST(FileFunctions, TempFileNameCreatesAnEmptyFile)
{
    String name = QFC::tempFileName("qft", String());
    ASSERT_FALSE(name.isEmpty());
    std::string text = str(name);
    std::string temp = str(QFC::tempDirectory());
    EXPECT_EQ(0u, lower(text).find(lower(temp))) << text;
    EXPECT_NE(std::string::npos, lower(text).find("qft", temp.size())) << text;
    EXPECT_EQ("", testsupport::fileContents(text));
    EXPECT_TRUE(QFC::deleteFile(name));

    TestFolder folder;
    String inFolder = QFC::tempFileName("qft", folder.path().c_str());
    ASSERT_FALSE(inFolder.isEmpty());
    EXPECT_EQ(0u, lower(str(inFolder)).find(lower(folder.path()) + "\\"));
    EXPECT_TRUE(QFC::fileExists(inFolder));
    String second = QFC::tempFileName("qft", folder.path().c_str());
    EXPECT_NE(str(inFolder), str(second));

    EXPECT_TRUE(QFC::tempFileName("qft", (folder / "missing").c_str()).isEmpty());
}
