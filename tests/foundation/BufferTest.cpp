#include "Buffer.h"
#include "Exception.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using QFC::Buffer;

namespace {

uint32_t refs(const Buffer& b) { return b.block()->refCount; }

std::string bytes(const Buffer& b)
{
    return b.data() ? std::string(reinterpret_cast<const char*>(b.data()), b.length()) : std::string();
}

} // namespace

TEST(BufferSharing, CopyConstructionCopiesAssignmentShares)
{
    Buffer source("abc", 3);
    Buffer copy(source);
    ASSERT_NE(nullptr, copy.block());
    EXPECT_NE(source.block(), copy.block());
    EXPECT_EQ(1u, refs(source));
    EXPECT_EQ(1u, refs(copy));
    EXPECT_EQ("abc", bytes(copy));

    Buffer assigned;
    assigned = source;
    EXPECT_EQ(source.block(), assigned.block());
    EXPECT_EQ(2u, refs(source));

    assigned = assigned;
    EXPECT_EQ(2u, refs(source));

    // A change through one sharer gives it a block of its own.
    assigned.setByteAt(0, 'x');
    EXPECT_NE(source.block(), assigned.block());
    EXPECT_EQ("abc", bytes(source));
    EXPECT_EQ("xbc", bytes(assigned));
    EXPECT_EQ(1u, refs(source));
}

TEST(BufferSharing, EmptyFormsAndEmptyAssignment)
{
    Buffer none;
    EXPECT_EQ(nullptr, none.block());
    EXPECT_EQ(nullptr, none.data());
    EXPECT_EQ(0u, none.length());
    EXPECT_EQ(nullptr, Buffer(nullptr, 5).block());
    EXPECT_EQ(nullptr, Buffer(none).block());

    // An unshared block is kept for reuse; a shared one is let go.
    Buffer owner("abc", 3);
    const QFC::StringBuffer* kept = owner.block();
    owner = none;
    EXPECT_EQ(kept, owner.block());
    EXPECT_EQ(0u, owner.length());

    Buffer first("abc", 3);
    Buffer second;
    second = first;
    second = none;
    EXPECT_EQ(nullptr, second.block());
    EXPECT_EQ(1u, refs(first));
    EXPECT_EQ("abc", bytes(first));
}

TEST(BufferContents, ZeroBytesAreOrdinaryData)
{
    const char raw[] = {'a', 0, 'b', 0, 0};
    Buffer b(raw, sizeof raw);
    EXPECT_EQ(5u, b.length());
    EXPECT_EQ('b', b.byteAt(2));
    b.append("\0c", 2);
    EXPECT_EQ(7u, b.length());
    EXPECT_EQ(std::string(raw, 5) + std::string("\0c", 2), bytes(b));
    b.appendFill(0, 3);
    EXPECT_EQ(10u, b.length());
    EXPECT_EQ(0, b.byteAt(9));
}

TEST(BufferContents, GrowthFollowsTheStringRule)
{
    Buffer b;
    b.appendFill('a', 49);
    EXPECT_EQ(50u, b.block()->capacity);
    const QFC::StringBuffer* first = b.block();
    b.append("b", 1);  // 50 bytes no longer leave the spare byte of the layout
    EXPECT_EQ(100u, b.block()->capacity);
    EXPECT_NE(first, b.block());
    EXPECT_EQ(std::string(49, 'a') + "b", bytes(b));
}

TEST(BufferContents, AppendFromItsOwnBytesSurvivesGrowth)
{
    Buffer b;
    b.appendFill('q', 40);
    b.append(b.data(), 40);
    EXPECT_EQ(std::string(80, 'q'), bytes(b));
}

TEST(BufferContents, AppendToSharedBlockLeavesOtherSharerAlone)
{
    Buffer a("abc", 3);
    Buffer b;
    b = a;
    b.append("d", 1);
    EXPECT_EQ("abc", bytes(a));
    EXPECT_EQ("abcd", bytes(b));
    EXPECT_EQ(1u, refs(a));
}

