#include "Messages.h"
#include "Exception.h"

namespace QFC {

namespace {
const uint32_t MarkerBits = 0xB0000000u;
}

void formatMessage(String& out, const char* templateText, ...)
{
    va_list args;
    va_start(args, templateText);
    char* produced = nullptr;
    DWORD count = ::FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                   templateText, 0, 0, reinterpret_cast<char*>(&produced), 0, &args);
    va_end(args);
    if (count == 0 || !produced)
        throw MemoryException();
    try {
        out = produced;
    } catch (...) {
        ::LocalFree(produced);
        throw;
    }
    ::LocalFree(produced);
}

String errorText(uint32_t code)
{
    if (code == 0)
        return String("The operation completed successfully.");
    String text;
    if (code & MarkerBits) {
        uint32_t platformCode = code & ~MarkerBits;
        char* produced = nullptr;
        // No inserts are passed, so a system text holding %1 is taken as it stands.
        DWORD count = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                           FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_IGNORE_INSERTS,
                                       nullptr, platformCode, 0, reinterpret_cast<char*>(&produced), 0,
                                       nullptr);
        if (count && produced) {
            try {
                text = produced;
                text.append(' ');
                text.appendNumber(platformCode);
            } catch (...) {
                ::LocalFree(produced);
                throw;
            }
        }
        if (produced)
            ::LocalFree(produced);
    }
    if (text.isEmpty()) {
        text = "Unknown error ";
        text.appendNumber(code);
    }
    return text;
}

} // namespace QFC
