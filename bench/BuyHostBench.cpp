// Wall time of "ZEPHBuy /GUID <id>" against a minimal program that only
// loads the same library and calls execute. Both are started alternately as
// child processes under the same Wine; the ratio of the medians is printed,
// with the spread of each side's times. The product record is written for an
// identifier of this run's own, so no existing record is touched.
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
// The first starts of a program under Wine are slower than the rest.
const int WarmUpRuns = 3;
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

    const std::string productId = testsupport::uniqueName("{BuyHostBench}");
    const std::string record = testsupport::windowsDirectory() + "\\Brenvick\\ZEPH\\Info\\" + productId;
    if (!testsupport::createDirectories(record) ||
        !testsupport::writeFile(record + "\\PRODUCT.INF", "[PRODUCT]\r\nUI-LIBRARY=" + library + "\r\n")) {
        std::printf("cannot write the product record %s\n", record.c_str());
        return 1;
    }

    std::vector<double> hostTimes;
    std::vector<double> loaderTimes;
    bool failed = false;
    // Warm-up runs first, then alternate so both see the same conditions.
    for (int i = -WarmUpRuns; i < runs && !failed; ++i) {
        const double h = timeRun(host, "/GUID " + productId);
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
    std::printf("runs per program:        %d (after %d warm-up runs)\n", runs, WarmUpRuns);
    std::printf("ZEPHBuy /GUID <id>:      %.1f ms (median; %.1f to %.1f)\n", hostMedian * 1000,
                *std::min_element(hostTimes.begin(), hostTimes.end()) * 1000,
                *std::max_element(hostTimes.begin(), hostTimes.end()) * 1000);
    std::printf("minimal loader:          %.1f ms (median; %.1f to %.1f)\n", loaderMedian * 1000,
                *std::min_element(loaderTimes.begin(), loaderTimes.end()) * 1000,
                *std::max_element(loaderTimes.begin(), loaderTimes.end()) * 1000);
    std::printf("ratio host/loader:       %.3f (goal: at most 1.2)\n", hostMedian / loaderMedian);
    return 0;
}