TEST(BufferPin, GetBufferOnEmptyPinsAndReleases)
{
    Buffer b;
    unsigned char* p = b.getBuffer(10);
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(50u, b.block()->capacity);
    EXPECT_EQ(10u, b.length());
    EXPECT_EQ(0u, refs(b));
    memcpy(p, "0123456789", 10);

    // A pinned block is copied, never shared.
    Buffer assigned;
    assigned = b;
    EXPECT_NE(b.block(), assigned.block());
    EXPECT_EQ("0123456789", bytes(assigned));

    b.releaseBuffer();
    EXPECT_EQ(1u, refs(b));
    Buffer again;
    again = b;
    EXPECT_EQ(b.block(), again.block());
    EXPECT_EQ(2u, refs(b));
}

TEST(BufferPin, ShrinkingASharedBufferKeepsOnlyThePrefix)
{
    Buffer a("abcdefgh", 8);
    Buffer b;
    b = a;
    unsigned char* p = b.getBuffer(3);
    EXPECT_NE(a.block(), b.block());
    EXPECT_EQ(3u, b.length());
    EXPECT_EQ(0, memcmp(p, "abc", 3));
    b.releaseBuffer();
    EXPECT_EQ("abc", bytes(b));
    EXPECT_EQ("abcdefgh", bytes(a));
    EXPECT_EQ(1u, refs(a));
}

TEST(BufferAttached, WorksInTheAreaAndLeavesItAlone)
{
    unsigned char area[16];
    memset(area, '.', sizeof area);
    long alive = QFC::block::liveCount();
    {
        Buffer b("abc", 3);
        b.attach(area, sizeof area);
        EXPECT_EQ(alive, QFC::block::liveCount());  // the own block was released
        EXPECT_TRUE(b.isAttached());
        EXPECT_EQ(nullptr, b.block());
        EXPECT_EQ(16u, b.length());
        EXPECT_EQ(area, b.data());

        b = Buffer();
        EXPECT_EQ(0u, b.length());
        EXPECT_TRUE(b.append("wxyz", 4));
        EXPECT_EQ(4u, b.length());
        EXPECT_EQ(0, memcmp(area, "wxyz", 4));

        b = Buffer("12345678", 8);
        EXPECT_EQ(8u, b.length());
        EXPECT_EQ(0, memcmp(area, "12345678", 8));
        EXPECT_EQ(alive, QFC::block::liveCount());

        b.setByteAt(0, '#');
        EXPECT_EQ('#', area[0]);
        EXPECT_EQ(area, b.getBuffer(16));
    }
    // The destructor did not free the area: it is still ours and intact.
    EXPECT_EQ('#', area[0]);
    EXPECT_EQ(alive, QFC::block::liveCount());
}

TEST(BufferAttached, RefusesWhatDoesNotFit)
{
    unsigned char storage[12];
    memset(storage, '.', sizeof storage);
    unsigned char* area = storage + 2;  // 8 usable bytes with guards around them
    Buffer b;
    b.attach(area, 8);
    b = Buffer();
    EXPECT_TRUE(b.append("123456", 6));

    EXPECT_FALSE(b.append("abc", 3));
    EXPECT_EQ(6u, b.length());
    EXPECT_FALSE(b.appendFill('z', 3));
    EXPECT_EQ(6u, b.length());

    b = Buffer("abcdefghi", 9);
    EXPECT_EQ(6u, b.length());
    EXPECT_EQ(0, memcmp(area, "123456", 6));

    EXPECT_EQ(nullptr, b.getBuffer(9));
    EXPECT_EQ(area, b.getBuffer(8));

    EXPECT_TRUE(b.appendFill('z', 2));
    EXPECT_EQ(8u, b.length());
    EXPECT_EQ(0, memcmp(storage, "..123456zz..", 12));
}

TEST(BufferAttached, SourceForOwnModeIsCopied)
{
    unsigned char area[4] = {1, 2, 3, 4};
    Buffer attached;
    attached.attach(area, 4);
    Buffer own;
    own = attached;
    ASSERT_NE(nullptr, own.block());
    EXPECT_EQ(1u, refs(own));
    EXPECT_EQ(4u, own.length());
    area[0] = 9;
    EXPECT_EQ(1, own.byteAt(0));

    Buffer copied(attached);
    EXPECT_FALSE(copied.isAttached());
    EXPECT_EQ(9, copied.byteAt(0));
}

TEST(BufferFailure, RefusedAllocationKeepsTheOldBytes)
{
    Buffer b("abc", 3);
    EXPECT_THROW(b.getBuffer(0xFFFFFFF0u), QFC::MemoryException);
    EXPECT_EQ("abc", bytes(b));
    EXPECT_EQ(1u, refs(b));
}
