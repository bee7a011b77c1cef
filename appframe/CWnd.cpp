#include "CWnd.h"

#include "AfxMessages.h"
#include "CWinApp.h"


namespace {
const char* const boundProperty = "AppFrame.CWnd";
}

CWnd::~CWnd()
{
    if (m_hWnd && ::IsWindow(m_hWnd)) DestroyWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND window)
{
    return window ? static_cast<CWnd*>(::GetPropA(window, boundProperty)) : nullptr;
}

QFC::String CWnd::RegisterWindowClass(UINT style, HCURSOR cursor, HBRUSH background, HICON icon)
{
    // The class name encodes the attributes, so equal requests share a class.
    char name[80];
    ::wsprintfA(name, "AppFrame:%x:%p:%p:%p", style, static_cast<void*>(cursor), static_cast<void*>(background),
                static_cast<void*>(icon));
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (::GetClassInfoA(instance, name, &existing)) return QFC::String(name);
    WNDCLASSA wc = {};
    wc.style = style;
    wc.lpfnWndProc = &CWnd::StaticWndProc;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    return ::RegisterClassA(&wc) ? QFC::String(name) : QFC::String();
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU idOrMenu)
{
    if (m_hWnd || !className) return FALSE;
    HWND window = ::CreateWindowExA(exStyle, className, windowName, style, x, y, width, height, parent, idOrMenu,
                                    ::GetModuleHandleA(nullptr), this);
    if (!window) {
        m_hWnd = nullptr;
        return FALSE;
    }
    return TRUE;
}

void CWnd::Attach(HWND window)
{
    m_hWnd = window;
    ::SetPropA(window, boundProperty, this);
}

void CWnd::Detach()
{
    if (m_hWnd) ::RemovePropA(m_hWnd, boundProperty);
    m_hWnd = nullptr;
}

BOOL CWnd::SubclassWindow(HWND window)
{
    if (!window || m_hWnd || FromHandlePermanent(window)) return FALSE;
    Attach(window);
    m_oldProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(&CWnd::StaticWndProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    return parent && parent->m_hWnd && SubclassWindow(::GetDlgItem(parent->m_hWnd, id));
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd && ::DestroyWindow(m_hWnd);
}

void CWnd::CenterWindow()
{
    RECT window, area;
    ::GetWindowRect(m_hWnd, &window);
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && ::IsWindowVisible(owner))
        ::GetWindowRect(owner, &area);
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    int width = window.right - window.left;
    int height = window.bottom - window.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CurrentMessage saved = m_current;
    m_current = {message, wParam, lParam};
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    m_current = saved;
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_oldProc) return ::CallWindowProcA(m_oldProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::HandleCtlColor(WPARAM wParam, LPARAM lParam)
{
    CWnd* control = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
    LRESULT reflected = 0;
    if (control && control != this
        && control->OnWndMsg(WM_REFLECT_BASE + m_current.message, wParam, lParam, &reflected) && reflected)
        return reflected;
    if (CWinApp* app = AfxGetApp()) {
        if (HBRUSH brush = app->DialogColors(reinterpret_cast<HDC>(wParam), m_current.message))
            return reinterpret_cast<LRESULT>(brush);
    }
    return Default();
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(window);
    if (!wnd && message == WM_NCCREATE) {
        wnd = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (wnd) wnd->Attach(window);
    }
    // Messages that arrive before the binding get the platform's default.
    if (!wnd) return ::DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        WNDPROC old = wnd->m_oldProc;
        if (old) ::SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(old));
        LRESULT result = wnd->WindowProc(message, wParam, lParam);
        wnd->m_oldProc = nullptr;
        wnd->Detach();
        return result;
    }
    return wnd->WindowProc(message, wParam, lParam);
}
