#ifndef QFC_STREAM_H
#define QFC_STREAM_H

#include "InputStream.h"
#include "OutputStream.h"

namespace QFC {

// Both an input and an output stream, on one shared QFC::Object.
class Stream : public InputStream, public OutputStream {
public:
    // One close for both sides; does nothing here.
    void close() override {}
};

} // namespace QFC

#endif
