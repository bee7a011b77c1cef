#ifndef TESTSUPPORT_TESTFILES_H
#define TESTSUPPORT_TESTFILES_H

// Test support: paths and files for end-to-end tests, independent of the
// code under test. All paths are Windows paths as the child sees them.

#include <string>

namespace testsupport {

// The folder of the running test program, without a trailing separator.
std::string moduleDirectory();

// The Windows and system directories, without a trailing separator; empty
// when the platform gives none.
std::string windowsDirectory();
std::string systemDirectory();

// A path of the build machine ("/work/build/x.exe") as Wine's drive Z: shows
// it; a path that already has a drive letter is returned unchanged.
std::string windowsPath(const std::string& hostPath);

// A name not used before in this run: prefix, process id, a counter and the
// tick count, so parallel test programs do not collide.
std::string uniqueName(const std::string& prefix);

// True when the whole folder path exists afterwards.
bool createDirectories(const std::string& path);

// True when path exists afterwards with exactly contents.
bool writeFile(const std::string& path, const std::string& contents);

// True when path could be read whole into contents.
bool readFile(const std::string& path, std::string& contents);

// The whole file, or "<missing>" when it cannot be read.
std::string fileContents(const std::string& path);

// A value of a profile (.INI) file, or "<missing>" when it has none.
std::string profileValue(const std::string& file, const char* section, const char* key);

// True for an existing file or folder.
bool pathExists(const std::string& path);

// Removes a file, or a folder with everything below it. True when nothing is
// left at path.
bool removeTree(const std::string& path);

// A fresh empty folder below the temporary folder, removed with everything
// in it when this goes away.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return folder; }
    // path joined with name.
    std::string file(const std::string& name) const;

private:
    std::string folder;
};

} // namespace testsupport

#endif
