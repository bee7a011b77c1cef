// Times Kelbrook's copy run (from Next on the disk page to the final page)
// of a product folder of 50 files, 1 MB in all, against copying the same
// files with CopyFileA in a plain loop, in one run under the same Wine, and
// prints the ratio. Drive A: must point at a folder (scripts/bench.sh).
#include "ChildProcess.h"
#include "CustomerId.h"
#include "TestFiles.h"
#include "WindowDriver.h"

#include "Timing.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const char ProductId[] = "{BE9C0000-0000-4000-8000-0000C0FFEE50}";
const int Files = 50;
const int FileBytes = 1024 * 1024 / Files;
const int Rounds = 5;
const UINT NextButton = 101, FinishButton = 102;
const int MessageText = 1000;
const char Complete[] = "Creation of the Kelbrook is complete.";
const char InsertDisk[] = "Please insert";

std::string message(HWND sheet)
{
    HWND text = testsupport::visibleControl(sheet, MessageText);
    return text ? testsupport::windowText(text) : std::string();
}

// Looks every 5 ms: each look is a message the wizard's own thread must
// answer, so looking more often slows the run being measured.
bool waitForMessage(HWND sheet, const char* prefix)
{
    DWORD deadline = ::GetTickCount() + 60000;
    while (::GetTickCount() < deadline && ::IsWindow(sheet)) {
        if (message(sheet).compare(0, strlen(prefix), prefix) == 0)
            return true;
        ::Sleep(5);
    }
    return false;
}

HWND wizardWindow(const testsupport::ChildProcess& child)
{
    DWORD deadline = ::GetTickCount() + testsupport::WindowTimeoutMs;
    while (::GetTickCount() < deadline && child.isRunning()) {
        for (HWND w : testsupport::topLevelWindows(child.id())) {
            char name[64] = {};
            ::GetClassNameA(w, name, sizeof name);
            if (std::string(name) != testsupport::DialogClass)
                return w;
        }
        ::Sleep(testsupport::PollIntervalMs);
    }
    return nullptr;
}

// Seconds of one copy run of the wizard, or a negative number on failure.
double wizardRun(const std::string& windows)
{
    testsupport::ChildProcess child;
    if (!child.start(windows + "\\Kelbrook.exe", std::string("/CREATE /GUID=") + ProductId))
        return -1;
    HWND sheet = wizardWindow(child);
    if (!sheet)
        return -1;
    ::PostMessageA(::GetDlgItem(sheet, NextButton), BM_CLICK, 0, 0);
    if (!waitForMessage(sheet, InsertDisk))
        return -1;
    // The end shows as the Finish button appearing: its visibility is read
    // without asking the wizard's thread anything, so the run is not slowed.
    HWND finish = ::GetDlgItem(sheet, FinishButton);
    double start = now();
    ::PostMessageA(::GetDlgItem(sheet, NextButton), BM_CLICK, 0, 0);
    DWORD deadline = ::GetTickCount() + 60000;
    while (!::IsWindowVisible(finish) && ::GetTickCount() < deadline)
        ::Sleep(1);
    double elapsed = now() - start;
    if (!waitForMessage(sheet, Complete))
        return -1;
    ::PostMessageA(::GetDlgItem(sheet, FinishButton), BM_CLICK, 0, 0);
    DWORD code = 0;
    child.waitForExit(testsupport::ExitTimeoutMs, code);
    return elapsed;
}

// The same files copied with CopyFileA, and the receipt written.
double plainRun(const std::vector<std::pair<std::string, std::string>>& copies)
{
    double start = now();
    ::CreateDirectoryA("A:\\ENF", nullptr);
    for (const auto& c : copies)
        if (!::CopyFileA(c.first.c_str(), c.second.c_str(), FALSE))
            return -1;
    ::WritePrivateProfileStringA("CUSTOMER-INFO", "ID", "CUST-BENCH", "A:\\DATA.INF");
    ::WritePrivateProfileStringA("PRODUCT-INFO", "ID", ProductId, "A:\\DATA.INF");
    ::WritePrivateProfileStringA("TXN-INFO", "TXN", "TXN-BENCH", "A:\\DATA.INF");
    return now() - start;
}

void emptyDisk()
{
    testsupport::removeTree("A:\\ENF");
    ::DeleteFileA("A:\\Kelbrook.exe");
    ::DeleteFileA("A:\\ZEPHAPI.DLL");
    ::DeleteFileA("A:\\DATA.INF");
}

} // namespace

int main()
{
    std::string windows = testsupport::windowsDirectory();
    std::string system = testsupport::systemDirectory();
    std::string product = windows + "\\Brenvick\\ZEPH\\Info\\" + ProductId;
    std::string beside = testsupport::moduleDirectory() + "\\copy-run";
    testsupport::removeTree(product);
    testsupport::createDirectories(product);
    std::vector<std::pair<std::string, std::string>> copies = {
        {windows + "\\Kelbrook.exe", "A:\\Kelbrook.exe"}, {system + "\\ZEPHAPI.DLL", "A:\\ZEPHAPI.DLL"}};
    if (!::CopyFileA((beside + "\\Kelbrook.exe").c_str(), copies[0].first.c_str(), FALSE) ||
        !::CopyFileA((beside + "\\ZEPHAPI.DLL").c_str(), copies[1].first.c_str(), FALSE) ||
        !testsupport::writeFile(product + "\\PRODUCT.INF", "[PRODUCT]\r\nZEPH-Receipt-TxN=TXN-BENCH\r\n")) {
        std::printf("the machine could not be prepared\n");
        return 1;
    }
    copies.push_back({product + "\\PRODUCT.INF", "A:\\ENF\\PRODUCT.INF"});
    for (int i = 1; i < Files; ++i) {
        char name[32];
        std::sprintf(name, "\\FILE%02d.DAT", i);
        testsupport::writeFile(product + name, std::string(FileBytes, static_cast<char>('a' + i % 26)));
        copies.push_back({product + name, std::string("A:\\ENF") + name});
    }
    testsupport::setCustomerId("CUST-BENCH");

    std::vector<double> wizard, plain;
    for (int r = 0; r < Rounds; ++r) {
        emptyDisk();
        double w = wizardRun(windows);
        emptyDisk();
        double p = plainRun(copies);
        if (w < 0 || p < 0) {
            std::printf("round %d failed (wizard %.3f s, plain %.3f s)\n", r + 1, w, p);
            return 1;
        }
        wizard.push_back(w);
        plain.push_back(p);
    }
    double w = median(wizard), p = median(plain);
    std::printf("copy run of 2 program files and %d product files (1 MB), median of %d\n", Files, Rounds);
    std::printf("Kelbrook copy page %8.1f ms   CopyFileA loop %8.1f ms   ratio %.2f\n", w * 1e3, p * 1e3, w / p);
    emptyDisk();
    testsupport::removeTree(product);
    return 0;
}
