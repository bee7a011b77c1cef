#include "ProgressBar.h"

namespace {
const int frameWidth = 2;
}

BEGIN_MESSAGE_MAP(ProgressBar, CStatic)
    ON_MESSAGE(WM_PAINT, OnPaint)
    ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
END_MESSAGE_MAP()

ProgressBar::ProgressBar()
    : style_(SolidBar | SunkenFrameStyle), position_(0), low_(0), high_(100),
      nullPen_(static_cast<HPEN>(::GetStockObject(NULL_PEN)))
{
}

ProgressBar::~ProgressBar() = default;

void ProgressBar::SetRange(int low, int high)
{
    low_ = low;
    high_ = high;
    Repaint();
}

void ProgressBar::SetPos(int position)
{
    if (position > high_) position = high_;
    if (position < low_) position = low_;
    position_ = position;
    Repaint();
}

double ProgressBar::Fraction() const
{
    int done = position_ - low_;
    if (done == high_) return 1.0;
    if (done <= 0) return 0.0;
    // Past high (a range below zero) the bar stays inside its frame; this
    // also keeps a range up to zero from dividing by it.
    if (done > high_) return 1.0;
    return static_cast<double>(done) / high_;
}

void ProgressBar::Repaint()
{
    if (m_hWnd) ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

LRESULT ProgressBar::OnEraseBackground(WPARAM, LPARAM)
{
    return TRUE;
}

LRESULT ProgressBar::OnPaint(WPARAM, LPARAM)
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    RECT inner = client;
    if (style_ & SunkenFrameStyle) {
        frame_.DrawDouble(dc, client);
        ::InflateRect(&inner, -frameWidth, -frameWidth);
    }
    if ((style_ & SolidBar) && inner.right > inner.left) {
        RECT filled = inner;
        filled.right = inner.left + static_cast<int>(Fraction() * (inner.right - inner.left));
        HBRUSH brush = ::CreateSolidBrush(::GetSysColor(COLOR_ACTIVECAPTION));
        HGDIOBJ oldPen = ::SelectObject(dc, nullPen_);
        if (brush && filled.right > filled.left) ::FillRect(dc, &filled, brush);
        ::SelectObject(dc, oldPen);
        if (brush) ::DeleteObject(brush);
    }
    ::EndPaint(m_hWnd, &ps);
    return 0;
}
