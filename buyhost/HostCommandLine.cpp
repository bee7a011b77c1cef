#include "HostCommandLine.h"

#include <cstring>

namespace {

const char GuidSwitch[] = "GUID";

char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Only ASCII letters fold: the switch name must not depend on the code page.
bool equalsIgnoringAsciiCase(const QFC::String& text, const char* upperName)
{
    const int length = text.length();
    if (length != static_cast<int>(std::strlen(upperName)))
        return false;
    for (int i = 0; i < length; ++i) {
        if (asciiUpper(text.at(i)) != upperName[i])
            return false;
    }
    return true;
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
