#include "PictureBox.h"

BEGIN_MESSAGE_MAP(PictureBox, CStatic)
    ON_MESSAGE(WM_PAINT, OnPaint)
    ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
END_MESSAGE_MAP()

PictureBox::~PictureBox()
{
    if (bitmap_) ::DeleteObject(bitmap_);
}

BOOL PictureBox::SetBitmap(UINT id)
{
    if (bitmap_) return TRUE;
    HBITMAP bitmap = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    BITMAP info;
    if (!bitmap || !::GetObjectA(bitmap, sizeof info, &info)) {
        if (bitmap) ::DeleteObject(bitmap);
        return FALSE;
    }
    bitmap_ = bitmap;
    width_ = info.bmWidth;
    height_ = info.bmHeight;
    if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return TRUE;
}

RECT PictureBox::PictureRect(int clientWidth, int clientHeight) const
{
    int x = width_ < clientWidth ? (clientWidth - width_) / 2 : 0;
    int y = height_ < clientHeight ? (clientHeight - height_) / 2 : 0;
    return {x, y, x + width_, y + height_};
}

LRESULT PictureBox::OnEraseBackground(WPARAM, LPARAM)
{
    // Painting covers everything; erasing first would only flicker.
    return TRUE;
}

LRESULT PictureBox::OnPaint(WPARAM, LPARAM)
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    HWND parent = ::GetParent(m_hWnd);
    HBRUSH background = reinterpret_cast<HBRUSH>(
        ::SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(m_hWnd)));
    ::FillRect(dc, &client, background ? background : ::GetSysColorBrush(COLOR_BTNFACE));

    if (bitmap_) {
        RECT picture = PictureRect(client.right, client.bottom);
        HDC memory = ::CreateCompatibleDC(dc);
        HGDIOBJ old = ::SelectObject(memory, bitmap_);
        ::BitBlt(dc, picture.left, picture.top, width_, height_, memory, 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);

        // The frame surrounds the picture but stays inside the control.
        RECT around = picture;
        int border = (frameFlags_ & DoubleSunkenFrame) ? 2 : 1;
        ::InflateRect(&around, border, border);
        ::IntersectRect(&around, &around, &client);
        if (frameFlags_ & DoubleSunkenFrame)
            frame_.DrawDouble(dc, around);
        else if (frameFlags_ & SingleSunkenFrame)
            frame_.DrawSingle(dc, around);
    }
    ::EndPaint(m_hWnd, &ps);
    return 0;
}
