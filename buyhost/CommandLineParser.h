#ifndef BUYHOST_COMMANDLINEPARSER_H
#define BUYHOST_COMMANDLINEPARSER_H

#include "String.h"

// Splits a command line into tokens and hands each to HandleParameter.
// Switches start with '/', '+' or '-'; quotes group text that holds blanks.
class CommandLineParser {
public:
    CommandLineParser() = default;
    virtual ~CommandLineParser() = default;
    CommandLineParser(const CommandLineParser&) = delete;
    CommandLineParser& operator=(const CommandLineParser&) = delete;

    // Called once per token; isSwitch tells whether switchCharacter introduced
    // it (the character is not part of token; 0 for a plain token). False
    // stops the parse.
    virtual bool HandleParameter(const QFC::String& token, bool isSwitch, char switchCharacter) = 0;

    // Walks text once and never fails; an unclosed quote ends at the end of
    // the text, and the open token is handed over as gathered so far.
    void ParseCommandLine(const QFC::String& text);
};

#endif
