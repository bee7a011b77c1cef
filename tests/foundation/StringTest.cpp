#include "String.h"
#include "Exception.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using QFC::String;

namespace {

uint32_t refs(const String& s) { return s.block()->refCount; }

std::string str(const String& s) { return s.text() ? s.text() : "<null>"; }

} // namespace

TEST(StringConstruction, EmptyFormsAndCapacities)
{
    String none;
    EXPECT_EQ(nullptr, none.block());
    EXPECT_EQ(nullptr, none.text());
    EXPECT_EQ(0, none.length());
    EXPECT_TRUE(none.isEmpty());

    String counted("xyz", 0);
    ASSERT_NE(nullptr, counted.block());
    EXPECT_EQ(50u, counted.block()->capacity);
    EXPECT_TRUE(counted.isEmpty());
    EXPECT_STREQ("", counted.text());

    EXPECT_EQ(nullptr, String(static_cast<const char*>(nullptr)).block());

    const int lengths[] = {0, 49, 50, 99, 100};
    const uint32_t capacities[] = {50, 50, 100, 100, 150};
    for (int i = 0; i < 5; ++i) {
        std::string text(lengths[i], 'a');
        String s(text.c_str(), lengths[i]);
        EXPECT_EQ(capacities[i], s.block()->capacity) << lengths[i];
        EXPECT_EQ(static_cast<uint32_t>(lengths[i]), s.block()->length);
        EXPECT_EQ(0, s.text()[lengths[i]]);
    }
}

TEST(StringSharing, CopiesShareUntilOneChanges)
{
    String a("hello");
    String b(a);
    EXPECT_EQ(a.block(), b.block());
    EXPECT_EQ(2u, refs(a));

    b.setAt(0, 'j');
    EXPECT_EQ("hello", str(a));
    EXPECT_EQ("jello", str(b));
    EXPECT_NE(a.block(), b.block());
    EXPECT_EQ(1u, refs(a));
    EXPECT_EQ(1u, refs(b));

    String c;
    c = a;
    c = c;  // self-assignment keeps the count
    EXPECT_EQ(2u, refs(a));
}

TEST(StringSharing, PinnedStringIsCopiedNotShared)
{
    String a("abc");
    char* p = a.getBuffer(3);
    EXPECT_EQ(0u, refs(a));
    String copy(a);
    EXPECT_NE(a.block(), copy.block());
    EXPECT_EQ("abc", str(copy));
    String assigned;
    assigned = a;
    EXPECT_NE(a.block(), assigned.block());
    p[0] = 'x';
    EXPECT_EQ("abc", str(copy));

    a.releaseBuffer();
    EXPECT_EQ(1u, refs(a));
    String later(a);
    EXPECT_EQ(a.block(), later.block());
    EXPECT_EQ(2u, refs(a));
}

TEST(StringAssignment, EmptySourceKeepsOrDropsTheBlock)
{
    String owner("text");
    const QFC::StringBuffer* block = owner.block();
    owner = String();
    EXPECT_EQ(block, owner.block());
    EXPECT_EQ(0, owner.length());
    EXPECT_STREQ("", owner.text());

    String shared("text");
    String other(shared);
    shared = String();
    EXPECT_EQ(nullptr, shared.block());
    EXPECT_EQ(1u, refs(other));

    String nulled("abc");
    nulled = static_cast<const char*>(nullptr);
    EXPECT_TRUE(nulled.isEmpty());
}

TEST(StringAssignment, FromTextReusesWritableBlock)
{
    String s("a fairly long text that stays below fifty");
    const QFC::StringBuffer* block = s.block();
    s = "short";
    EXPECT_EQ(block, s.block());
    EXPECT_EQ("short", str(s));

    s = std::string(60, 'z').c_str();
    EXPECT_EQ(60, s.length());
    EXPECT_EQ(100u, s.block()->capacity);
}

TEST(StringAssignment, FromOwnCharacters)
{
    String s("abcdef");
    s = s.text() + 2;
    EXPECT_EQ("cdef", str(s));
}

TEST(StringChange, SetAtZeroTruncates)
{
    String s("abcdef");
    s.setAt(3, 0);
    EXPECT_EQ(3, s.length());
    EXPECT_EQ("abc", str(s));
}

TEST(StringAppend, TextsCharactersAndGrowth)
{
    String s;
    s.append(static_cast<const char*>(nullptr));
    EXPECT_EQ(nullptr, s.block());
    s.append("ab").append('c').append(String("de")).append(String());
    EXPECT_EQ("abcde", str(s));
    s.append("");
    EXPECT_EQ("abcde", str(s));

    String grown;
    const QFC::StringBuffer* last = nullptr;
    int moves = 0;
    for (int i = 0; i < 200; ++i) {
        grown.append('x');
        if (grown.block() != last)
            ++moves;
        last = grown.block();
    }
    EXPECT_EQ(200, grown.length());
    EXPECT_EQ(5, moves);  // lengths 1, 50, 100, 150, 200 need new blocks
}

