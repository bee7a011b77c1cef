#include "Exception.h"
#include "Messages.h"

#include <gtest/gtest.h>

#include <string>

using QFC::String;

namespace {

std::string systemText(DWORD code)
{
    char* produced = nullptr;
    DWORD n = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                   FORMAT_MESSAGE_IGNORE_INSERTS,
                               nullptr, code, 0, reinterpret_cast<char*>(&produced), 0, nullptr);
    std::string text = n && produced ? produced : "";
    if (produced)
        ::LocalFree(produced);
    return text;
}

} // namespace

TEST(ErrorText, CodesWithoutMarkerBitsAreNeverLookedUp)
{
    EXPECT_STREQ("The operation completed successfully.", QFC::errorText(0).text());
    EXPECT_STREQ("Unknown error 5", QFC::errorText(5).text());
    EXPECT_STREQ("Unknown error 1073741829", QFC::errorText(0x40000005).text());
}

TEST(ErrorText, MarkedCodesUseTheSystemText)
{
    std::string five = systemText(5);
    ASSERT_FALSE(five.empty());
    EXPECT_EQ(five + " 5", QFC::errorText(0x20000005).text());
    EXPECT_EQ(five + " 5", QFC::errorText(0x80000005).text());
    EXPECT_EQ(five + " 5", QFC::errorText(0x10000005).text());

    std::string zero = systemText(0);
    std::string expected = zero.empty() ? "Unknown error 2147483648" : zero + " 0";
    EXPECT_EQ(expected, QFC::errorText(0x80000000).text());

    // A marked code the system has no text for falls back to the whole code.
    EXPECT_STREQ("Unknown error 2952855551", QFC::errorText(0xB000FFFF).text());
}

TEST(ErrorText, SystemTextWithInsertsIsTakenAsItStands)
{
    DWORD code = 1;
    std::string text;
    for (; code < 16000; ++code) {
        text = systemText(code);
        if (text.find("%1") != std::string::npos)
            break;
    }
    if (code == 16000)
        GTEST_SKIP() << "no system text with an insert on this system";
    EXPECT_EQ(text + " " + std::to_string(code), QFC::errorText(0x20000000 | code).text());
}

TEST(MessageFormatting, NumberedInserts)
{
    String out("old");
    QFC::formatMessage(out, "%1 is missing.", "abc.dll");
    EXPECT_STREQ("abc.dll is missing.", out.text());

    QFC::formatMessage(out, "%2 before %1", "one", "two");
    EXPECT_STREQ("two before one", out.text());

    QFC::formatMessage(out, "no inserts at all");
    EXPECT_STREQ("no inserts at all", out.text());
}

TEST(MessageFormatting, NothingProducedThrowsMemoryException)
{
    String out("kept");
    EXPECT_THROW(QFC::formatMessage(out, ""), QFC::MemoryException);
    EXPECT_STREQ("kept", out.text());
}

TEST(Exceptions, MemoryExceptionIsCaughtAsException)
{
    try {
        throw QFC::MemoryException();
    } catch (const QFC::Exception& e) {
        EXPECT_EQ(0u, e.code());
        EXPECT_TRUE(e.message().isEmpty());
        return;
    }
    ADD_FAILURE() << "not caught";
}

TEST(Exceptions, CopiesShareTheMessage)
{
    QFC::Exception original(7, String("disk full"));
    QFC::Exception copy(original);
    EXPECT_EQ(7u, copy.code());
    EXPECT_EQ(original.message().block(), copy.message().block());
    EXPECT_EQ(2u, copy.message().block()->refCount);
}
