#include "InstalledRecord.h"
#include "ProductIdentifier.h"
#include "ProductRecord.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <string>

#include <windows.h>

namespace {

bool usable(const char* identifier)
{
    return QFC::isUsableProductIdentifier(QFC::String(identifier));
}

std::string fieldOf(const ProductRecord& record, const char* name)
{
    return record.Field(name).textOrEmpty();
}

} // namespace

TEST(ProductIdentifier, UnusableIdentifiersNeverReachAPath)
{
    EXPECT_TRUE(usable("{6F9619FF-8B86-D011-B42D-00C04FC964FF}"));
    EXPECT_TRUE(usable("Product name with spaces"));
    EXPECT_TRUE(usable("a..b"));
    EXPECT_TRUE(usable("\xE9t\xE9"));

    EXPECT_FALSE(QFC::isUsableProductIdentifier(QFC::String()));
    EXPECT_FALSE(usable(""));
    EXPECT_FALSE(usable("."));
    EXPECT_FALSE(usable(".."));
    const char* withForbidden[] = {"..\\x", "a/b", "C:x", "a*", "a?", "a\"b", "<a", "a>", "a|b", "\\"};
    for (const char* identifier : withForbidden)
        EXPECT_FALSE(usable(identifier)) << identifier;
    const char* withControl[] = {"a\tb", "a\x01", "\x1f", "a\x7f", "a\vb"};
    for (const char* identifier : withControl)
        EXPECT_FALSE(usable(identifier)) << static_cast<int>(identifier[1]);
}

TEST(ProductRecord, OpensFromTheWindowsDirectoryAndReadsFields)
{
    const std::string id = testsupport::uniqueName("{RecordWin}");
    InstalledRecord installed(infoFolder(windowsBase()) + "\\" + id,
                              "[OTHER]\r\nUI-LIBRARY=wrong.dll\r\n[PRODUCT]\r\nUI-LIBRARY=buy.dll\r\n"
                              "ZEPH-Receipt-TxN=TXN-42\r\nExtra=ignored\r\n");
    ASSERT_TRUE(installed.written());

    ProductRecord record;
    EXPECT_FALSE(record.IsOpen());
    EXPECT_EQ("", fieldOf(record, "UI-LIBRARY"));
    ASSERT_TRUE(record.Open(QFC::String(id.c_str())));
    EXPECT_TRUE(record.IsOpen());
    EXPECT_EQ(installed.folder() + "\\PRODUCT.INF", record.Path().textOrEmpty());
    EXPECT_EQ("buy.dll", fieldOf(record, "UI-LIBRARY"));
    EXPECT_EQ("TXN-42", fieldOf(record, "ZEPH-Receipt-TxN"));
    EXPECT_EQ("", fieldOf(record, "Missing"));
}

TEST(ProductRecord, ProgramFilesTakesPrecedence)
{
    const std::string id = testsupport::uniqueName("{RecordBoth}");
    ASSERT_FALSE(programFilesBase().empty());
    InstalledRecord underWindows(infoFolder(windowsBase()) + "\\" + id, recordNaming("windows.dll"));
    InstalledRecord underProgramFiles(infoFolder(programFilesBase()) + "\\" + id, recordNaming("programfiles.dll"));
    ASSERT_TRUE(underWindows.written() && underProgramFiles.written());

    ProductRecord record;
    ASSERT_TRUE(record.Open(QFC::String(id.c_str())));
    EXPECT_EQ("programfiles.dll", fieldOf(record, "UI-LIBRARY"));
}

TEST(ProductRecord, LongFieldsComeBackWhole)
{
    const std::string id = testsupport::uniqueName("{RecordLong}");
    std::string longValue;
    for (int i = 0; i < 1200; ++i)
        longValue += static_cast<char>('a' + i % 26);
    InstalledRecord installed(infoFolder(windowsBase()) + "\\" + id, recordNaming(longValue));
    ASSERT_TRUE(installed.written());
    ProductRecord record;
    ASSERT_TRUE(record.Open(QFC::String(id.c_str())));
    EXPECT_EQ(longValue, fieldOf(record, "UI-LIBRARY"));
}

TEST(ProductRecord, NoRecordLeavesItClosed)
{
    const std::string id = testsupport::uniqueName("{RecordNone}");
    InstalledRecord other(infoFolder(windowsBase()) + "\\" + id, recordNaming("a.dll"));
    ProductRecord record;
    ASSERT_TRUE(record.Open(QFC::String(id.c_str())));
    EXPECT_FALSE(record.Open(QFC::String((id + "-missing").c_str())));
    EXPECT_FALSE(record.IsOpen());
    EXPECT_EQ("", fieldOf(record, "UI-LIBRARY"));

    // A folder without PRODUCT.INF, or with a folder of that name, is no record.
    const std::string emptyId = testsupport::uniqueName("{RecordEmpty}");
    const std::string emptyFolder = infoFolder(windowsBase()) + "\\" + emptyId;
    ASSERT_TRUE(testsupport::createDirectories(emptyFolder + "\\PRODUCT.INF"));
    EXPECT_FALSE(record.Open(QFC::String(emptyId.c_str())));
    testsupport::removeTree(emptyFolder);
}

TEST(ProductRecord, UnusableIdentifierFindsNothingEvenWherePlanted)
{
    // Records planted where a joined "..\" or a full path would lead.
    const std::string planted = testsupport::uniqueName("Planted");
    InstalledRecord beside(windowsBase() + "\\Brenvick\\ZEPH\\" + planted, recordNaming("planted.dll"));
    // Only the file is removed afterwards: the Info folder is shared.
    const std::string inInfo = infoFolder(windowsBase()) + "\\PRODUCT.INF";
    ASSERT_TRUE(beside.written());
    ASSERT_TRUE(testsupport::writeFile(inInfo, recordNaming("planted.dll")));

    const std::string identifiers[] = {"..\\" + planted, "../" + planted, beside.folder(), ".", "", ".\\"};
    for (const std::string& identifier : identifiers) {
        ProductRecord record;
        EXPECT_FALSE(record.Open(QFC::String(identifier.c_str()))) << identifier;
        EXPECT_FALSE(record.IsOpen());
    }
    ::DeleteFileA(inInfo.c_str());
}
