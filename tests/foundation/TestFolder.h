#ifndef QFC_TESTS_TESTFOLDER_H
#define QFC_TESTS_TESTFOLDER_H

#include <string>

// A folder of the running test's own in the temporary directory, removed
// with everything in it when the test ends.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The folder's full path, without a trailing separator.
    const std::string& path() const { return path_; }
    // path() joined with name.
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

    static bool isDirectory(const std::string& path);

private:
    std::string path_;
};

#endif
