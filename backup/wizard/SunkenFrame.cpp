#include "SunkenFrame.h"

#include <initializer_list>

namespace {
const COLORREF white = RGB(255, 255, 255);
const COLORREF lightGrey = RGB(192, 192, 192);
const COLORREF darkGrey = RGB(92, 92, 92);
const COLORREF grey = RGB(128, 128, 128);
}

SunkenFrame::SunkenFrame()
    : white_(::CreatePen(PS_SOLID, 1, white)), lightGrey_(::CreatePen(PS_SOLID, 1, lightGrey)),
      darkGrey_(::CreatePen(PS_SOLID, 1, darkGrey)), grey_(::CreatePen(PS_SOLID, 1, grey))
{
}

SunkenFrame::~SunkenFrame()
{
    for (HPEN pen : {white_, lightGrey_, darkGrey_, grey_})
        if (pen) ::DeleteObject(pen);
}

void SunkenFrame::Line(HDC dc, HPEN pen, int x1, int y1, int x2, int y2) const
{
    HGDIOBJ old = ::SelectObject(dc, pen);
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
    ::SelectObject(dc, old);
}

void SunkenFrame::DrawDouble(HDC dc, const RECT& r) const
{
    // LineTo leaves out its end point, so each line ends one past its last pixel.
    Line(dc, grey_, r.left, r.bottom - 1, r.left, r.top);
    Line(dc, grey_, r.left, r.top, r.right, r.top);
    Line(dc, darkGrey_, r.left + 1, r.bottom - 2, r.left + 1, r.top + 1);
    Line(dc, darkGrey_, r.left + 1, r.top + 1, r.right - 1, r.top + 1);
    Line(dc, white_, r.left, r.bottom - 1, r.right - 1, r.bottom - 1);
    Line(dc, white_, r.right - 1, r.bottom - 1, r.right - 1, r.top - 1);
    Line(dc, lightGrey_, r.left + 1, r.bottom - 2, r.right - 2, r.bottom - 2);
    Line(dc, lightGrey_, r.right - 2, r.bottom - 2, r.right - 2, r.top);
}

void SunkenFrame::DrawSingle(HDC dc, const RECT& r) const
{
    Line(dc, grey_, r.left, r.bottom - 1, r.left, r.top);
    Line(dc, grey_, r.left, r.top, r.right, r.top);
    Line(dc, white_, r.left, r.bottom - 1, r.right - 1, r.bottom - 1);
    Line(dc, white_, r.right - 1, r.bottom - 1, r.right - 1, r.top - 1);
}
