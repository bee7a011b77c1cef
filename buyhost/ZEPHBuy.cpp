// The purchasing-agent host: runs a product's purchasing library and turns
// its answer into the exit code. It has no window of its own.
#include "HostCommandLine.h"
#include "PurchasingInterface.h"

#include <windows.h>

namespace {
const int ExitPurchased = 1;
const int ExitNotPurchased = 0;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int)
{
    HostCommandLine commandLine;
    {
        QFC::String argumentText(arguments);
        commandLine.ParseCommandLine(argumentText);
    }
    QFC::String productIdentifier = commandLine.ProductIdentifier();
    return RunPurchasingInterface(productIdentifier) ? ExitPurchased : ExitNotPurchased;
}
