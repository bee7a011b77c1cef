#include "WindowDriver.h"

#include <cstdio>
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
        if (!child.isRunning() || ::GetTickCount() - start >= timeoutMs) {
            std::printf("waited %lu ms for a window of class %s of process %lu; %s\n", ::GetTickCount() - start,
                        className ? className : "any", child.id(),
                        child.isRunning() ? "none came" : "the process ended first");
            return nullptr;
        }
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
        if (::GetTickCount() - start >= timeoutMs) {
            std::printf("waited %lu ms for window %p to go; it is still there\n", timeoutMs,
                        static_cast<void*>(window));
            return false;
        }
        ::Sleep(PollIntervalMs);
    }
    return true;
}

std::string windowText(HWND window)
{
    DWORD_PTR length = 0;
    if (!window || !::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, SendTimeoutMs, &length))
        return std::string();
    std::vector<char> text(length + 1, 0);
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                               SMTO_NORMAL, SendTimeoutMs, &copied))
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

namespace {

BOOL CALLBACK findIconControl(HWND window, LPARAM context)
{
    if ((::GetWindowLongA(window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && hasClass(window, "Static")) {
        *reinterpret_cast<HWND*>(context) = window;
        return FALSE;
    }
    return TRUE;
}

// A 32-bit top-down DIB section of width x height selected into its own DC.
class PixelCanvas {
public:
    PixelCanvas(int width, int height) : dc(::CreateCompatibleDC(nullptr)), bits(nullptr), old(nullptr)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        if (bitmap)
            old = ::SelectObject(dc, bitmap);
        count = bitmap ? width * height : 0;
    }
    ~PixelCanvas()
    {
        if (old)
            ::SelectObject(dc, old);
        if (bitmap)
            ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    HDC context() const { return dc; }
    bool ready() const { return bits != nullptr; }
    std::vector<COLORREF> pixels() const
    {
        std::vector<COLORREF> rgb;
        for (int i = 0; i < count; ++i)
            rgb.push_back(RGB((bits[i] >> 16) & 0xFF, (bits[i] >> 8) & 0xFF, bits[i] & 0xFF));
        return rgb;
    }

private:
    HDC dc;
    HBITMAP bitmap;
    DWORD* bits;
    HGDIOBJ old;
    int count;
};

} // namespace

HWND iconControl(HWND dialog)
{
    HWND found = nullptr;
    ::EnumChildWindows(dialog, findIconControl, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool screenPixels(HWND window, std::vector<COLORREF>& pixels, int& width, int& height)
{
    RECT client = {};
    POINT origin = {0, 0};
    if (!::GetClientRect(window, &client) || !::ClientToScreen(window, &origin))
        return false;
    width = client.right;
    height = client.bottom;
    if (width <= 0 || height <= 0)
        return false;
    PixelCanvas canvas(width, height);
    HDC screen = ::GetDC(nullptr);
    bool copied = canvas.ready() && ::BitBlt(canvas.context(), 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    if (copied)
        pixels = canvas.pixels();
    return copied;
}

std::vector<COLORREF> iconPixels(HICON icon, int width, int height, COLORREF background)
{
    PixelCanvas canvas(width, height);
    if (!canvas.ready())
        return std::vector<COLORREF>();
    HBRUSH brush = ::CreateSolidBrush(background);
    RECT all = {0, 0, width, height};
    ::FillRect(canvas.context(), &all, brush);
    ::DeleteObject(brush);
    ::DrawIconEx(canvas.context(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    return canvas.pixels();
}

namespace {

struct ControlSearch {
    int id;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK findControl(HWND window, LPARAM param)
{
    ControlSearch* search = reinterpret_cast<ControlSearch*>(param);
    if (::GetDlgCtrlID(window) == search->id && (!search->visibleOnly || ::IsWindowVisible(window))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND controlBelow(HWND window, int controlId, bool visibleOnly)
{
    ControlSearch search = {controlId, visibleOnly, nullptr};
    if (window)
        ::EnumChildWindows(window, findControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

bool wizardWaitsForUser(HWND sheet)
{
    for (const WizardButton& b : WizardButtons) {
        HWND button = ::GetDlgItem(sheet, b.id);
        if (button && ::IsWindowVisible(button) && ::IsWindowEnabled(button))
            return true;
    }
    return false;
}

HWND visibleControl(HWND window, int controlId)
{
    return controlBelow(window, controlId, true);
}

HWND anyControl(HWND window, int controlId)
{
    return controlBelow(window, controlId, false);
}

} // namespace testsupport
