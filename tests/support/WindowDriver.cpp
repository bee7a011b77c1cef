#include "WindowDriver.h"

#include <cstring>

namespace testsupport {

namespace {

const char ButtonClass[] = "Button";
const int ClassNameSize = 256;

struct WindowSearch {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
};

bool hasClass(HWND window, const char* className)
{
    char name[ClassNameSize] = {};
    ::GetClassNameA(window, name, ClassNameSize);
    return std::strcmp(name, className) == 0;
}

BOOL CALLBACK collectTopLevel(HWND window, LPARAM context)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && ::IsWindowVisible(window) &&
        (!search->className || hasClass(window, search->className)))
        search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK collectButtons(HWND window, LPARAM context)
{
    if (hasClass(window, ButtonClass))
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

std::vector<HWND> buttonsOf(HWND dialog)
{
    std::vector<HWND> buttons;
    ::EnumChildWindows(dialog, collectButtons, reinterpret_cast<LPARAM>(&buttons));
    return buttons;
}

std::string withoutAccelerators(const std::string& text)
{
    std::string plain;
    for (char c : text) {
        if (c != '&')
            plain += c;
    }
    return plain;
}

} // namespace

std::vector<HWND> topLevelWindows(DWORD processId, const char* className)
{
    WindowSearch search = {processId, className, {}};
    ::EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForTopLevelWindow(const ChildProcess& child, const char* className, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        std::vector<HWND> windows = topLevelWindows(child.id(), className);
        if (!windows.empty())
            return windows.front();
        if (!child.isRunning() || ::GetTickCount() - start >= timeoutMs)
            return nullptr;
        ::Sleep(PollIntervalMs);
    }
}

HWND waitForMessageBox(const ChildProcess& child, DWORD timeoutMs)
{
    return waitForTopLevelWindow(child, DialogClass, timeoutMs);
}

bool waitForWindowGone(HWND window, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (::IsWindow(window)) {
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::Sleep(PollIntervalMs);
    }
    return true;
}

std::string windowText(HWND window)
{
    DWORD_PTR length = 0;
    if (!window || !::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, SendTimeoutMs, &length))
        return std::string();
    std::vector<char> text(length + 1, 0);
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                               SMTO_ABORTIFHUNG, SendTimeoutMs, &copied))
        return std::string();
    return std::string(text.data(), copied < length ? copied : length);
}

std::string messageBoxText(HWND box)
{
    HWND text = ::GetDlgItem(box, MessageBoxTextId);
    return text ? windowText(text) : std::string();
}

std::vector<std::string> buttonTexts(HWND dialog)
{
    std::vector<std::string> texts;
    for (HWND button : buttonsOf(dialog))
        texts.push_back(withoutAccelerators(windowText(button)));
    return texts;
}

bool pressButton(HWND dialog, const std::string& text)
{
    for (HWND button : buttonsOf(dialog)) {
        if (withoutAccelerators(windowText(button)) == text) {
            const int id = ::GetDlgCtrlID(button);
            return ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                  reinterpret_cast<LPARAM>(button)) != FALSE;
        }
    }
    return false;
}

} // namespace testsupport
