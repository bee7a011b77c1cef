#ifndef WIZARD_PICTUREBOX_H
#define WIZARD_PICTUREBOX_H

#include "CStatic.h"
#include "SunkenFrame.h"

// A static control that shows one bitmap resource of the program.
class PictureBox : public CStatic {
public:
    // Frame flags.
    static const UINT DoubleSunkenFrame = 16;
    static const UINT SingleSunkenFrame = 32;

    PictureBox() : bitmap_(nullptr), width_(0), height_(0), frameFlags_(0) {}
    ~PictureBox() override;

    // Loads bitmap resource id; FALSE when it cannot be loaded. A picture box
    // that already holds a bitmap keeps it and returns TRUE.
    BOOL SetBitmap(UINT id);
    void SetFrameFlags(UINT flags) { frameFlags_ = flags; }

    HBITMAP Bitmap() const { return bitmap_; }

protected:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    // Where the bitmap is drawn inside a client area of that size.
    RECT PictureRect(int clientWidth, int clientHeight) const;

    HBITMAP bitmap_;
    int width_;
    int height_;
    UINT frameFlags_;
    SunkenFrame frame_;
};

#endif
