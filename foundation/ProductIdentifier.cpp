#include "ProductIdentifier.h"
#include "FileSystem.h"

namespace QFC {

namespace {
const char ForbiddenCharacters[] = "\\/:*?\"<>|";
const unsigned char FirstPrintable = 0x20;
const unsigned char Delete = 0x7F;
}

bool isUsableProductIdentifier(const String& identifier)
{
    const int length = identifier.length();
    if (length == 0)
        return false;
    const char* text = identifier.text();
    // Windows drops a final dot or space, so such a name reaches another
    // folder; one made of dots only names no folder of its own ("..." is two
    // levels up on the oldest systems).
    const char last = text[length - 1];
    if (last == '.' || last == ' ')
        return false;
    for (int i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < FirstPrintable || c == Delete)
            return false;
    }
    // A device name reaches the device, not a folder; on Windows 9x a path
    // that names two of them brings the system down.
    return identifier.findOneOf(ForbiddenCharacters) < 0 && !namesDosDevice(text);
}

} // namespace QFC
