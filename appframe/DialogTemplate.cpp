#include "DialogTemplate.h"

#include <cstring>

namespace {
// Offsets of the style fields in the two template layouts.
const size_t plainStyleOffset = 0;
const size_t plainExStyleOffset = 4;
const size_t extendedExStyleOffset = 8;
const size_t extendedStyleOffset = 12;
const size_t plainSizeOffset = 14;
const size_t extendedSizeOffset = 22;
const size_t signatureOffset = 2;
const WORD extendedSignature = 0xFFFF;
// The header up to the end of the size fields (width and height, two bytes each).
const size_t plainHeaderBytes = plainSizeOffset + 4;
const size_t extendedHeaderBytes = extendedSizeOffset + 4;
}

bool readDialogTemplateHeader(const BYTE* data, DWORD size, DialogTemplateHeader& header)
{
    // Every field read below lies inside the template.
    if (!data || size < plainHeaderBytes) return false;
    WORD signature;
    std::memcpy(&signature, data + signatureOffset, sizeof signature);
    bool extended = signature == extendedSignature;
    if (extended && size < extendedHeaderBytes) return false;
    header.styleAt = extended ? extendedStyleOffset : plainStyleOffset;
    header.exStyleAt = extended ? extendedExStyleOffset : plainExStyleOffset;
    std::memcpy(&header.style, data + header.styleAt, sizeof header.style);
    std::memcpy(&header.exStyle, data + header.exStyleAt, sizeof header.exStyle);
    short units[2];
    std::memcpy(units, data + (extended ? extendedSizeOffset : plainSizeOffset), sizeof units);
    header.size = {units[0], units[1]};
    return true;
}
