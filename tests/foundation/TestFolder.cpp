#include "TestFolder.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

TestFolder::TestFolder()
{
    char temp[MAX_PATH];
    DWORD n = ::GetTempPathA(MAX_PATH, temp);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::string(temp, n) + "QFCTests." + test->test_suite_name() + "." + test->name() + "."
        + std::to_string(::GetCurrentProcessId());
    testsupport::removeTree(path_);
    ::CreateDirectoryA(path_.c_str(), nullptr);
}

TestFolder::~TestFolder()
{
    testsupport::removeTree(path_);
}

bool TestFolder::isDirectory(const std::string& path)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
