#ifndef WIZARD_SUNKENFRAME_H
#define WIZARD_SUNKENFRAME_H

#include <windows.h>

// The four pens of the owner-painted controls' sunken frames.
class SunkenFrame {
public:
    SunkenFrame();
    ~SunkenFrame();
    SunkenFrame(const SunkenFrame&) = delete;
    SunkenFrame& operator=(const SunkenFrame&) = delete;

    // Two lines inside rect: grey and dark grey at the top and left, white
    // and light grey at the bottom and right.
    void DrawDouble(HDC dc, const RECT& rect) const;
    // One line inside rect: grey at the top and left, white at the bottom and right.
    void DrawSingle(HDC dc, const RECT& rect) const;

private:
    void Line(HDC dc, HPEN pen, int x1, int y1, int x2, int y2) const;

    HPEN white_;
    HPEN lightGrey_;
    HPEN darkGrey_;
    HPEN grey_;
};

#endif