TEST(StringAppend, SharedBlockIsNotChangedThroughACopy)
{
    String a("base");
    String b(a);
    b.append("+more");
    EXPECT_EQ("base", str(a));
    EXPECT_EQ("base+more", str(b));
}

TEST(StringAppend, SelfAppendWhenTheBlockMustGrow)
{
    String s(std::string(40, 'q').c_str());
    s.append(s);
    EXPECT_EQ(std::string(80, 'q'), str(s));

    String t(std::string(30, 'r').c_str());
    t.append(t.text());  // the source lies in the block being replaced
    EXPECT_EQ(std::string(60, 'r'), str(t));

    String u("ab");
    u.append(u);  // fits in place
    EXPECT_EQ("abab", str(u));
}

TEST(StringAppendNumber, PaddingRules)
{
    struct Case { uint32_t value; int width; const char* expected; } cases[] = {
        {0, 0, "0"}, {0, 1, "0"}, {0, 3, "000"}, {42, 5, "00042"}, {12345, 2, "12345"},
        {4294967295u, 0, "4294967295"}, {7, -3, "7"},
    };
    for (const Case& c : cases) {
        String s("n=");
        s.appendNumber(c.value, c.width);
        EXPECT_EQ(std::string("n=") + c.expected, str(s)) << c.value << "/" << c.width;
    }
}

TEST(StringAppendPath, BothFormsAndTheirDifference)
{
    String a("C:\\dir");
    a.appendPath("file");
    EXPECT_EQ("C:\\dir\\file", str(a));

    String b("C:\\dir\\");
    b.appendPath("file");
    EXPECT_EQ("C:\\dir\\file", str(b));

    String c("C:\\dir");
    c.appendPath(String("\\file"));
    EXPECT_EQ("C:\\dir\\file", str(c));

    String d("C:\\dir");
    d.appendPath("\\file");
    EXPECT_EQ("C:\\dir\\\\file", str(d));

    String e;
    e.appendPath("file");
    EXPECT_EQ("file", str(e));

    String f;
    String component("file");
    f.appendPath(component);
    EXPECT_EQ(component.block(), f.block());

    String g("C:/dir/");
    g.appendPath(String("x"));
    EXPECT_EQ("C:/dir/x", str(g));

    String h("A:");
    h.appendPath(String());
    h.appendPath(static_cast<const char*>(nullptr));
    EXPECT_EQ("A:", str(h));

    String self("ab");
    self.appendPath(self);
    EXPECT_EQ("ab\\ab", str(self));
}

TEST(StringAppendPath, ComponentInsideTheOwnBlock)
{
    String s(std::string(49, 'p').c_str());
    s.appendPath(s.text() + 40);  // the separator forces a new block first
    EXPECT_EQ(std::string(49, 'p') + "\\" + std::string(9, 'p'), str(s));
}

// The separator alone would fit a block of its own, the name would not: the
// join still allocates once.
TEST(StringAppendPath, SharedDirectoryTakesOneNewBlock)
{
    const String directory(std::string(48, 'd').c_str());
    const String name(std::string(60, 'n').c_str());
    const std::string joined = std::string(48, 'd') + "\\" + std::string(60, 'n');
    for (int form = 0; form < 2; ++form) {
        String path(directory);
        long before = QFC::block::allocationCount();
        if (form == 0)
            path.appendPath(name.text());
        else
            path.appendPath(name);
        EXPECT_EQ(before + 1, QFC::block::allocationCount()) << "form " << form;
        EXPECT_EQ(joined, str(path)) << "form " << form;
        EXPECT_EQ(std::string(48, 'd'), str(directory)) << "form " << form;
    }
}

TEST(StringSearch, FindAndFindOneOf)
{
    String s("abcabc");
    EXPECT_EQ(1, s.find('b'));
    EXPECT_EQ(4, s.find('b', 2));
    EXPECT_EQ(-1, s.find('x'));
    EXPECT_EQ(-1, String("abc").find('x', 0));
    EXPECT_EQ(-1, s.find('a', 10));
    EXPECT_EQ(3, s.find("abc", 1));
    EXPECT_EQ(-1, s.find(""));
    EXPECT_EQ(-1, s.find(static_cast<const char*>(nullptr)));
    EXPECT_EQ(-1, String().find("a"));
    EXPECT_EQ(2, s.findOneOf("xc"));
    EXPECT_EQ(-1, String().findOneOf("abc"));
    EXPECT_EQ(-1, String("").findOneOf("abc"));
}

