#include "WizardTestSupport.h"


#include <cstdio>
#include <cstdlib>
#include <string>

CWinApp& TestApp()
{
    static CWinApp app;
    static bool initialised = false;
    if (!initialised) {
        app.SetDialogBkColor(RGB(192, 192, 192), RGB(0, 0, 0));
        app.m_pszHelpFilePath = nullptr;
        initialised = true;
    }
    return app;
}

namespace {
// Under Wine without a window manager nobody draws the frames of top-level
// windows that Wine leaves to the window manager. For screenshots, this test
// program asks Wine to draw them itself, before its first window exists.
struct DrawOwnFramesForScreenshots {
    DrawOwnFramesForScreenshots()
    {
        const char* folder = std::getenv("WIZARD_SCREENSHOT_DIR");
        if (!folder || !*folder) return;
        HKEY key;
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\WizardTests.exe\\X11 Driver", 0,
                              nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        ::RegSetValueExA(key, "Decorated", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
        ::RegCloseKey(key);
    }
} drawOwnFrames;

// Every step waits for the sheet to be shown; the whole run is bounded.
const UINT tickMilliseconds = 25;
const int ticksAfterSteps = 200;
const int ticksBeforeShown = 400;

struct Driver {
    QFXWizardSheet* sheet;
    std::vector<std::function<void()>> steps;
    size_t next;
    int idleTicks;
    bool timedOut;
};
Driver* activeDriver = nullptr;

void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD)
{
    Driver& d = *activeDriver;
    if (!d.sheet->m_hWnd) return;
    bool shown = ::IsWindowVisible(d.sheet->m_hWnd) != 0;
    if (shown && d.next < d.steps.size()) {
        // A step may end the loop; the step object stays alive meanwhile.
        std::function<void()>& step = d.steps[d.next++];
        step();
        return;
    }
    if (++d.idleTicks > (shown ? ticksAfterSteps : ticksBeforeShown)) {
        if (shown)
            std::printf("RunDriven: the sheet was still open %u ms after step %u of %u; cancelled\n",
                        ticksAfterSteps * tickMilliseconds, unsigned(d.next), unsigned(d.steps.size()));
        else
            std::printf("RunDriven: waited %u ms for the sheet to be shown; cancelled\n",
                        ticksBeforeShown * tickMilliseconds);
        d.timedOut = true;
        d.sheet->EndWizard(2);
    }
}
}

int RunDriven(QFXWizardSheet& sheet, std::vector<std::function<void()>> steps, bool* timedOut)
{
    TestApp();
    Driver driver = {&sheet, std::move(steps), 0, 0, false};
    activeDriver = &driver;
    UINT_PTR timer = ::SetTimer(nullptr, 0, tickMilliseconds, &tick);
    int result = sheet.DoModal();
    ::KillTimer(nullptr, timer);
    activeDriver = nullptr;
    if (!driver.timedOut && driver.next < driver.steps.size())
        std::printf("RunDriven: the sheet ended with %u of %u steps run\n", unsigned(driver.next),
                    unsigned(driver.steps.size()));
    if (timedOut) *timedOut = driver.timedOut || driver.next < driver.steps.size();
    return result;
}

BusyEvent::BusyEvent(DWORD timeoutMs)
    : event_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)), stop_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      thread_(nullptr), timeoutMs_(timeoutMs), bitten_(0)
{
    thread_ = ::CreateThread(nullptr, 0, &BusyEvent::watch, this, 0, nullptr);
}

BusyEvent::~BusyEvent()
{
    ::SetEvent(stop_);
    if (thread_) {
        ::WaitForSingleObject(thread_, INFINITE);
        ::CloseHandle(thread_);
    }
    ::CloseHandle(stop_);
    ::CloseHandle(event_);
}

DWORD WINAPI BusyEvent::watch(void* param)
{
    BusyEvent* self = static_cast<BusyEvent*>(param);
    HANDLE either[] = {self->stop_, self->event_};
    if (::WaitForMultipleObjects(2, either, FALSE, self->timeoutMs_) == WAIT_TIMEOUT) {
        std::printf("BusyEvent: the test left its page busy for %lu ms; set by the watchdog\n", self->timeoutMs_);
        ::InterlockedExchange(&self->bitten_, 1);
        ::SetEvent(self->event_);
    }
    return 0;
}

BOOL TestMessagePage::OnSetActive()
{
    if (!MessagePage::OnSetActive()) return FALSE;
    if (refuse) return FALSE;
    ++setActiveCalls;
    SetBitmap(TestPictureId);
    SetMessageText(text);
    GetSheet()->SetWizardButtons(buttons);
    return TRUE;
}

BOOL TestMessagePage::OnKillActive()
{
    return allowLeave && MessagePage::OnKillActive();
}

int TestMessagePage::OnWizardNext()
{
    ++nextCalls;
    if (jumpOnNext >= 0) GetSheet()->SetActivePage(jumpOnNext);
    return nextResult;
}

int TestMessagePage::OnWizardBack()
{
    return backResult;
}

int TestMessagePage::OnWizardFinish()
{
    return finishResult;
}

BOOL TestProgressPage::OnSetActive()
{
    if (!ProgressPage::OnSetActive()) return FALSE;
    SetBitmap(TestPictureId);
    SetHeaderText("This portion of the wizard is copying the files that the test needs.");
    SetOperationText("Copying file: C:\\WINDOWS\\SYSTEM\\EXAMPLE.DLL");
    SetRange(0, 10);
    SetPos(5);
    GetSheet()->SetWizardButtons(buttons);
    return TRUE;
}

void Click(QFXWizardSheet& sheet, UINT id)
{
    ::SendMessageA(sheet.GetButton(id), BM_CLICK, 0, 0);
}

bool IsShown(HWND window)
{
    return window && (::GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE);
}

bool IsEnabled(HWND window)
{
    return window && ::IsWindowEnabled(window);
}

void PostKey(HWND window, UINT virtualKey)
{
    UINT scan = ::MapVirtualKeyA(virtualKey, 0);
    ::PostMessageA(window, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    ::PostMessageA(window, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000);
}

RECT RectIn(HWND window, HWND parent)
{
    RECT r;
    ::GetWindowRect(window, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void SaveScreenshot(QFXWizardSheet& sheet, const char* name)
{
    const char* folder = std::getenv("WIZARD_SCREENSHOT_DIR");
    if (!folder || !*folder) return;
    ::RedrawWindow(sheet.m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r;
    ::GetWindowRect(sheet.m_hWnd, &r);
    int width = r.right - r.left;
    int height = r.bottom - r.top;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HBITMAP shot = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(memory, shot);
    HDC window = ::GetWindowDC(sheet.m_hWnd);
    ::BitBlt(memory, 0, 0, width, height, window, 0, 0, SRCCOPY);
    ::ReleaseDC(sheet.m_hWnd, window);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);

    int stride = ((width * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + stride * height;
    std::string path = std::string(folder) + "\\" + name + ".bmp";
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
        std::fwrite(bits, stride, height, out);
        std::fclose(out);
    }
    ::DeleteObject(shot);
}
