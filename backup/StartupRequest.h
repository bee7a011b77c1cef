#ifndef BACKUP_STARTUPREQUEST_H
#define BACKUP_STARTUPREQUEST_H

#include "String.h"

// What the command line asks of the program, decided without any window.
struct StartupRequest {
    bool backup;                    // "/CREATE" anywhere in the upper-cased text
    bool identifierGiven;           // backup only: "/GUID=" present
    QFC::String productIdentifier;  // backup only: after "/GUID=" up to the first space
};

// Upper-cases a copy of the command-line tail and searches it for the two
// keys by plain substring search; no tokens, no quotes, any order.
StartupRequest AnalyseCommandLine(QFC::String commandText);

#endif
