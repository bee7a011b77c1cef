#ifndef TESTS_BUYHOST_INSTALLEDRECORD_H
#define TESTS_BUYHOST_INSTALLEDRECORD_H

#include <string>

// The two places a product record may live, read independently of the code
// under test: the Program Files directory from the registry, and the
// Windows directory.
std::string programFilesBase();
std::string windowsBase();

// base\Brenvick\ZEPH\Info
std::string infoFolder(const std::string& base);

// A product record written for one test: folder (any path, usually
// infoFolder(base) + "\\" + identifier) holding PRODUCT.INF with contents.
// The folder is removed again when this goes away.
class InstalledRecord {
public:
    InstalledRecord(const std::string& folder, const std::string& contents);
    ~InstalledRecord();
    InstalledRecord(const InstalledRecord&) = delete;
    InstalledRecord& operator=(const InstalledRecord&) = delete;

    bool written() const { return ok; }
    const std::string& folder() const { return recordFolder; }

private:
    std::string recordFolder;
    bool ok;
};

// A PRODUCT.INF whose [PRODUCT] section names library as UI-LIBRARY.
std::string recordNaming(const std::string& library);

#endif
