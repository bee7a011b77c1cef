#include "ChildProcess.h"

#include <cstdio>
#include <vector>

namespace testsupport {

ChildProcess::ChildProcess() : process(nullptr), processId(0) {}

ChildProcess::~ChildProcess()
{
    kill();
    if (process)
        ::CloseHandle(process);
}

bool ChildProcess::start(const std::string& program, const std::string& arguments,
                         const std::string& workingDirectory)
{
    if (process)
        return false;
    std::string line = "\"" + program + "\"";
    if (!arguments.empty())
        line += " " + arguments;
    // CreateProcessA may write into the command line.
    std::vector<char> writable(line.begin(), line.end());
    writable.push_back(0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessA(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup, &info))
        return false;
    ::CloseHandle(info.hThread);
    process = info.hProcess;
    processId = info.dwProcessId;
    return true;
}

bool ChildProcess::waitForExit(DWORD timeoutMs, DWORD& exitCode)
{
    if (!process)
        return false;
    if (::WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0) {
        std::printf("waited %lu ms for process %lu to end; it still runs\n", timeoutMs, processId);
        return false;
    }
    DWORD code = 0;
    if (!::GetExitCodeProcess(process, &code))
        return false;
    exitCode = code;
    return true;
}

void ChildProcess::kill()
{
    if (!isRunning())
        return;
    ::TerminateProcess(process, KilledExitCode);
    ::WaitForSingleObject(process, ExitTimeoutMs);
}

bool ChildProcess::isRunning() const
{
    return process && ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

} // namespace testsupport
