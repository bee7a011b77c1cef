#ifndef TESTSUPPORT_CHILDPROCESS_H
#define TESTSUPPORT_CHILDPROCESS_H

// Test support: drives a deliverable from an end-to-end test.
//
//   testsupport::ChildProcess child;
//   ASSERT_TRUE(child.start(programPath, "/GUID abc"));
//   HWND box = testsupport::waitForMessageBox(child, testsupport::WindowTimeoutMs);
//   EXPECT_EQ("ZEPHBuy", testsupport::windowText(box));
//   EXPECT_TRUE(testsupport::pressButton(box, "OK"));
//   DWORD code = 0;
//   ASSERT_TRUE(child.waitForExit(testsupport::ExitTimeoutMs, code));
//
// Every wait is bounded; a child that is still running when its
// ChildProcess goes away is killed, so a failed assertion never leaves a
// hung program behind. Window functions are in WindowDriver.h, paths and files in TestFiles.h.

#include <windows.h>

#include <string>

namespace testsupport {

// Generous bounds: under an emulated Wine a program needs seconds to start.
const DWORD WindowTimeoutMs = 30000;
const DWORD ExitTimeoutMs = 30000;
// Bounded waits look again after this many milliseconds.
const DWORD PollIntervalMs = 20;
// The exit code kill() gives a child.
const UINT KilledExitCode = 0xDEAD;

// One child process started with CreateProcessA; owns its handles.
class ChildProcess {
public:
    ChildProcess();
    // Kills the child if it is still running.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts program (a Windows path) with arguments after its quoted name,
    // in workingDirectory (empty: the caller's). False when CreateProcessA
    // fails or a child is already held.
    bool start(const std::string& program, const std::string& arguments,
               const std::string& workingDirectory = std::string());

    // True when the child ended within timeoutMs; exitCode then holds its
    // exit code. False (exitCode untouched) on time-out or with no child.
    bool waitForExit(DWORD timeoutMs, DWORD& exitCode);

    // Ends a running child (KilledExitCode) and waits a bounded time for it
    // to go. Does nothing without a child or after it ended.
    void kill();

    // True while the started child has not ended.
    bool isRunning() const;

    // The child's process id, 0 without a child.
    DWORD id() const { return processId; }
    HANDLE handle() const { return process; }

private:
    HANDLE process;
    DWORD processId;
};

} // namespace testsupport

#endif
