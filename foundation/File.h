#ifndef QFC_FILE_H
#define QFC_FILE_H

#include "Stream.h"
#include "String.h"

#include <windows.h>

#include <cstdint>

namespace QFC {

// One platform file handle, read and written synchronously. Starts closed;
// the destructor closes a handle that is still open.
class File : public Stream {
public:
    File() : handle_(INVALID_HANDLE_VALUE) {}
    ~File() override;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // CreateFileA with the platform's own values and no defaults. A file
    // that was open is closed first. False on failure, with lastError set
    // to the platform's code and the object closed.
    bool open(const String& path, DWORD access, DWORD share, DWORD disposition, DWORD attributes);
    // Closes an open handle; a closed file is left alone.
    void close() override;
    // Up to count bytes: the number read, 0 at the end, -1 on failure.
    int32_t read(void* buffer, uint32_t count) override;
    // All count bytes, or false: on failure, and when the platform stops
    // making progress. 0 bytes succeed without a platform call.
    bool write(const void* buffer, uint32_t count) override;
    using OutputStream::write;
    // The file's size in bytes, -1 on failure.
    int64_t size() const;

    // The open handle, INVALID_HANDLE_VALUE when closed.
    HANDLE handle() const { return handle_; }

private:
    HANDLE handle_;
};

} // namespace QFC

#endif