TEST(StringSearch, FindLastOfExactResults)
{
    const char* seps = "\\/";
    EXPECT_EQ(3, String("a\\b\\c").findLastOf(seps));
    EXPECT_EQ(0, String("abc").findLastOf(seps));
    EXPECT_EQ(-1, String().findLastOf(seps));
    EXPECT_EQ(0, String("\\bc").findLastOf(seps));  // found at stop looks like not found
    EXPECT_EQ(2, String("abc").findLastOf(seps, 5));  // stop beyond the end
    EXPECT_EQ(4, String("a/b/c").findLastOf(seps, 4));
    EXPECT_EQ("a\\b", str(String("a\\b\\c").left(String("a\\b\\c").findLastOf(seps))));
    EXPECT_TRUE(String("abc").left(String("abc").findLastOf(seps)).isEmpty());
}

TEST(StringSlice, LeftRightMid)
{
    String s("abcde");
    EXPECT_EQ("abc", str(s.left(-2)));
    EXPECT_EQ("abcde", str(s.left(10)));
    EXPECT_EQ("ab", str(s.left(2)));
    EXPECT_EQ("de", str(s.right(2)));
    EXPECT_EQ("cde", str(s.right(-2)));
    EXPECT_EQ("abcde", str(s.right(99)));
    EXPECT_EQ("bcd", str(s.mid(1, 3)));
    EXPECT_EQ(nullptr, String().left(3).block());
    EXPECT_EQ(nullptr, String().right(3).block());
    EXPECT_EQ(nullptr, String().mid(0, 0).block());
}

TEST(StringChange, TrimAndUpper)
{
    String s(" \t\r\nabc");
    s.trimLeft();
    EXPECT_EQ("abc", str(s));

    String vt("\vabc");
    vt.trimLeft();
    EXPECT_EQ("\vabc", str(vt));

    String blanks("   \f ");
    blanks.trimRight();
    EXPECT_TRUE(blanks.isEmpty());

    String zeros("\0ab\0", 4);  // a zero byte is not a blank
    zeros.trimLeft();
    zeros.trimRight();
    EXPECT_EQ(4, zeros.length());

    String shared("  padded  ");
    String other(shared);
    shared.trimLeft();
    EXPECT_EQ("padded  ", str(shared));
    EXPECT_EQ("  padded  ", str(other));
    shared.trimRight();
    EXPECT_EQ("padded", str(shared));
    EXPECT_EQ("  padded  ", str(other));

    String lower("/create /guid={ab-c}");
    String keep(lower);
    lower.makeUpper();
    EXPECT_EQ("/CREATE /GUID={AB-C}", str(lower));
    EXPECT_EQ("/create /guid={ab-c}", str(keep));

    String none;
    none.trimLeft();
    none.trimRight();
    none.makeUpper();
    EXPECT_EQ(nullptr, none.block());
}

TEST(StringChange, InsertGrowsTheBlock)
{
    String s("abc");
    std::string sixty(60, 'i');
    s.insert(sixty.c_str(), 1, 60);
    EXPECT_EQ("a" + sixty + "bc", str(s));
    EXPECT_EQ(63, s.length());

    String t("hello");
    String shared(t);
    t.insert("XY", 5, 2);
    EXPECT_EQ("helloXY", str(t));
    EXPECT_EQ("hello", str(shared));

    String self("abcdef");
    self.insert(self.text() + 3, 0, 3);
    EXPECT_EQ("defabcdef", str(self));
}

TEST(StringConversion, ToInt)
{
    EXPECT_EQ(0, String().toInt());
    EXPECT_EQ(42, String("0042").toInt());
    EXPECT_EQ(123456, String("123456").toInt());
}

TEST(StringFormat, FormatsLikePrintf)
{
    String s;
    s.format("%s-%d-%05u-%x-%c-%%", "ab", -7, 42u, 255u, 'z');
    EXPECT_EQ("ab--7-00042-ff-z-%", str(s));

    s.format(String("%.2f|%-4s|%4s|"), 3.14159, "l", "r");
    EXPECT_EQ("3.14|l   |   r|", str(s));

    s.format("%s", static_cast<const char*>(nullptr));
    EXPECT_EQ("(null)", str(s));

    s.format("");
    EXPECT_TRUE(s.isEmpty());
    EXPECT_EQ(1u, refs(s));
}

TEST(StringFormat, WidthBeyondTheEstimateNeverOverflows)
{
    String s;
    s.format("%100.1s", "abc");
    EXPECT_EQ(std::string(99, ' ') + "a", str(s));
    EXPECT_LT(s.block()->length, s.block()->capacity);
    EXPECT_EQ(1u, refs(s));

    s.format("[%*.*s]", 300, 2, "xyz");
    EXPECT_EQ("[" + std::string(298, ' ') + "xy]", str(s));

    s.format("%200.3d", 5);
    EXPECT_EQ(std::string(200, ' ').replace(197, 3, "005"), str(s));

    s.format("%.250f", 1.0);
    EXPECT_EQ(252, s.length());
}

