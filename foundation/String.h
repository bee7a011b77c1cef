#ifndef QFC_STRING_H
#define QFC_STRING_H

#include "StringBuffer.h"

#include <cstdarg>
#include <cstdint>

namespace QFC {

// 8-bit ANSI text in a heap block shared by reference count (copy on write).
// One pointer wide, so it is passed and returned by value. Every operation
// that allocates throws QFC::MemoryException when the allocator refuses, and
// the string then keeps its old text.
class String {
public:
    String() : block_(nullptr) {}
    // Null gives the empty string.
    String(const char* text);
    // Always owns a block of exactly count characters, also for count 0.
    String(const char* bytes, int count);
    String(const String& other);
    ~String();

    String& operator=(const String& other);
    // Null empties the string as clear() does.
    String& operator=(const char* text);

    // Empty afterwards; an unshared block is kept for reuse.
    void clear();

    int length() const { return block_ ? static_cast<int>(block_->length) : 0; }
    bool isEmpty() const { return length() == 0; }
    // The zero-terminated characters; null for a string that has no block.
    const char* text() const { return block_ ? block_->data() : nullptr; }
    // The zero-terminated characters; "" for a string that has no block.
    const char* textOrEmpty() const { return block_ ? block_->data() : ""; }
    char at(int index) const { return block_->data()[index]; }
    // Storing a zero character truncates the length to index.
    void setAt(int index, char c);

    String& append(const String& other);
    // Null appends nothing.
    String& append(const char* text);
    String& append(char c);
    // Unsigned decimal, padded with '0' on the left to at least minWidth.
    String& appendNumber(uint32_t value, int minWidth = 0);
    // Joins with one backslash unless either side already has a separator.
    String& appendPath(const String& component);
    // Joins with one backslash unless this string already ends with a
    // separator; the component's first character is not examined.
    String& appendPath(const char* component);

    // Searches return -1 when nothing is found.
    int find(char c, int start = 0) const;
    int find(const char* text, int start = 0) const;
    int findOneOf(const char* set, int start = 0) const;
    // Backward search that never examines index stop: returns stop both when
    // the character there matches and when nothing matches above it.
    int findLastOf(const char* set, int stop = 0) const;

    // Negative n counts from the other end; see left/right in the docs.
    String left(int n) const;
    String right(int n) const;
    // The caller keeps start + count within the length.
    String mid(int start, int count) const;

    void makeUpper();
    // Remove blank, tab, line feed, form feed and carriage return only; a
    // zero byte inside the text stays.
    void trimLeft();
    void trimRight();
    // Opens a gap of count bytes at index and copies bytes into it.
    void insert(const char* bytes, int index, int count);

    // Decimal digits only; no sign, no validation.
    int toInt() const;

    // printf-style formatting into a new block; never writes past it.
    // Arguments may point into this string's own text. A count that the
    // runtime reports as negative leaves the string empty. A pin the caller
    // holds moves to the new block.
    String& format(String fmt, ...);
    String& formatV(String fmt, va_list args);

    // String resource id of module, at any length; empty when missing. A pin
    // the caller holds stays.
    String& loadString(HINSTANCE module, UINT id);
    // The same from the running program's own module.
    String& loadString(UINT id);

    // Resizes to n keeping the contents and pins the block for direct
    // writing of n + 1 bytes. End with releaseBuffer() and setLength().
    char* getBuffer(int n);
    // Ends a pin; an unpinned block is left alone.
    void releaseBuffer();
    // Resizes to n keeping the contents and terminates at n.
    char* setLength(int n);

    // The storage block, null when none; for tests and diagnostics.
    const StringBuffer* block() const { return block_; }

private:
    class PinScope;

    void resizeKeep(uint32_t n);
    void resizeDiscard(uint32_t n);
    void makePrivate();
    void appendBytes(const char* bytes, uint32_t count, char separator = 0);
    void assignBytes(const char* bytes, uint32_t count);
    bool pointsIntoBlock(const char* p) const;

    StringBuffer* block_;
};

} // namespace QFC

#endif
