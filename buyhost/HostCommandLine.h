#ifndef BUYHOST_HOSTCOMMANDLINE_H
#define BUYHOST_HOSTCOMMANDLINE_H

#include "CommandLineParser.h"

// The host's command line: the first plain token after the switch GUID (any
// letter case) is the product identifier; every other token is ignored.
class HostCommandLine : public CommandLineParser {
public:
    HostCommandLine() : expectingIdentifier(false) {}

    // Never stops the parse.
    bool HandleParameter(const QFC::String& token, bool isSwitch, char switchCharacter) override;

    // Exactly as the command line gave it; empty when no GUID value came.
    const QFC::String& ProductIdentifier() const { return productIdentifier; }
    bool IsExpectingIdentifier() const { return expectingIdentifier; }

private:
    bool expectingIdentifier;
    QFC::String productIdentifier;
};

#endif
