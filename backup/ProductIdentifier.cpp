#include "ProductIdentifier.h"

#include <cstring>

bool IsUsableProductIdentifier(const QFC::String& identifier)
{
    const char* text = identifier.textOrEmpty();
    if (!*text || !std::strcmp(text, ".") || !std::strcmp(text, ".."))
        return false;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p)
        if (*p < 0x20 || *p == 0x7F || std::strchr("\\/:*?\"<>|", *p))
            return false;
    return true;
}
