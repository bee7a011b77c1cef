#include "OutputStream.h"

namespace QFC {

void OutputStream::close()
{
}

void OutputStream::flush()
{
}

bool OutputStream::writeByte(unsigned char c)
{
    return write(&c, 1);
}

bool OutputStream::write(const String& text)
{
    return write(text.textOrEmpty(), static_cast<uint32_t>(text.length()));
}

bool OutputStream::write(const Buffer& bytes)
{
    return write(bytes.data(), bytes.length());
}

} // namespace QFC
