#include "ReceiptFile.h"
#include "FileSystem.h"

#include <windows.h>

namespace {

// value as the profile functions give it back: without the blanks around it
// and without one pair of matching quotes around the rest.
QFC::String asReadBack(QFC::String value)
{
    value.trimLeft();
    value.trimRight();
    const int n = value.length();
    if (n >= 2 && (value.at(0) == '"' || value.at(0) == '\'') && value.at(n - 1) == value.at(0))
        value = value.mid(1, n - 2);
    return value;
}

// Byte for byte: the platform's comparisons follow the locale's sort rules.
bool sameText(const QFC::String& a, const QFC::String& b)
{
    const int n = a.length();
    if (n != b.length())
        return false;
    for (int i = 0; i < n; ++i)
        if (a.at(i) != b.at(i))
            return false;
    return true;
}

} // namespace

bool ReceiptFile::Write(const QFC::String& section, const QFC::String& key, const QFC::String& value, int unwritten)
{
    if (count == MaxKeys)
        return false;
    if (!::WritePrivateProfileStringA(section.textOrEmpty(), key.textOrEmpty(), value.textOrEmpty(),
                                      path.textOrEmpty()))
        return false;
    entries[count++] = Entry{section, key, value, unwritten};
    return true;
}

int ReceiptFile::FlushAndCheck() const
{
    // Windows 95 writes the disk only here, and the result of that write is
    // not to be had: NT and Wine answer FALSE for this call form even when all
    // is well. What the file holds afterwards is the answer. No test under
    // Wine can show a write lost in the cache, since Wine writes the file at
    // each key; a test can only take keys away after their writes.
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.textOrEmpty());
    for (int i = 0; i < count; ++i) {
        const Entry& entry = entries[i];
        const QFC::String expected = asReadBack(entry.value);
        // A fallback unlike the expected text tells a missing key from an
        // empty value.
        const char* fallback = expected.isEmpty() ? "-" : "";
        QFC::String found = QFC::profileString(path.textOrEmpty(), entry.section.textOrEmpty(),
                                               entry.key.textOrEmpty(), fallback);
        if (!sameText(found, expected))
            return entry.unwritten;
    }
    return 0;
}
