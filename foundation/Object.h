#ifndef QFC_OBJECT_H
#define QFC_OBJECT_H

#include <cstdint>

namespace QFC {

// Root of the buffer, registry and stream classes: a virtual destructor and
// the platform error code of the last failed operation that records one.
class Object {
public:
    Object() : lastError_(0) {}
    virtual ~Object() {}

    // 0 until an operation that records platform errors fails.
    uint32_t lastError() const { return lastError_; }

protected:
    Object(const Object&) = default;
    Object& operator=(const Object&) = default;

    void setLastError(uint32_t code) { lastError_ = code; }

private:
    uint32_t lastError_;
};

} // namespace QFC

#endif
