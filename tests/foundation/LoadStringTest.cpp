#include "String.h"
#include "TestResources.h"

#include <gtest/gtest.h>

#include <string>

using QFC::String;

namespace {

// The texts in FoundationTests.rc repeat the alphabet to the given length.
std::string alphabet(int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += static_cast<char>('a' + i % 26);
    return s;
}

} // namespace

TEST(StringLoadString, TextsAroundTheLocalBufferSize)
{
    String s;
    EXPECT_EQ("short text", std::string(s.loadString(IDS_TEST_SHORT).text()));
    EXPECT_EQ(alphabet(254), std::string(s.loadString(IDS_TEST_254).text()));
    EXPECT_EQ(alphabet(255), std::string(s.loadString(IDS_TEST_255).text()));
    EXPECT_EQ(alphabet(700), std::string(s.loadString(IDS_TEST_LONG).text()));
    EXPECT_EQ(700, s.length());
    EXPECT_EQ(1u, s.block()->refCount);
}

TEST(StringLoadString, MissingResourceEmptiesTheString)
{
    String s("previous");
    s.loadString(IDS_TEST_MISSING);
    EXPECT_TRUE(s.isEmpty());

    String t("previous");
    t.loadString(::GetModuleHandleA("kernel32.dll"), IDS_TEST_MISSING);
    EXPECT_TRUE(t.isEmpty());
}

TEST(StringLoadString, SharedTargetLeavesTheOtherSharer)
{
    String a("kept");
    String b(a);
    b.loadString(IDS_TEST_LONG);
    EXPECT_STREQ("kept", a.text());
    EXPECT_EQ(1u, a.block()->refCount);
    EXPECT_EQ(700, b.length());
}

TEST(StringLoadString, PinHeldByTheCallerStays)
{
    String s;
    s.getBuffer(10);
    s.loadString(IDS_TEST_LONG);
    EXPECT_EQ(0u, s.block()->refCount);
    s.releaseBuffer();
    EXPECT_EQ(alphabet(700), std::string(s.text()));
}
