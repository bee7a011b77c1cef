#include "String.h"
#include "Exception.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace QFC {

namespace {

const char Blanks[] = " \t\n\f\r";

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

// A zero byte is text here, not the end of the list of blanks.
bool isBlank(char c)
{
    return c != 0 && strchr(Blanks, c) != nullptr;
}

} // namespace

// A pin the caller already held outlives the call; one made inside ends with
// it, also when the call leaves by an exception.
class String::PinScope {
public:
    explicit PinScope(String& s) : s_(s), held_(s.block_ && s.block_->refCount == 0) {}
    ~PinScope()
    {
        StringBuffer* b = s_.block_;
        if (!b)
            return;
        if (held_)
            b->refCount = 0;
        else if (b->refCount == 0)
            b->refCount = 1;
    }
    PinScope(const PinScope&) = delete;
    PinScope& operator=(const PinScope&) = delete;

private:
    String& s_;
    const bool held_;
};

String::String(const char* text) : block_(nullptr)
{
    if (text)
        assignBytes(text, static_cast<uint32_t>(strlen(text)));
}

String::String(const char* bytes, int count) : block_(nullptr)
{
    uint32_t n = count > 0 ? static_cast<uint32_t>(count) : 0;
    block_ = block::allocate(n);
    if (n)
        memcpy(block_->data(), bytes, n);
    block_->data()[n] = 0;
}

String::String(const String& other) : block_(nullptr)
{
    if (!other.block_)
        return;
    if (block::share(other.block_)) {
        block_ = other.block_;
        return;
    }
    assignBytes(other.block_->data(), other.block_->length);
}

String::~String()
{
    block::release(block_);
}

String& String::operator=(const String& other)
{
    if (other.isEmpty()) {
        clear();
        return *this;
    }
    if (block::share(other.block_)) {
        block::release(block_);
        block_ = other.block_;
        return *this;
    }
    if (other.block_ != block_)
        assignBytes(other.block_->data(), other.block_->length);
    return *this;
}

String& String::operator=(const char* text)
{
    if (!text)
        clear();
    else
        assignBytes(text, static_cast<uint32_t>(strlen(text)));
    return *this;
}

void String::clear()
{
    if (!block_)
        return;
    if (block_->refCount < 2) {
        block_->length = 0;
        block_->data()[0] = 0;
    } else {
        block::release(block_);
        block_ = nullptr;
    }
}

void String::resizeKeep(uint32_t n)
{
    if (block_ && block::writableInPlace(block_, n)) {
        block_->length = n;
        return;
    }
    StringBuffer* fresh = block::allocate(n);
    fresh->data()[0] = 0;
    if (block_) {
        uint32_t keep = block_->length < n ? block_->length : n;
        memcpy(fresh->data(), block_->data(), keep);
        block::release(block_);
    }
    fresh->data()[n] = 0;
    block_ = fresh;
}

void String::resizeDiscard(uint32_t n)
{
    if (block_ && block::writableInPlace(block_, n)) {
        block_->length = n;
        return;
    }
    StringBuffer* fresh = block::allocate(n);
    fresh->data()[0] = 0;
    block::release(block_);
    block_ = fresh;
}

void String::makePrivate()
{
    if (block_ && block_->refCount >= 2)
        resizeKeep(block_->length);
}

bool String::pointsIntoBlock(const char* p) const
{
    return block_ && p >= block_->data() && p < block_->data() + block_->capacity;
}

// The source may lie in this string's own block: a new block is filled
// before the old one is released, and in-place copies use memmove.
void String::assignBytes(const char* bytes, uint32_t count)
{
    if (block_ && block::writableInPlace(block_, count)) {
        memmove(block_->data(), bytes, count);
        block_->length = count;
        block_->data()[count] = 0;
        return;
    }
    StringBuffer* fresh = block::allocate(count);
    memcpy(fresh->data(), bytes, count);
    fresh->data()[count] = 0;
    block::release(block_);
    block_ = fresh;
}

