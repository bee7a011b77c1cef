#ifndef QFC_FILESYSTEM_H
#define QFC_FILESYSTEM_H

#include "String.h"

namespace QFC {

// The platform's path limit; every name query uses a buffer of this size.
const int MaxPath = 260;

// The Windows directory, without a trailing separator added or removed.
// Empty when the platform call fails.
String windowsDirectory();
// The system directory. Empty when the platform call fails.
String systemDirectory();
// The temporary directory, ending with a backslash. Empty on failure.
String tempDirectory();
// "ProgramFilesDir" of HKLM\Software\Microsoft\Windows\CurrentVersion.
// Empty when the key or the value is missing.
String programFilesDirectory();
// The running program's full path. Empty on failure and when the path does
// not fit in MaxPath characters.
String modulePath();
// Creates a new, empty, uniquely named file in directory (the temporary
// directory when empty) and returns its full name. Empty on failure.
String tempFileName(const String& prefix, String directory);

// True when name, one component of a path, names a DOS device: CON, PRN,
// AUX, NUL, CLOCK$ (Windows 9x), COM1 to COM9 or LPT1 to LPT9, in any letter
// case, alone or before a dot (blanks before the dot count for nothing). Such
// a path reaches the device, whatever folder it names; false for null.
bool namesDosDevice(const char* name);
// Value key of section in the profile file path, whole however long it is;
// fallback when the key is missing.
String profileString(const char* path, const char* section, const char* key, const char* fallback);
// True when path names an existing file or directory; false for "".
bool fileExists(const String& path);
// Copies source over destination, which is overwritten when it exists.
// Note the order: destination first. False on failure or an empty source.
bool copyFile(const String& destination, const String& source);
// False when the file cannot be deleted.
bool deleteFile(const String& path);
// Creates every missing directory along path (either separator). Returns the
// number of separators in path when the whole path exists afterwards, else -1.
int createDirectoryPath(String path);

} // namespace QFC

#endif
