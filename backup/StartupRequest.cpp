#include "StartupRequest.h"

namespace {
const char CreateKey[] = "/CREATE";
const char GuidKey[] = "/GUID=";
const int GuidKeyLength = sizeof(GuidKey) - 1;
}

StartupRequest AnalyseCommandLine(QFC::String commandText)
{
    StartupRequest request;
    request.backup = false;
    request.identifierGiven = false;
    commandText.makeUpper();
    if (commandText.find(CreateKey) < 0)
        return request;
    request.backup = true;
    int key = commandText.find(GuidKey);
    if (key < 0)
        return request;
    request.identifierGiven = true;
    QFC::String identifier = commandText.right(commandText.length() - key - GuidKeyLength);
    int blank = identifier.find(' ');
    request.productIdentifier = blank < 0 ? identifier : identifier.left(blank);
    return request;
}
