#include "HostCommandLine.h"

namespace {

const char GuidSwitch[] = "GUID";

char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Only ASCII letters fold: the switch name must not depend on the code page.
bool equalsIgnoringAsciiCase(const QFC::String& text, const char* upperName)
{
    const char* p = text.textOrEmpty();
    for (; *p && *upperName; ++p, ++upperName) {
        if (asciiUpper(*p) != *upperName)
            return false;
    }
    return *p == 0 && *upperName == 0 && text.length() == static_cast<int>(p - text.textOrEmpty());
}

} // namespace

bool HostCommandLine::HandleParameter(const QFC::String& token, bool isSwitch, char)
{
    if (isSwitch) {
        if (equalsIgnoringAsciiCase(token, GuidSwitch))
            expectingIdentifier = true;
    } else if (expectingIdentifier) {
        productIdentifier = token;
        expectingIdentifier = false;
    }
    return true;
}
