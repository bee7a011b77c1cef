// Wall time of "ZEPHBuy /GUID X" against a minimal program that only loads
// the same library and calls execute. Both are started alternately as child
// processes under the same Wine; the ratio of the medians is printed.
// Usage: BuyHostBench [runs per program]
#include "ChildProcess.h"
#include "TestFiles.h"

#include "Timing.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int DefaultRuns = 15;
const char ProductId[] = "X";
const DWORD PurchasedExitCode = 1;

// Seconds from start to exit of one run; negative when it failed.
double timeRun(const std::string& program, const std::string& arguments)
{
    const double start = now();
    testsupport::ChildProcess child;
    DWORD code = 0;
    if (!child.start(program, arguments) || !child.waitForExit(testsupport::ExitTimeoutMs, code))
        return -1;
    const double elapsed = now() - start;
    return code == PurchasedExitCode ? elapsed : -1;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : DefaultRuns;
    const std::string host = testsupport::windowsPath(ZEPHBUY_PROGRAM);
    const std::string baseline = testsupport::moduleDirectory() + "\\buyhost-baseline";
    const std::string loader = baseline + "\\MinimalLoader.exe";
    const std::string library = baseline + "\\ImmediatePurchase.dll";

    const std::string record = testsupport::windowsDirectory() + "\\Brenvick\\ZEPH\\Info\\" + ProductId;
    if (!testsupport::createDirectories(record) ||
        !testsupport::writeFile(record + "\\PRODUCT.INF", "[PRODUCT]\r\nUI-LIBRARY=" + library + "\r\n")) {
        std::printf("cannot write the product record %s\n", record.c_str());
        return 1;
    }

    std::vector<double> hostTimes;
    std::vector<double> loaderTimes;
    bool failed = false;
    // One warm-up run each, then alternate so both see the same conditions.
    for (int i = -1; i < runs && !failed; ++i) {
        const double h = timeRun(host, std::string("/GUID ") + ProductId);
        const double l = timeRun(loader, library);
        failed = h < 0 || l < 0;
        if (i >= 0) {
            hostTimes.push_back(h);
            loaderTimes.push_back(l);
        }
    }
    testsupport::removeTree(record);
    if (failed) {
        std::printf("a run failed or did not report success\n");
        return 1;
    }

    const double hostMedian = median(hostTimes);
    const double loaderMedian = median(loaderTimes);
    std::printf("runs per program:        %d\n", runs);
    std::printf("ZEPHBuy /GUID X:         %.1f ms (median)\n", hostMedian * 1000);
    std::printf("minimal loader:          %.1f ms (median)\n", loaderMedian * 1000);
    std::printf("ratio host/loader:       %.3f (goal: at most 1.2)\n", hostMedian / loaderMedian);
    return 0;
}