// A separator, when given, goes in front of the bytes in the same step, so a
// path join costs at most one new block. The bytes may lie in this string's
// own block: in place they are moved before the separator is stored, and a
// new block is filled before the old one is released.
void String::appendBytes(const char* bytes, uint32_t count, char separator)
{
    uint32_t old = static_cast<uint32_t>(length());
    uint32_t lead = separator ? 1 : 0;
    uint32_t n = old + lead + count;
    if (block_ && block::writableInPlace(block_, n)) {
        char* end = block_->data() + old;
        memmove(end + lead, bytes, count);
        if (separator)
            *end = separator;
        block_->length = n;
        block_->data()[n] = 0;
        return;
    }
    StringBuffer* fresh = block::allocate(n);
    if (block_)
        memcpy(fresh->data(), block_->data(), old);
    if (separator)
        fresh->data()[old] = separator;
    memcpy(fresh->data() + old + lead, bytes, count);
    fresh->data()[n] = 0;
    block::release(block_);
    block_ = fresh;
}

void String::setAt(int index, char c)
{
    makePrivate();
    block_->data()[index] = c;
    if (c == 0)
        block_->length = static_cast<uint32_t>(index);
}

String& String::append(const String& other)
{
    if (!other.isEmpty())
        appendBytes(other.block_->data(), other.block_->length);
    return *this;
}

String& String::append(const char* text)
{
    if (text)
        appendBytes(text, static_cast<uint32_t>(strlen(text)));
    return *this;
}

String& String::append(char c)
{
    // The common case of building a text character by character stays inline.
    uint32_t old = static_cast<uint32_t>(length());
    if (block_ && block::writableInPlace(block_, old + 1)) {
        block_->data()[old] = c;
        block_->data()[old + 1] = 0;
        block_->length = old + 1;
        return *this;
    }
    appendBytes(&c, 1);
    return *this;
}

String& String::appendNumber(uint32_t value, int minWidth)
{
    char digits[16];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value);
    int padding = minWidth > count ? minWidth - count : 0;
    uint32_t old = static_cast<uint32_t>(length());
    resizeKeep(old + padding + count);
    char* out = block_->data() + old;
    memset(out, '0', padding);
    for (int i = 0; i < count; ++i)
        out[padding + i] = digits[count - 1 - i];
    out[padding + count] = 0;
    return *this;
}

String& String::appendPath(const String& component)
{
    if (component.isEmpty())
        return *this;
    if (isEmpty()) {
        *this = component;
        return *this;
    }
    bool joined = isSeparator(block_->data()[block_->length - 1]) || isSeparator(component.at(0));
    appendBytes(component.block_->data(), component.block_->length, joined ? 0 : '\\');
    return *this;
}

String& String::appendPath(const char* component)
{
    if (isEmpty()) {
        if (component)
            *this = component;
        return *this;
    }
    if (!component)
        return *this;
    bool joined = isSeparator(block_->data()[block_->length - 1]);
    appendBytes(component, static_cast<uint32_t>(strlen(component)), joined ? 0 : '\\');
    return *this;
}

int String::find(char c, int start) const
{
    int n = length();
    for (int i = start; i < n; ++i)
        if (block_->data()[i] == c)
            return i;
    return -1;
}

int String::find(const char* text, int start) const
{
    if (isEmpty() || !text || !*text || start > length())
        return -1;
    const char* hit = strstr(block_->data() + start, text);
    return hit ? static_cast<int>(hit - block_->data()) : -1;
}

int String::findOneOf(const char* set, int start) const
{
    int n = length();
    for (int i = start; i < n; ++i) {
        char c = block_->data()[i];
        if (c && strchr(set, c))
            return i;
    }
    return -1;
}

int String::findLastOf(const char* set, int stop) const
{
    int i = length() - 1;
    if (stop >= i)
        return i;
    for (; i > stop; --i) {
        char c = block_->data()[i];
        if (c && strchr(set, c))
            return i;
    }
    return stop;
}

String String::left(int n) const
{
    int len = length();
    if (len == 0)
        return String();
    int k = n < 0 ? len + n : (n >= len ? len : n);
    return String(block_->data(), k);
}

String String::right(int n) const
{
    int len = length();
    if (len == 0)
        return String();
    int k = n < 0 ? len + n : (n >= len ? len : n);
    return String(block_->data() + (len - k), k);
}

String String::mid(int start, int count) const
{
    if (isEmpty())
        return String();
    return String(block_->data() + start, count);
}

void String::makeUpper()
{
    makePrivate();
    int n = length();
    for (int i = 0; i < n; ++i)
        block_->data()[i] = static_cast<char>(toupper(static_cast<unsigned char>(block_->data()[i])));
}

