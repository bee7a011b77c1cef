#include "String.h"

#include <gtest/gtest.h>

#include <windows.h>

using QFC::String;

namespace {

struct Shared {
    const String* source;
    volatile LONG* stop;
    long rounds;
};

DWORD WINAPI copyAndDrop(void* param)
{
    Shared* shared = static_cast<Shared*>(param);
    String local[8];
    while (!*shared->stop) {
        for (String& s : local)
            s = *shared->source;
        String copy(*shared->source);
        String assigned;
        assigned = copy;
        for (String& s : local)
            s.clear();
        ++shared->rounds;
    }
    return 0;
}

} // namespace

TEST(StringThreads, SharersOnTwoThreadsKeepCountsExact)
{
    long liveBefore = QFC::block::liveCount();
    {
        String source("shared by every thread");
        volatile LONG stop = 0;
        Shared work[2] = {{&source, &stop, 0}, {&source, &stop, 0}};
        HANDLE threads[2];
        for (int i = 0; i < 2; ++i) {
            threads[i] = ::CreateThread(nullptr, 0, copyAndDrop, &work[i], 0, nullptr);
            ASSERT_NE(nullptr, threads[i]);
        }
        ::Sleep(2000);
        ::InterlockedExchange(&stop, 1);
        EXPECT_EQ(WAIT_OBJECT_0, ::WaitForMultipleObjects(2, threads, TRUE, 20000));
        for (HANDLE h : threads)
            ::CloseHandle(h);

        EXPECT_GT(work[0].rounds, 0);
        EXPECT_GT(work[1].rounds, 0);
        EXPECT_EQ(1u, source.block()->refCount);
        EXPECT_STREQ("shared by every thread", source.text());
    }
    EXPECT_EQ(liveBefore, QFC::block::liveCount());
}

TEST(StringThreads, NoBlockOutlivesItsLastString)
{
    long liveBefore = QFC::block::liveCount();
    {
        String a("x");
        String b(a);
        String c;
        c = b;
        c.append("y");
        String d = c.left(1);
        EXPECT_EQ(liveBefore + 3, QFC::block::liveCount());
    }
    EXPECT_EQ(liveBefore, QFC::block::liveCount());
}
