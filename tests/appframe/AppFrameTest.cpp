// The application-framework layer on its own: message maps, registered
// messages, reflection of control colours, the application object.
#include "AfxMessages.h"
#include "CDialog.h"
#include "CStatic.h"
#include "CWinApp.h"
#include "CWnd.h"
#include "DialogTemplate.h"

#include <gtest/gtest.h>

namespace {
// The program-wide application object of these tests: grey dialogs.
CWinApp& TestApp()
{
    static CWinApp app;
    static bool initialised = false;
    if (!initialised) {
        app.SetDialogBkColor(RGB(192, 192, 192), RGB(0, 0, 0));
        initialised = true;
    }
    return app;
}

UINT lateMessage = 0;

class BaseWindow : public CWnd {
public:
    BOOL Create()
    {
        QFC::String windowClass = RegisterWindowClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);
        return CreateEx(0, windowClass.text(), "test", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr);
    }

    int baseCalls = 0;

protected:
    LRESULT OnBaseOnly(WPARAM, LPARAM)
    {
        ++baseCalls;
        return 11;
    }
    LRESULT OnOverridden(WPARAM, LPARAM) { return 12; }
    LRESULT OnCtlColor(WPARAM wParam, LPARAM lParam) { return HandleCtlColor(wParam, lParam); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWindow, CWnd)
    ON_MESSAGE(WM_USER + 1, OnBaseOnly)
    ON_MESSAGE(WM_USER + 2, OnOverridden)
    ON_ALL_CTLCOLOR(OnCtlColor)
END_MESSAGE_MAP()

class DerivedWindow : public BaseWindow {
public:
    int lateCalls = 0;
    int commandCalls = 0;

protected:
    LRESULT OnDerived(WPARAM, LPARAM) { return 22; }
    LRESULT OnLate(WPARAM wParam, LPARAM)
    {
        ++lateCalls;
        return static_cast<LRESULT>(wParam) * 2;
    }
    LRESULT OnCommand7(WPARAM, LPARAM)
    {
        ++commandCalls;
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWindow, BaseWindow)
    ON_MESSAGE(WM_USER + 2, OnDerived)
    ON_REGISTERED_MESSAGE(lateMessage, OnLate)
    ON_COMMAND(7, OnCommand7)
END_MESSAGE_MAP()

// A static that chooses its own colours through reflection.
class RedStatic : public CStatic {
public:
    RedStatic() : brush(::CreateSolidBrush(RGB(255, 0, 0))) {}
    ~RedStatic() override { ::DeleteObject(brush); }
    HBRUSH brush;

protected:
    LRESULT OnReflectedColor(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(brush); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RedStatic, CStatic)
    ON_MESSAGE(WM_REFLECT_BASE + WM_CTLCOLORSTATIC, OnReflectedColor)
END_MESSAGE_MAP()
}

TEST(AppFrame, MessageMapsChainToTheBaseAndReadRegisteredNumbersAtDispatch)
{
    TestApp();
    DerivedWindow window;
    ASSERT_TRUE(window.Create());
    EXPECT_EQ(&window, CWnd::FromHandlePermanent(window.m_hWnd));
    EXPECT_EQ(11, ::SendMessageA(window.m_hWnd, WM_USER + 1, 0, 0)) << "entry of the base class";
    EXPECT_EQ(22, ::SendMessageA(window.m_hWnd, WM_USER + 2, 0, 0)) << "the derived entry comes first";

    // The registered entry's number is only known now, after the map was built.
    ::SendMessageA(window.m_hWnd, WM_NULL, 0, 0);
    EXPECT_EQ(0, window.lateCalls) << "an unregistered (zero) number matches nothing";
    lateMessage = ::RegisterWindowMessageA("AppFrameTests-LateMessage");
    EXPECT_EQ(42, ::SendMessageA(window.m_hWnd, lateMessage, 21, 0));
    EXPECT_EQ(1, window.lateCalls);

    ::SendMessageA(window.m_hWnd, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), 0);
    ::SendMessageA(window.m_hWnd, WM_COMMAND, MAKEWPARAM(7, EN_CHANGE), 0);
    ::SendMessageA(window.m_hWnd, WM_COMMAND, MAKEWPARAM(8, BN_CLICKED), 0);
    EXPECT_EQ(1, window.commandCalls) << "a command entry matches its id and a click only";

    HWND handle = window.m_hWnd;
    EXPECT_TRUE(window.DestroyWindow());
    EXPECT_EQ(nullptr, window.m_hWnd) << "unbound at the last message";
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(handle));
}

