#include "CommandLineParser.h"

namespace {

const char Quote = '"';

bool isDelimiter(char c)
{
    // Vertical tab is deliberately an ordinary character.
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool isSwitchCharacter(char c)
{
    return c == '/' || c == '+' || c == '-';
}

} // namespace

void CommandLineParser::ParseCommandLine(const QFC::String& text)
{
    const int length = text.length();
    QFC::String token;
    int tokenStart = 0;
    bool atTokenStart = true;
    bool isSwitch = false;
    char switchCharacter = 0;
    bool inQuotes = false;
    bool openedByQuote = false;
    int lastInnerQuote = -1;

    for (int i = 0; i <= length; ++i) {
        const bool atEnd = i == length;
        const char c = atEnd ? 0 : text.at(i);
        if (!atEnd) {
            if (c == Quote) {
                inQuotes = !inQuotes;
                token.append(c);
                if (atTokenStart)
                    openedByQuote = true;
                else
                    lastInnerQuote = i;
                atTokenStart = false;
                continue;
            }
            if (atTokenStart && isSwitchCharacter(c)) {
                isSwitch = true;
                switchCharacter = c;
                tokenStart = i + 1;
                atTokenStart = false;
                continue;
            }
            if (!isDelimiter(c)) {
                token.append(c);
                atTokenStart = false;
                continue;
            }
            if (inQuotes) {
                atTokenStart = false;
                continue;
            }
        }

        // A delimiter outside quotes, or the end of the text, ends the token.
        // A wholly quoted token is taken from the line itself so that the
        // blanks inside the quotes survive.
        if (openedByQuote && lastInnerQuote >= 0 && lastInnerQuote == i - 1)
            token = text.mid(tokenStart + 1, lastInnerQuote - tokenStart - 1);
        if (i - tokenStart >= 1 && !HandleParameter(token, isSwitch, switchCharacter))
            return;
        token.clear();
        atTokenStart = true;
        isSwitch = false;
        switchCharacter = 0;
        inQuotes = false;
        openedByQuote = false;
        lastInnerQuote = -1;
        if (atEnd)
            return;

        int next = i + 1;
        while (next < length && isDelimiter(text.at(next)))
            ++next;
        if (next == length)
            return;
        tokenStart = next;
        i = next - 1;
    }
}