void String::trimLeft()
{
    int n = length();
    int skip = 0;
    while (skip < n && isBlank(block_->data()[skip]))
        ++skip;
    if (skip == 0)
        return;
    makePrivate();
    memmove(block_->data(), block_->data() + skip, n - skip + 1);
    block_->length = static_cast<uint32_t>(n - skip);
}

void String::trimRight()
{
    int n = length();
    int keep = n;
    while (keep > 0 && isBlank(block_->data()[keep - 1]))
        --keep;
    if (keep == n)
        return;
    makePrivate();
    block_->length = static_cast<uint32_t>(keep);
    block_->data()[keep] = 0;
}

void String::insert(const char* bytes, int index, int count)
{
    if (count <= 0)
        return;
    String source;
    if (pointsIntoBlock(bytes)) {
        source = String(bytes, count);
        bytes = source.text();
    }
    uint32_t old = static_cast<uint32_t>(length());
    uint32_t n = old + static_cast<uint32_t>(count);
    resizeKeep(n);
    char* d = block_->data();
    memmove(d + index + count, d + index, old - index);
    memcpy(d + index, bytes, count);
    d[n] = 0;
}

int String::toInt() const
{
    uint32_t value = 0;
    int n = length();
    for (int i = 0; i < n; ++i)
        value = value * 10 + static_cast<uint32_t>(static_cast<unsigned char>(block_->data()[i]) - '0');
    return static_cast<int>(value);
}

String& String::format(String fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    try {
        formatV(fmt, args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
    return *this;
}

String& String::formatV(String fmt, va_list args)
{
    const char* pattern = fmt.textOrEmpty();
    // Measured first, so that nothing of the old text is touched before the
    // one allocation has succeeded.
    va_list pass;
    va_copy(pass, args);
    int measured = _vscprintf(pattern, pass);
    va_end(pass);
    PinScope pin(*this);
    // A result beyond 2 GB, a wide character without an ANSI form, or a
    // failed allocation inside the runtime's own measuring fallback (the
    // path on NT 4 and Windows 95): no text, and no exception, since only an
    // allocation of ours throws.
    if (measured < 0) {
        clear();
        return *this;
    }
    uint32_t n = static_cast<uint32_t>(measured);

    // Always a new block: an argument may point anywhere into the old one
    // (its text, or past its length while the caller holds a pin), and the
    // formatter would overwrite characters it has still to read. The old
    // block goes only once the new one is filled.
    StringBuffer* target = block::allocate(n);
    int written = _vsnprintf(target->data(), n + 1, pattern, args);
    uint32_t length = written < 0 ? 0 : static_cast<uint32_t>(written);
    if (length > n)
        length = n;
    target->length = length;
    target->data()[length] = 0;
    block::release(block_);
    block_ = target;
    return *this;
}

String& String::loadString(HINSTANCE module, UINT id)
{
    PinScope pin(*this);
    char local[256];
    int count = ::LoadStringA(module, id, local, 256);
    if (count <= 254) {
        if (count > 0)
            assignBytes(local, static_cast<uint32_t>(count));
    } else {
        int size = 256;
        do {
            size += 256;
            resizeKeep(static_cast<uint32_t>(size));
            block_->refCount = 0;
            count = ::LoadStringA(module, id, block_->data(), size);
            if (count < 0)
                count = 0;
            block_->data()[count] = 0;
            block_->length = static_cast<uint32_t>(count);
        } while (count > size - 2);
    }
    if (count <= 0)
        clear();
    return *this;
}

String& String::loadString(UINT id)
{
    return loadString(::GetModuleHandleA(nullptr), id);
}

char* String::getBuffer(int n)
{
    uint32_t len = n > 0 ? static_cast<uint32_t>(n) : 0;
    resizeKeep(len);
    block_->refCount = 0;
    block_->data()[len] = 0;
    return block_->data();
}

void String::releaseBuffer()
{
    if (block_ && block_->refCount == 0)
        block_->refCount = 1;
}

char* String::setLength(int n)
{
    uint32_t len = n > 0 ? static_cast<uint32_t>(n) : 0;
    resizeKeep(len);
    block_->data()[len] = 0;
    return block_->data();
}

} // namespace QFC
