#ifndef TESTSUPPORT_VERSIONINFO_H
#define TESTSUPPORT_VERSIONINFO_H

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

// The version resource of a program or library file, as the platform's
// version functions report it.
class VersionInfo {
public:
    explicit VersionInfo(const std::string& path);

    bool loaded() const { return !data_.empty(); }
    // The fixed part, or nullptr when there is none.
    const VS_FIXEDFILEINFO* fixed() const;
    // The translations, each with the language in the low word and the code
    // page in the high word.
    std::vector<DWORD> translations() const;
    // A value of the US-English Unicode string table, or "<missing>".
    std::string value(const char* name) const;

private:
    bool query(const std::string& key, void** value, UINT* length) const;

    std::vector<char> data_;
};

} // namespace testsupport

#endif
