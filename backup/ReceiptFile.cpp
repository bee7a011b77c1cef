#include "ReceiptFile.h"
#include "FileSystem.h"

#include <windows.h>

namespace {

// What a profile reader cuts from both ends of a value, the widest set of
// them: Windows cuts blanks, tabs and vertical tabs, Wine also form feeds,
// the line-end characters and ^Z.
bool isReaderBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a';
}

bool onlyReaderBlanks(const QFC::String& text, int from, int to)
{
    for (int i = from; i < to; ++i)
        if (!isReaderBlank(text.at(i)))
            return false;
    return true;
}

// Byte for byte: the platform's comparisons follow the locale's sort rules.
bool holdsAt(const QFC::String& text, int at, const QFC::String& part)
{
    for (int i = 0; i < part.length(); ++i)
        if (text.at(at + i) != part.at(i))
            return false;
    return true;
}

// Whether found is value as one of the profile readers gives it back, so
// that no value that a reader changes counts as unwritten: the line, and so
// the value, ends at its first line break; the reader cuts the blanks of its
// own set from both ends, then one pair of matching quotes around the rest.
bool readsBackAs(const QFC::String& value, const QFC::String& found)
{
    int end = value.findOneOf("\r\n");
    if (end < 0)
        end = value.length();
    const int n = found.length();
    for (int start = 0; start <= end; ++start) {
        if (start + n <= end && holdsAt(value, start, found) && onlyReaderBlanks(value, start + n, end))
            return true;
        const char quote = start < end ? value.at(start) : 0;
        if ((quote == '"' || quote == '\'') && start + n + 2 <= end && value.at(start + n + 1) == quote &&
            holdsAt(value, start + 1, found) && onlyReaderBlanks(value, start + n + 2, end))
            return true;
        if (start < end && !isReaderBlank(value.at(start)))
            break;
    }
    return false;
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
        // A fallback that the value cannot read back as tells a missing key
        // from an empty value.
        const char* fallback = readsBackAs(entry.value, QFC::String()) ? "-" : "";
        QFC::String found = QFC::profileString(path.textOrEmpty(), entry.section.textOrEmpty(),
                                               entry.key.textOrEmpty(), fallback);
        if (!readsBackAs(entry.value, found))
            return entry.unwritten;
    }
    return 0;
}
