#include "WizardLayout.h"

#include <cstdlib>
#include <cstring>

WizardButtonText ParseWizardButtonText(const char* text)
{
    WizardButtonText result;
    result.widthUnits = -1;
    const char* feed = std::strchr(text, '\n');
    size_t length = feed ? static_cast<size_t>(feed - text) : std::strlen(text);
    if (length >= sizeof result.label) length = sizeof result.label - 1;
    std::memcpy(result.label, text, length);
    result.label[length] = '\0';
    if (feed) result.widthUnits = std::atoi(feed + 1);
    return result;
}

WizardLayoutResult ComputeWizardLayout(const WizardLayoutInput& in)
{
    int total = 0;
    int counted = 0;
    for (int i = 0; i < WizardButtonCount; ++i) {
        if (!in.counted[i]) continue;
        total += in.buttonWidth[i];
        ++counted;
    }
    // One gap per counted button less two: Back and Next touch, and nothing
    // follows the last button.
    int gaps = counted > 2 ? in.gap * (counted - 2) : 0;

    WizardLayoutResult out;
    int minimum = in.pageWidth + 2 * in.marginX + 3;
    int needed = total + 2 * in.marginX + gaps;
    out.clientWidth = minimum > needed ? minimum : needed;
    out.clientHeight = 3 * in.marginY + in.pageHeight + 4 + in.buttonHeight;
    out.page = {in.marginX + 1, in.marginY, out.clientWidth - in.marginX - 2, in.marginY + in.pageHeight};

    int y = 2 * in.marginY + in.pageHeight + 4;
    int x = out.clientWidth - gaps - total - in.marginX;
    for (int i = 0; i < WizardButtonCount; ++i) {
        out.button[i] = {x, y, x + in.buttonWidth[i], y + in.buttonHeight};
        if (!in.counted[i]) continue;
        x += in.buttonWidth[i];
        if (i != WizardBack) x += in.gap;
    }
    return out;
}
