#ifndef WIZARD_PROGRESSBAR_H
#define WIZARD_PROGRESSBAR_H

#include "CStatic.h"
#include "SunkenFrame.h"

// A static control painted as a solid progress bar in a sunken frame.
class ProgressBar : public CStatic {
public:
    static const UINT SolidBar = 1;
    static const UINT SunkenFrameStyle = 16;

    ProgressBar();
    ~ProgressBar() override;

    // Both repaint at once. The position is clamped to low ... high.
    void SetRange(int low, int high);
    void SetPos(int position);

    int GetPos() const { return position_; }
    // The filled share of the inner width, 0 ... 1: full when position less
    // low equals high (also for an empty range), empty when it is 0 or less.
    double Fraction() const;

protected:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    void Repaint();

    UINT style_;
    int position_;
    int low_;
    int high_;
    SunkenFrame frame_;
    HPEN nullPen_;
};

#endif
