#include "CommandLineParser.h"
#include "HostCommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What a handler saw: "/name" style for switches, the text alone otherwise.
class RecordingParser : public CommandLineParser {
public:
    explicit RecordingParser(int stopAfter = -1) : stopAfter(stopAfter) {}

    bool HandleParameter(const QFC::String& token, bool isSwitch, char switchCharacter) override
    {
        std::string seen;
        if (isSwitch)
            seen += switchCharacter;
        else
            EXPECT_EQ(0, switchCharacter);
        seen += token.textOrEmpty();
        EXPECT_EQ(static_cast<size_t>(token.length()), std::string(token.textOrEmpty()).size());
        tokens.push_back(seen);
        return stopAfter < 0 || static_cast<int>(tokens.size()) < stopAfter;
    }

    std::vector<std::string> tokens;

private:
    int stopAfter;
};

std::vector<std::string> tokensOf(const char* line)
{
    RecordingParser parser;
    parser.ParseCommandLine(QFC::String(line));
    return parser.tokens;
}

typedef std::vector<std::string> Tokens;

std::string identifierOf(const char* line, bool* stillExpecting = nullptr)
{
    HostCommandLine commandLine;
    commandLine.ParseCommandLine(QFC::String(line));
    if (stillExpecting)
        *stillExpecting = commandLine.IsExpectingIdentifier();
    return commandLine.ProductIdentifier().textOrEmpty();
}

} // namespace

TEST(ParseCommandLine, SplitsAtEveryDelimiterButVerticalTab)
{
    EXPECT_EQ(Tokens({"a", "b", "c", "d", "e"}), tokensOf("a b\tc\r\nd\fe"));
    EXPECT_EQ(Tokens({"a\vb", "c"}), tokensOf("a\vb c"));
    EXPECT_EQ(Tokens({"\v"}), tokensOf(" \v "));
    EXPECT_EQ(Tokens({"a", "b"}), tokensOf(" \t a \r\n  b \t "));
    EXPECT_EQ(Tokens(), tokensOf(""));
    EXPECT_EQ(Tokens(), tokensOf(" \t\r\n\f"));
    RecordingParser none;
    none.ParseCommandLine(QFC::String());
    EXPECT_TRUE(none.tokens.empty());
}

TEST(ParseCommandLine, SwitchCharacterOnlyAtTokenStart)
{
    EXPECT_EQ(Tokens({"/a", "-b", "+c"}), tokensOf("/a -b +c"));
    EXPECT_EQ(Tokens({"x-y/z+w"}), tokensOf("x-y/z+w"));
    EXPECT_EQ(Tokens({"//x", "-+y"}), tokensOf("//x -+y"));
    // A lone switch character is no token at all.
    EXPECT_EQ(Tokens({"x"}), tokensOf("/ x -"));
    EXPECT_EQ(Tokens({"--"}), tokensOf("--"));
}

TEST(ParseCommandLine, QuotesGroupAndWhollyQuotedTokensKeepTheirBlanks)
{
    EXPECT_EQ(Tokens({"a b"}), tokensOf("\"a b\""));
    EXPECT_EQ(Tokens({"a \t b", "c"}), tokensOf("\"a \t b\" c"));
    EXPECT_EQ(Tokens({"x\"ab\""}), tokensOf("x\"a b\""));
    EXPECT_EQ(Tokens({"\"ab\"c"}), tokensOf("\"a b\"c"));
    EXPECT_EQ(Tokens({"a\"b"}), tokensOf("\"a\"b\""));
    // A quoted switch is a plain token.
    EXPECT_EQ(Tokens({"/GUID"}), tokensOf("\"/GUID\""));
    // A quote after the switch character belongs to the switch's text.
    EXPECT_EQ(Tokens({"/\"ab\""}), tokensOf("/\"a b\""));
}

TEST(ParseCommandLine, AdjacentQuotesGiveAnEmptyToken)
{
    EXPECT_EQ(Tokens({"", "x"}), tokensOf("\"\" x"));
    EXPECT_EQ(Tokens({"a", ""}), tokensOf("a \"\""));
}

TEST(ParseCommandLine, UnclosedQuoteEndsWithTheText)
{
    EXPECT_EQ(Tokens({"a", "\"bcd"}), tokensOf("a \"b c d"));
    EXPECT_EQ(Tokens({"\""}), tokensOf("\""));
    EXPECT_EQ(Tokens({"x\"y"}), tokensOf("x\"y  "));
}

TEST(ParseCommandLine, FalseFromTheHandlerStopsTheParse)
{
    RecordingParser parser(2);
    parser.ParseCommandLine(QFC::String("a /b c d"));
    EXPECT_EQ(Tokens({"a", "/b"}), parser.tokens);
}

TEST(HostCommandLine, GuidSwitchInAnyCaseWithAnySwitchCharacter)
{
    EXPECT_EQ("X", identifierOf("/guid X"));
    EXPECT_EQ("X", identifierOf("-GUID X"));
    EXPECT_EQ("X", identifierOf("+Guid X"));
    EXPECT_EQ("{4C1F}", identifierOf("/gUiD {4C1F}"));
    EXPECT_EQ("", identifierOf("/GUIDS X"));
    EXPECT_EQ("", identifierOf("/GUI X"));
    EXPECT_EQ("", identifierOf("\"/GUID\" X"));
    EXPECT_EQ("", identifierOf("X"));
    EXPECT_EQ("", identifierOf(""));
}

TEST(HostCommandLine, ValueForms)
{
    EXPECT_EQ("a b", identifierOf("/GUID \"a b\""));
    EXPECT_EQ("id", identifierOf("/GUID id  \t "));
    EXPECT_EQ("a\vb", identifierOf("/GUID a\vb"));
    EXPECT_EQ("x\"ab\"", identifierOf("/GUID x\"a b\""));
    EXPECT_EQ("\"abc", identifierOf("/GUID \"a b c"));
    EXPECT_EQ("..\\x", identifierOf("/GUID ..\\x"));
}

TEST(HostCommandLine, WhichValueWins)
{
    bool expecting = false;
    EXPECT_EQ("", identifierOf("/GUID", &expecting));
    EXPECT_TRUE(expecting);
    EXPECT_EQ("a", identifierOf("/GUID a /GUID", &expecting));
    EXPECT_TRUE(expecting);
    EXPECT_EQ("", identifierOf("/GUID a /GUID \"\"", &expecting));
    EXPECT_FALSE(expecting);
    EXPECT_EQ("b", identifierOf("/GUID a /GUID b"));
    EXPECT_EQ("id", identifierOf("/GUID /X id"));
    EXPECT_EQ("a", identifierOf("/GUID a b c"));
    // A value that starts with a switch character is a switch, not the value.
    EXPECT_EQ("", identifierOf("/GUID -abc", &expecting));
    EXPECT_TRUE(expecting);
    EXPECT_EQ("later", identifierOf("/GUID +abc later"));
    EXPECT_EQ("", identifierOf("first /GUID", &expecting));
    EXPECT_TRUE(expecting);
}