// The msvcrt of Windows 95 and NT 4 knows %I64d, but not %lld or %zu.
TEST(StringFormat, SizePrefixesOfTheRuntimeFormatter)
{
    String s;
    s.format("%I64d|%s", -(1LL << 33), "y");
    EXPECT_EQ("-8589934592|y", str(s));
}

TEST(StringFormat, TemplateSharingTheTargetBlock)
{
    String s("value %d");
    s.format(s, 5);
    EXPECT_EQ("value 5", str(s));
}

TEST(StringFormat, ArgumentsInsideTheOwnBlock)
{
    String s("abc");
    s.format("x%s", s.text());
    EXPECT_EQ("xabc", str(s));
    // Empty, with the old characters still behind the terminator.
    s.clear();
    s.format("x%s|", s.text());
    EXPECT_EQ("x|", str(s));
}

TEST(StringFormat, SharedBlockStaysWithTheOtherString)
{
    String a("shared");
    String b(a);
    const long live = QFC::block::liveCount();
    b.format("%s!", a.text());
    EXPECT_EQ("shared", str(a));
    EXPECT_EQ("shared!", str(b));
    EXPECT_EQ(1u, refs(a));
    EXPECT_EQ(1u, refs(b));
    EXPECT_EQ(live + 1, QFC::block::liveCount());
}

TEST(StringFormat, CallersPinMovesToTheNewBlock)
{
    String s;
    char* p = s.getBuffer(20);
    strcpy(p, "pinned");
    s.format("x%s", p);
    EXPECT_EQ("xpinned", str(s));
    EXPECT_EQ(7, s.length());
    EXPECT_EQ(0u, refs(s));
    String copy(s);
    EXPECT_NE(copy.block(), s.block());
    s.releaseBuffer();
    EXPECT_EQ(1u, refs(s));
}

TEST(StringFormat, NegativeCountGivesAnEmptyText)
{
    String s("old text");
    // Two fields whose sum no int holds: the runtime answers -1.
    EXPECT_NO_THROW(s.format("%2147483000d%2147483000d", 1, 2));
    EXPECT_TRUE(s.isEmpty());
    EXPECT_EQ("", str(s));
}

TEST(StringDirectBuffer, GetBufferPinsAndSetLengthEnds)
{
    String s;
    char* p = s.getBuffer(10);
    EXPECT_EQ(0u, refs(s));
    EXPECT_EQ(50u, s.block()->capacity);
    strcpy(p, "written");
    s.releaseBuffer();
    s.setLength(static_cast<int>(strlen(s.text())));
    EXPECT_EQ("written", str(s));
    EXPECT_EQ(1u, refs(s));

    String a("shared text");
    String b(a);
    char* q = b.getBuffer(6);
    EXPECT_NE(a.block(), b.block());
    EXPECT_EQ(0, strncmp(q, "shared", 6));
    b.releaseBuffer();
    b.releaseBuffer();  // a second release leaves the count alone
    EXPECT_EQ(1u, refs(b));
    EXPECT_EQ("shared text", str(a));

    String t("abcdef");
    t.setLength(2);
    EXPECT_EQ("ab", str(t));

    const long live = QFC::block::liveCount();
    {
        String pinned("held");
        pinned.getBuffer(4);
    }
    EXPECT_EQ(live, QFC::block::liveCount());  // a pinned block is freed too
}

TEST(StringFailure, RefusedAllocationKeepsTheOldText)
{
    String s("precious");
    const QFC::StringBuffer* block = s.block();
    bool caught = false;
    try {
        s.getBuffer(0x7FFFFF00);
    } catch (const QFC::Exception& e) {
        caught = true;
        EXPECT_EQ(0u, e.code());
        EXPECT_TRUE(e.message().isEmpty());
    }
    EXPECT_TRUE(caught);
    EXPECT_EQ(block, s.block());
    EXPECT_EQ("precious", str(s));
    EXPECT_EQ(1u, refs(s));

    EXPECT_THROW(s.setLength(0x7FFFFFF0), QFC::MemoryException);
    EXPECT_EQ("precious", str(s));

    // Wider than the block: the old text must survive the refused allocation.
    EXPECT_THROW(s.format("%1500000000.1s", "x"), QFC::MemoryException);
    EXPECT_EQ(block, s.block());
    EXPECT_EQ("precious", str(s));
    EXPECT_EQ(8, s.length());
}