TEST(AppFrame, ControlColoursAreReflectedThenProgramWide)
{
    CWinApp& app = TestApp();
    BaseWindow parent;
    ASSERT_TRUE(parent.Create());
    HWND plain = ::CreateWindowExA(0, "STATIC", "plain", WS_CHILD, 0, 0, 50, 20, parent.m_hWnd, nullptr, nullptr, nullptr);
    HWND red = ::CreateWindowExA(0, "STATIC", "red", WS_CHILD, 0, 20, 50, 20, parent.m_hWnd, nullptr, nullptr, nullptr);
    HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 40, 50, 20, parent.m_hWnd, nullptr, nullptr, nullptr);
    RedStatic redStatic;
    ASSERT_TRUE(redStatic.SubclassWindow(red));
    EXPECT_FALSE(redStatic.SubclassWindow(red)) << "a window is bound once";

    HDC dc = ::GetDC(parent.m_hWnd);
    LRESULT reflected = ::SendMessageA(parent.m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(red));
    EXPECT_EQ(reinterpret_cast<LRESULT>(redStatic.brush), reflected);

    LRESULT grey = ::SendMessageA(parent.m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                  reinterpret_cast<LPARAM>(plain));
    HDC probe = ::GetDC(parent.m_hWnd);
    EXPECT_EQ(reinterpret_cast<LRESULT>(app.DialogColors(probe, WM_CTLCOLORSTATIC)), grey);
    EXPECT_EQ(RGB(192, 192, 192), ::GetBkColor(dc));
    EXPECT_EQ(RGB(0, 0, 0), ::GetTextColor(dc));

    LRESULT editBrush = ::SendMessageA(parent.m_hWnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(edit));
    EXPECT_NE(grey, editBrush) << "edit fields keep the platform's colours";
    ::ReleaseDC(parent.m_hWnd, probe);
    ::ReleaseDC(parent.m_hWnd, dc);
    parent.DestroyWindow();
    EXPECT_EQ(nullptr, redStatic.m_hWnd);
}

namespace {
class StartUpApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        ++initCalls;
        m_pMainWnd = &mainWindow;
        created = mainWindow.Create() != FALSE;
        return FALSE;
    }
    int initCalls = 0;
    bool created = false;
    BaseWindow mainWindow;
};
}

TEST(AppFrame, RunApplicationEndsAfterAFalseInitInstance)
{
    CWinApp* before = AfxGetApp();
    {
        StartUpApp app;
        EXPECT_EQ(&app, AfxGetApp());
        EXPECT_FALSE(app.HasHelpFile());
        EXPECT_EQ(0, RunApplication());
        EXPECT_EQ(1, app.initCalls);
        EXPECT_TRUE(app.created);
        EXPECT_EQ(nullptr, app.mainWindow.m_hWnd) << "the main window is destroyed on the exit path";
    }
    EXPECT_EQ(before, AfxGetApp());
}

namespace {
struct MessageBoxProbe {
    HWND box = nullptr;
    LRESULT brush = 0;
    COLORREF background = 0;
    int ticks = 0;
};
MessageBoxProbe* probe = nullptr;

BOOL CALLBACK findBox(HWND window, LPARAM found)
{
    char className[16] = "";
    ::GetClassNameA(window, className, sizeof className);
    if (::lstrcmpA(className, "#32770") != 0 || !::IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// Runs inside the message box's own loop: asks its colours, then closes it.
void CALLBACK inspectMessageBox(HWND, UINT, UINT_PTR, DWORD)
{
    if (!probe || probe->box || ++probe->ticks > 200) return;
    HWND box = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &findBox, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    probe->box = box;
    HWND text = ::GetDlgItem(box, 0xFFFF);
    HDC dc = ::GetDC(box);
    probe->brush = ::SendMessageA(box, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(text));
    probe->background = ::GetBkColor(dc);
    ::ReleaseDC(box, dc);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
}
}

TEST(AppFrame, MessageBoxesPaintInTheProgramsDialogColours)
{
    CWinApp& app = TestApp();
    MessageBoxProbe seen;
    probe = &seen;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 25, &inspectMessageBox);
    int answer = ::MessageBoxA(nullptr, "A test message.", "Kelbrook", MB_OK | MB_ICONHAND);
    ::KillTimer(nullptr, timer);
    probe = nullptr;
    EXPECT_EQ(IDOK, answer);
    ASSERT_NE(nullptr, seen.box) << "the message box was not found";
    HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(reinterpret_cast<LRESULT>(app.DialogColors(screen, WM_CTLCOLORSTATIC)), seen.brush);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(RGB(192, 192, 192), seen.background);
}

TEST(AppFrame, DialogTemplateShorterThanItsHeaderIsRefused)
{
    const struct { UINT id; DWORD bytes; } templates[] = {{990, 17}, {991, 25}};
    for (const auto& t : templates) {
        HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(t.id), MAKEINTRESOURCEA(5));
        ASSERT_NE(nullptr, found);
        ASSERT_EQ(t.bytes, ::SizeofResource(nullptr, found));
        CDialog dialog(t.id);
        EXPECT_FALSE(dialog.Create(nullptr)) << "template " << t.id;
        EXPECT_EQ(nullptr, dialog.m_hWnd);
    }
}

TEST(AppFrame, DialogTemplateHeaderIsReadOnlyWhenItFitsItsOwnLayout)
{
    // The platform reads beyond a short template's end, so only the guard
    // decides; an extended template has version 1 and signature 0xFFFF.
    const BYTE plain[18] = {};
    const BYTE extended[26] = {1, 0, 0xFF, 0xFF};
    const struct { const BYTE* data; DWORD bytes; bool read; } templates[] = {
        {plain, 17, false}, {plain, 18, true}, {extended, 25, false}, {extended, 26, true}, {nullptr, 26, false}};
    DialogTemplateHeader header;
    for (const auto& t : templates)
        EXPECT_EQ(t.read, readDialogTemplateHeader(t.data, t.bytes, header)) << t.bytes << " bytes";
}
