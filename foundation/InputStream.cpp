#include "InputStream.h"

namespace QFC {

void InputStream::close()
{
}

int InputStream::available()
{
    return -1;
}

uint16_t InputStream::readByte()
{
    unsigned char byte;
    return read(&byte, 1) > 0 ? byte : NoByte;
}

bool InputStream::readFully(void* buffer, uint32_t count)
{
    unsigned char* next = static_cast<unsigned char*>(buffer);
    while (count > 0) {
        int32_t got = read(next, count);
        if (got < 1)
            return false;
        next += got;
        count -= static_cast<uint32_t>(got);
    }
    return true;
}

uint32_t InputStream::skip(uint32_t count)
{
    unsigned char discard[SkipChunk];
    uint32_t done = 0;
    while (done < count) {
        uint32_t remaining = count - done;
        int32_t got = read(discard, remaining < SkipChunk ? remaining : SkipChunk);
        if (got <= 0)
            break;
        done += static_cast<uint32_t>(got);
    }
    return done;
}

} // namespace QFC
