#include "VersionInfo.h"

namespace testsupport {

VersionInfo::VersionInfo(const std::string& path)
{
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (!size)
        return;
    data_.resize(size);
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, data_.data()))
        data_.clear();
}

bool VersionInfo::query(const std::string& key, void** value, UINT* length) const
{
    *value = nullptr;
    *length = 0;
    // The platform's query takes a non-const block though it does not change it.
    return loaded() && ::VerQueryValueA(const_cast<char*>(data_.data()), key.c_str(), value, length) && *value;
}

const VS_FIXEDFILEINFO* VersionInfo::fixed() const
{
    void* value;
    UINT length;
    return query("\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)
               ? static_cast<const VS_FIXEDFILEINFO*>(value)
               : nullptr;
}

std::vector<DWORD> VersionInfo::translations() const
{
    void* value;
    UINT length;
    if (!query("\\VarFileInfo\\Translation", &value, &length))
        return {};
    const DWORD* first = static_cast<const DWORD*>(value);
    return std::vector<DWORD>(first, first + length / sizeof(DWORD));
}

std::string VersionInfo::value(const char* name) const
{
    void* value;
    UINT length;
    if (!query(std::string("\\StringFileInfo\\040904b0\\") + name, &value, &length))
        return "<missing>";
    return static_cast<const char*>(value);
}

} // namespace testsupport
