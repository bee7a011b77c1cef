#ifndef WIZARD_WIZARDLAYOUT_H
#define WIZARD_WIZARDLAYOUT_H

#include <windows.h>

// The sheet's buttons in table order.
enum WizardButtonIndex { WizardBack, WizardNext, WizardFinish, WizardCancel, WizardHelp, WizardButtonCount };

// A button caption resource split at its line feed.
struct WizardButtonText {
    char label[256];
    // Width in horizontal dialog units after the line feed; -1 when the text
    // has no line feed (the standard width applies).
    int widthUnits;
};

// Splits text; the label is cut to fit and never overflows.
WizardButtonText ParseWizardButtonText(const char* text);

// What the layout needs, in pixels. A button that does not count is placed
// where the next counted one starts and takes no room.
struct WizardLayoutInput {
    int pageWidth;
    int pageHeight;
    int buttonWidth[WizardButtonCount];
    bool counted[WizardButtonCount];
    int buttonHeight;
    int gap;
    int marginX;
    int marginY;
};

struct WizardLayoutResult {
    int clientWidth;
    int clientHeight;
    RECT page;
    RECT button[WizardButtonCount];
};

// The sheet's layout: page on top, buttons right-aligned below it, Back and
// Next touching. Never fails.
WizardLayoutResult ComputeWizardLayout(const WizardLayoutInput& in);

#endif
