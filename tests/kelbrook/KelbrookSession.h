#ifndef TESTS_KELBROOK_KELBROOKSESSION_H
#define TESTS_KELBROOK_KELBROOKSESSION_H

#include "ChildProcess.h"

#include <windows.h>

#include <string>

// A machine prepared for the wizard program and one run of it, driven
// through its windows: the program in the Windows directory, the stand-in
// product-information library in the system directory, a product folder with
// its record, a customer identifier, and drive A: on a folder of the test.
class KelbrookMachine {
public:
    static const char ProductId[];

    KelbrookMachine();
    ~KelbrookMachine();

    std::string windowsDirectory() const { return windows; }
    std::string systemDirectory() const { return system; }
    std::string productFolder() const { return product; }
    // The folder behind drive A:; removing it takes the disk out.
    std::string disk() const { return floppy; }
    bool ready() const { return ready_; }

    // Inserts an empty, formatted disk.
    void insertEmptyDisk();
    void removeDisk();

private:
    std::string windows, system, product, floppy;
    bool ready_;
};

// One run of a program with a wizard window. A wait that gives up says on
// the test's output what it waited for and what it saw.
class WizardRun {
public:
    // Starts program with arguments; waits for its first window.
    bool start(const std::string& program, const std::string& arguments);
    // Empty while the program is worth starting; else why not: it showed
    // nothing in the last two runs of this test program, so that the cases
    // left would each wait their full time for windows that never come.
    static std::string whyNotStart();

    HWND window() const { return sheet; }
    testsupport::ChildProcess& process() { return child; }
    std::string caption() const;
    // The text of the visible control id of the current page.
    std::string pageText(int controlId) const;
    // Waits until the visible message (or operation) text starts with prefix;
    // gives up early when the program ends or settles on another text
    // (testsupport::waitForWizardText).
    bool waitForPageText(int controlId, const std::string& prefix, DWORD timeoutMs);
    // The sheet's button with id: shown and enabled states.
    bool buttonVisible(UINT id) const;
    bool buttonEnabled(UINT id) const;
    // Clicks the sheet's button with id the way a mouse click does.
    bool press(UINT id);
    // True when the program ended within the bound with exit code 0.
    bool endsWithCodeZero();

private:
    void noteShown(bool shown, const std::string& why);

    testsupport::ChildProcess child;
    HWND sheet = nullptr;
};

#endif
