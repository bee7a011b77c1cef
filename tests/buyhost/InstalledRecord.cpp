#include "InstalledRecord.h"

#include "TestFiles.h"

#include <windows.h>

std::string programFilesBase()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", 0, KEY_READ, &key))
        return std::string();
    char value[MAX_PATH] = {};
    DWORD size = sizeof(value) - 1;
    DWORD type = 0;
    LONG status = ::RegQueryValueExA(key, "ProgramFilesDir", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::string(value) : std::string();
}

std::string windowsBase()
{
    return testsupport::windowsDirectory();
}

std::string infoFolder(const std::string& base)
{
    return base + "\\Brenvick\\ZEPH\\Info";
}

InstalledRecord::InstalledRecord(const std::string& folder, const std::string& contents)
    : recordFolder(folder), ok(false)
{
    ok = testsupport::createDirectories(folder) && testsupport::writeFile(folder + "\\PRODUCT.INF", contents);
}

InstalledRecord::~InstalledRecord()
{
    testsupport::removeTree(recordFolder);
}

std::string recordNaming(const std::string& library)
{
    return "[PRODUCT]\r\nZEPH-Receipt-TxN=TXN-1\r\nUI-LIBRARY=" + library + "\r\n";
}
