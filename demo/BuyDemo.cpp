// Runs ZEPHBuy for a product the way an unattended demo must: starts the
// host, answers the purchasing library's question with the given button,
// and prints what the user would have seen and the host's exit code.
#include "ChildProcess.h"
#include "WindowDriver.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::printf("usage: BuyDemo <path of ZEPHBuy.exe> <product id> <Yes|No>\n");
        return 2;
    }
    const std::string host = argv[1];
    const std::string productId = argv[2];
    const std::string answer = argv[3];

    testsupport::ChildProcess child;
    if (!child.start(host, "/GUID \"" + productId + "\"")) {
        std::printf("%s could not be started\n", host.c_str());
        return 1;
    }
    HWND question = testsupport::waitForMessageBox(child, testsupport::WindowTimeoutMs);
    if (!question) {
        std::printf("no window appeared\n");
        return 1;
    }
    std::printf("window \"%s\": %s\n", testsupport::windowText(question).c_str(),
                testsupport::messageBoxText(question).c_str());
    if (!testsupport::pressButton(question, answer)) {
        std::printf("the window has no button %s\n", answer.c_str());
        return 1;
    }
    std::printf("pressed %s\n", answer.c_str());
    DWORD exitCode = 0;
    if (!child.waitForExit(testsupport::ExitTimeoutMs, exitCode)) {
        std::printf("ZEPHBuy did not end; stopped\n");
        return 1;
    }
    std::printf("ZEPHBuy ended with exit code %lu\n", exitCode);
    return 0;
}
