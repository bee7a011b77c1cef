#include "File.h"

namespace QFC {

File::~File()
{
    close();
}

bool File::open(const String& path, DWORD access, DWORD share, DWORD disposition, DWORD attributes)
{
    // The handle this object held would otherwise be lost.
    close();
    handle_ = ::CreateFileA(path.textOrEmpty(), access, share, nullptr, disposition, attributes, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
        setLastError(::GetLastError());
        return false;
    }
    return true;
}

void File::close()
{
    if (handle_ == INVALID_HANDLE_VALUE)
        return;
    ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

int32_t File::read(void* buffer, uint32_t count)
{
    DWORD got = 0;
    if (!::ReadFile(handle_, buffer, count, &got, nullptr))
        return -1;
    return static_cast<int32_t>(got);
}

bool File::write(const void* buffer, uint32_t count)
{
    const unsigned char* next = static_cast<const unsigned char*>(buffer);
    while (count > 0) {
        DWORD written = 0;
        if (!::WriteFile(handle_, next, count, &written, nullptr))
            return false;
        // Success without progress (a full non-blocking pipe) would repeat
        // the same call for ever.
        if (written == 0)
            return false;
        next += written;
        count -= written;
    }
    return true;
}

int64_t File::size() const
{
    DWORD high = 0;
    // A size whose low word is all ones is told from a failure by the error
    // code alone, so a stale one must not be left standing.
    ::SetLastError(NO_ERROR);
    DWORD low = ::GetFileSize(handle_, &high);
    if (low == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR)
        return -1;
    return (static_cast<int64_t>(high) << 32) | low;
}

} // namespace QFC
