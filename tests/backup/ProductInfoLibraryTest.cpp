#include "ProductInfoLibrary.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Answers of a scripted library, one per question.
const char* const* script = nullptr;
int questions = 0;

QFC::String WINAPI scriptedAnswer()
{
    return QFC::String(script[questions++]);
}

int ask(const char* const* answers, std::string& kept)
{
    script = answers;
    questions = 0;
    kept = ReadCustomerId(scriptedAnswer).textOrEmpty();
    return questions;
}

// A library that builds the string block itself, in the documented layout,
// and returns it the way a function returning QFC::String by value does:
// through the hidden result pointer, which the callee pops.
void* WINAPI handBuiltAnswer(void** result)
{
    const char text[] = "HAND-BUILT-7";
    const unsigned capacity = 50;
    char* block = static_cast<char*>(::GlobalAlloc(GMEM_FIXED, capacity + 36));
    *reinterpret_cast<unsigned*>(block) = 1;
    *reinterpret_cast<unsigned*>(block + 4) = sizeof(text) - 1;
    *reinterpret_cast<unsigned*>(block + 8) = capacity;
    ::InitializeCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(block + 12));
    memcpy(block + 36, text, sizeof(text));
    *result = block;
    return result;
}

} // namespace

TEST(CustomerId, LongAnswersAreAskedForAgain)
{
    std::string s300(300, 's'), s400(400, 'f'), s255(255, 'e');
    std::string kept;

    const char* shortOne[] = {"CUST-1"};
    EXPECT_EQ(1, ask(shortOne, kept));
    EXPECT_EQ("CUST-1", kept);

    const char* exactly255[] = {s255.c_str()};
    EXPECT_EQ(1, ask(exactly255, kept));

    const char* sameTwice[] = {s300.c_str(), s300.c_str(), s300.c_str()};
    EXPECT_EQ(2, ask(sameTwice, kept));
    EXPECT_EQ(s300, kept);

    const char* thenShorter[] = {s400.c_str(), "short", "never asked"};
    EXPECT_EQ(2, ask(thenShorter, kept));
    EXPECT_EQ("short", kept);

    const char* growing[] = {s300.c_str(), s400.c_str(), "again", "never asked"};
    EXPECT_EQ(3, ask(growing, kept));
    EXPECT_EQ("again", kept);

    std::string ever[12];
    const char* everLonger[12];
    for (int i = 0; i < 12; ++i) {
        ever[i] = std::string(256 + i, 'g');
        everLonger[i] = ever[i].c_str();
    }
    EXPECT_EQ(8, ask(everLonger, kept));
    EXPECT_EQ(ever[7], kept);

    const char* empty[] = {""};
    EXPECT_EQ(1, ask(empty, kept));
    EXPECT_EQ("", kept);
}

TEST(CustomerId, BlockBuiltByTheLibraryIsReadAndFreedHere)
{
    long liveBefore = QFC::block::liveCount();
    {
        QFC::String id = ReadCustomerId(reinterpret_cast<CustomerIdSource>(handBuiltAnswer));
        EXPECT_STREQ("HAND-BUILT-7", id.text());
        EXPECT_EQ(12, id.length());
        QFC::String copy(id);
        EXPECT_EQ(2u, copy.block()->refCount);
    }
    EXPECT_EQ(liveBefore - 1, QFC::block::liveCount());  // freed by our release
}
