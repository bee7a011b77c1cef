#include "File.h"
#include "TestFiles.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using QFC::Buffer;
using QFC::File;
using QFC::String;

namespace {

const DWORD ReadWrite = GENERIC_READ | GENERIC_WRITE;

bool openForReading(File& file, const std::string& path)
{
    return file.open(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
}

bool handleIsOpen(HANDLE h)
{
    DWORD flags = 0;
    return ::GetHandleInformation(h, &flags) != FALSE;
}

// A file that records the size of every read it is asked for.
class CountingFile : public File {
public:
    int32_t read(void* buffer, uint32_t count) override
    {
        asked.push_back(count);
        return File::read(buffer, count);
    }
    std::vector<uint32_t> asked;
};

// Hands out its text at most three bytes per read.
class TrickleStream : public QFC::InputStream {
public:
    explicit TrickleStream(const std::string& text) : rest(text) {}
    int32_t read(void* buffer, uint32_t count) override
    {
        uint32_t n = std::min<uint32_t>({count, 3u, static_cast<uint32_t>(rest.size())});
        memcpy(buffer, rest.data(), n);
        rest.erase(0, n);
        return static_cast<int32_t>(n);
    }
    std::string rest;
};

} // namespace

TEST(FileOpen, MissingFileRecordsThePlatformError)
{
    TestFolder folder;
    File file;
    EXPECT_EQ(0u, file.lastError());
    EXPECT_FALSE(openForReading(file, folder / "missing"));
    EXPECT_EQ(static_cast<uint32_t>(ERROR_FILE_NOT_FOUND), file.lastError());
    EXPECT_EQ(INVALID_HANDLE_VALUE, file.handle());
    // The one root object is seen the same from both stream sides.
    QFC::InputStream& in = file;
    QFC::OutputStream& out = file;
    EXPECT_EQ(file.lastError(), in.lastError());
    EXPECT_EQ(file.lastError(), out.lastError());
    EXPECT_EQ(static_cast<QFC::Object*>(&in), static_cast<QFC::Object*>(&out));
}

TEST(FileOpen, ClosedFileFailsEveryOperation)
{
    File file;
    unsigned char byte;
    EXPECT_EQ(-1, file.read(&byte, 1));
    EXPECT_EQ(0xFFFF, file.readByte());
    EXPECT_FALSE(file.write("x", 1));
    EXPECT_EQ(-1, file.size());
    EXPECT_EQ(-1, file.available());
    file.close();
    EXPECT_EQ(INVALID_HANDLE_VALUE, file.handle());
}

TEST(FileOpen, DestroyingAnOpenFileClosesItsHandle)
{
    TestFolder folder;
    std::string path = folder / "exclusive";
    HANDLE h;
    {
        File file;
        ASSERT_TRUE(file.open(path.c_str(), ReadWrite, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL));
        h = file.handle();
        EXPECT_TRUE(handleIsOpen(h));
        File other;
        EXPECT_FALSE(openForReading(other, path));
        EXPECT_EQ(static_cast<uint32_t>(ERROR_SHARING_VIOLATION), other.lastError());
    }
    EXPECT_FALSE(handleIsOpen(h));
    File again;
    EXPECT_TRUE(openForReading(again, path));
}

TEST(FileOpen, ReopeningClosesThePreviousHandle)
{
    TestFolder folder;
    std::string first = folder / "first", second = folder / "second";
    File file;
    ASSERT_TRUE(file.open(first.c_str(), ReadWrite, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(file.open(second.c_str(), ReadWrite, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL));
    File other;
    EXPECT_TRUE(openForReading(other, first));

    // A failing open leaves the object closed.
    EXPECT_FALSE(file.open((folder / "missing").c_str(), GENERIC_READ, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(INVALID_HANDLE_VALUE, file.handle());
    File reader;
    EXPECT_TRUE(openForReading(reader, second));
}

TEST(FileReadWrite, WritesEveryFormAndReadsThemBack)
{
    TestFolder folder;
    std::string path = folder / "data";
    {
        File file;
        ASSERT_TRUE(file.open(path.c_str(), GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL));
        QFC::OutputStream& out = file;
        EXPECT_TRUE(out.write("ab", 2));
        EXPECT_TRUE(out.writeByte(0));
        EXPECT_TRUE(out.write(String("text")));
        EXPECT_TRUE(out.write(String()));
        EXPECT_TRUE(out.write(Buffer("\xFF\0z", 3)));
        EXPECT_TRUE(out.write(Buffer()));
        out.flush();
        EXPECT_EQ(10, file.size());
        file.close();
    }
    EXPECT_EQ(std::string("ab\0text\xFF\0z", 10), testsupport::fileContents(path));

    File file;
    ASSERT_TRUE(openForReading(file, path));
    QFC::InputStream& in = file;
    char head[2];
    EXPECT_EQ(2, in.read(head, 2));
    EXPECT_EQ(0x0000, in.readByte());
    char text[4];
    EXPECT_TRUE(in.readFully(text, 4));
    EXPECT_EQ("text", std::string(text, 4));
    EXPECT_EQ(0x00FF, in.readByte());
    EXPECT_EQ(2u, in.skip(2));
    EXPECT_EQ(0xFFFF, in.readByte());
    EXPECT_EQ(0, in.read(text, 4));
}

TEST(FileReadWrite, WriteOfNothingSucceedsWithoutThePlatform)
{
    File closed;  // any platform call on it would fail
    EXPECT_TRUE(closed.write("abc", 0));
    EXPECT_TRUE(closed.write(nullptr, 0));
    EXPECT_TRUE(closed.write(String()));
}

TEST(FileReadWrite, ReadFullyFailsWhenTheFileEndsFirst)
{
    TestFolder folder;
    std::string path = folder / "short";
    ASSERT_TRUE(testsupport::writeFile(path, "0123456789"));
    File file;
    ASSERT_TRUE(openForReading(file, path));
    EXPECT_EQ(4u, file.skip(4));
    char buffer[10];
    EXPECT_FALSE(file.readFully(buffer, 10));
    EXPECT_EQ("456789", std::string(buffer, 6));
    EXPECT_TRUE(file.readFully(buffer, 0));
}

TEST(FileReadWrite, ReadFullyGathersShortReads)
{
    TrickleStream in("0123456789");
    char buffer[10] = {};
    EXPECT_TRUE(in.readFully(buffer, 10));
    EXPECT_EQ("0123456789", std::string(buffer, 10));
}

TEST(FileReadWrite, SkipReadsInChunksAndStopsAtTheEnd)
{
    TestFolder folder;
    std::string path = folder / "long";
    std::string contents;
    for (int i = 0; i < 30000; ++i)
        contents += static_cast<char>(i % 251);
    ASSERT_TRUE(testsupport::writeFile(path, contents));

    CountingFile file;
    ASSERT_TRUE(openForReading(file, path));
    EXPECT_EQ(0u, file.skip(0));
    EXPECT_TRUE(file.asked.empty());
    EXPECT_EQ(20000u, file.skip(20000));
    EXPECT_EQ((std::vector<uint32_t>{8192, 8192, 3616}), file.asked);
    EXPECT_EQ(static_cast<unsigned char>(contents[20000]), file.readByte());

    EXPECT_EQ(9999u, file.skip(50000));
    EXPECT_EQ(0xFFFF, file.readByte());
    EXPECT_EQ(0u, file.skip(10));
}

TEST(FileReadWrite, SizeOfFiles)
{
    TestFolder folder;
    std::string empty = folder / "empty", some = folder / "some";
    ASSERT_TRUE(testsupport::writeFile(empty, ""));
    ASSERT_TRUE(testsupport::writeFile(some, std::string(12345, 's')));
    File a, b;
    ASSERT_TRUE(openForReading(a, empty));
    ASSERT_TRUE(openForReading(b, some));
    ::SetLastError(ERROR_ACCESS_DENIED);  // a stale code must not turn a size into a failure
    EXPECT_EQ(0, a.size());
    EXPECT_EQ(12345, b.size());
}

// A non-blocking pipe whose buffer is full accepts a write and writes
// nothing; write must give up instead of repeating the call for ever.
TEST(FileReadWrite, WriteStopsWhenThePlatformMakesNoProgress)
{
    std::string name = "\\\\.\\pipe\\QFCTests.NoProgress." + std::to_string(::GetCurrentProcessId());
    HANDLE server = ::CreateNamedPipeA(name.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_NOWAIT,
        1, 64, 64, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, server);
    File file;
    ASSERT_TRUE(file.open(name.c_str(), GENERIC_WRITE, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
    DWORD mode = PIPE_READMODE_BYTE | PIPE_NOWAIT;
    ASSERT_TRUE(::SetNamedPipeHandleState(file.handle(), &mode, nullptr, nullptr));

    std::string block(4096, 'p');
    bool stopped = false;
    for (int i = 0; i < 1024 && !stopped; ++i)
        stopped = !file.write(block.data(), static_cast<uint32_t>(block.size()));
    EXPECT_TRUE(stopped);
    // The condition write met is the platform's success without progress.
    DWORD written = 1;
    EXPECT_TRUE(::WriteFile(file.handle(), block.data(), 4096, &written, nullptr));
    EXPECT_EQ(0u, written);
    file.close();
    ::CloseHandle(server);
}
