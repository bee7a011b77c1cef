#include "Buffer.h"

#include <cstring>

namespace QFC {

namespace {

unsigned char* bytesOf(StringBuffer* b)
{
    return reinterpret_cast<unsigned char*>(b->data());
}

} // namespace

Buffer::Buffer() : block_(nullptr), areaSize_(0), areaLength_(0), area_(nullptr)
{
}

Buffer::Buffer(const void* bytes, uint32_t count)
    : block_(nullptr), areaSize_(0), areaLength_(0), area_(nullptr)
{
    if (!bytes)
        return;
    block_ = block::allocate(count);
    memcpy(block_->data(), bytes, count);
}

Buffer::Buffer(const Buffer& other)
    : Object(other), block_(nullptr), areaSize_(0), areaLength_(0), area_(nullptr)
{
    uint32_t n = other.length();
    if (n == 0)
        return;
    block_ = block::allocate(n);
    memcpy(block_->data(), other.data(), n);
}

Buffer::~Buffer()
{
    block::release(block_);
}

Buffer& Buffer::operator=(const Buffer& other)
{
    uint32_t n = other.length();
    if (area_) {
        // Self-assignment and overlapping areas are copied with memmove.
        if (fits(n)) {
            if (n)
                memmove(area_, other.data(), n);
            areaLength_ = n;
        }
        return *this;
    }
    if (n == 0) {
        if (block_ && block_->refCount < 2) {
            block_->length = 0;
        } else {
            block::release(block_);
            block_ = nullptr;
        }
        return *this;
    }
    if (!other.area_ && block::share(other.block_)) {
        block::release(block_);
        block_ = other.block_;
        return *this;
    }
    if (!other.area_ && other.block_ == block_)
        return *this;  // pinned self-assignment: the bytes are already here
    resize(n, false);
    memmove(block_->data(), other.data(), n);
    return *this;
}

void Buffer::attach(void* area, uint32_t size)
{
    block::release(block_);
    block_ = nullptr;
    area_ = static_cast<unsigned char*>(area);
    areaSize_ = size;
    areaLength_ = size;
}

uint32_t Buffer::length() const
{
    if (area_)
        return areaLength_;
    return block_ ? block_->length : 0;
}

unsigned char* Buffer::data()
{
    if (area_)
        return area_;
    return block_ ? bytesOf(block_) : nullptr;
}

const unsigned char* Buffer::data() const
{
    return const_cast<Buffer*>(this)->data();
}

void Buffer::setByteAt(uint32_t index, unsigned char value)
{
    makePrivate();
    data()[index] = value;
}

bool Buffer::append(const void* bytes, uint32_t count)
{
    if (count == 0)
        return true;
    uint32_t old = length();
    if (old + count < old)
        return false;  // a wrapping length can fit no area and no block
    if (area_) {
        if (!fits(old + count))
            return false;
        memmove(area_ + old, bytes, count);
        areaLength_ = old + count;
        return true;
    }
    // The source may lie in this buffer's own block, which growing may free.
    if (block_ && !block::writableInPlace(block_, old + count)) {
        StringBuffer* fresh = block::allocate(old + count);
        memcpy(fresh->data(), block_->data(), old);
        memcpy(fresh->data() + old, bytes, count);
        block::release(block_);
        block_ = fresh;
        return true;
    }
    resize(old + count, true);
    memmove(block_->data() + old, bytes, count);
    return true;
}

bool Buffer::appendFill(unsigned char value, uint32_t count)
{
    if (count == 0)
        return true;
    uint32_t old = length();
    if (old + count < old)
        return false;
    if (area_) {
        if (!fits(old + count))
            return false;
        memset(area_ + old, value, count);
        areaLength_ = old + count;
        return true;
    }
    resize(old + count, true);
    memset(block_->data() + old, value, count);
    return true;
}

unsigned char* Buffer::getBuffer(uint32_t n)
{
    if (area_)
        return fits(n) ? area_ : nullptr;
    resize(n, true);
    block_->refCount = 0;
    return bytesOf(block_);
}

void Buffer::releaseBuffer()
{
    if (!area_ && block_ && block_->refCount == 0)
        block_->refCount = 1;
}

// Own mode only. The new block is filled before the old one is released, so
// an allocation failure leaves the buffer as it was.
void Buffer::resize(uint32_t n, bool keep)
{
    if (block_ && block::writableInPlace(block_, n)) {
        block_->length = n;
        return;
    }
    StringBuffer* fresh = block::allocate(n);
    if (block_ && keep)
        memcpy(fresh->data(), block_->data(), block_->length < n ? block_->length : n);
    block::release(block_);
    block_ = fresh;
}

void Buffer::makePrivate()
{
    if (!area_ && block_ && block_->refCount >= 2)
        resize(block_->length, true);
}

} // namespace QFC
