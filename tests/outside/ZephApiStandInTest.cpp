// The stand-in product-information library, called by ordinal the way the
// wizard program binds it.
#include "String.h"

#include "CustomerId.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

typedef void*(WINAPI* OpenProductStoreEntry)();
typedef BOOL(WINAPI* SelectProductEntry)(void*, const char*);
typedef const char*(WINAPI* GetProductFieldEntry)(void*, const char*);
typedef void(WINAPI* CloseProductStoreEntry)(void*);
typedef QFC::String(WINAPI* GetCustomerIdEntry)();

const char ProductId[] = "{5E1F0C2A-TEST-STAND-IN}";

class ZephApiStandIn : public ::testing::Test {
protected:
    void SetUp() override
    {
        module = ::LoadLibraryA("ZEPHAPI.DLL");
        ASSERT_NE(nullptr, module);
        open = reinterpret_cast<OpenProductStoreEntry>(::GetProcAddress(module, MAKEINTRESOURCEA(504)));
        select = reinterpret_cast<SelectProductEntry>(::GetProcAddress(module, MAKEINTRESOURCEA(523)));
        field = reinterpret_cast<GetProductFieldEntry>(::GetProcAddress(module, MAKEINTRESOURCEA(103)));
        close = reinterpret_cast<CloseProductStoreEntry>(::GetProcAddress(module, MAKEINTRESOURCEA(505)));
        customer = reinterpret_cast<GetCustomerIdEntry>(::GetProcAddress(module, MAKEINTRESOURCEA(508)));
        ASSERT_TRUE(open && select && field && close && customer);

        folder = testsupport::windowsDirectory() + "\\Brenvick\\ZEPH\\Info\\" + ProductId;
        ::CreateDirectoryA((testsupport::windowsDirectory() + "\\Brenvick").c_str(), nullptr);
        ::CreateDirectoryA((testsupport::windowsDirectory() + "\\Brenvick\\ZEPH").c_str(), nullptr);
        ::CreateDirectoryA((testsupport::windowsDirectory() + "\\Brenvick\\ZEPH\\Info").c_str(), nullptr);
        ::CreateDirectoryA(folder.c_str(), nullptr);
        record = folder + "\\PRODUCT.INF";
        ASSERT_TRUE(::WritePrivateProfileStringA("PRODUCT", "ZEPH-Receipt-TxN", "TXN-0042", record.c_str()));
        ASSERT_TRUE(::WritePrivateProfileStringA("PRODUCT", "UI-LIBRARY", std::string(600, 'L').c_str(),
                                                 record.c_str()));
    }

    void TearDown() override
    {
        ::DeleteFileA(record.c_str());
        ::RemoveDirectoryA(folder.c_str());
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, testsupport::CustomerIdKey);
        if (module)
            ::FreeLibrary(module);
    }

    HMODULE module = nullptr;
    OpenProductStoreEntry open = nullptr;
    SelectProductEntry select = nullptr;
    GetProductFieldEntry field = nullptr;
    CloseProductStoreEntry close = nullptr;
    GetCustomerIdEntry customer = nullptr;
    std::string folder, record;
};

} // namespace

TEST_F(ZephApiStandIn, ReadsFieldsOfASelectedRecord)
{
    void* session = open();
    ASSERT_NE(nullptr, session);
    EXPECT_EQ(nullptr, field(session, "ZEPH-Receipt-TxN"));  // nothing selected yet
    ASSERT_TRUE(select(session, ProductId));
    EXPECT_STREQ("TXN-0042", field(session, "ZEPH-Receipt-TxN"));
    EXPECT_EQ(std::string(600, 'L'), field(session, "UI-LIBRARY"));
    EXPECT_STREQ("", field(session, "NO-SUCH-FIELD"));
    close(session);
}

TEST_F(ZephApiStandIn, UnknownAndUnusableIdentifiersHaveNoRecord)
{
    void* session = open();
    ASSERT_NE(nullptr, session);
    const char* refused[] = {"{NOT-INSTALLED}", "", ".", "..", "..\\..\\WINDOWS", "C:\\X", "a/b", "a*", "a\tb"};
    for (const char* id : refused) {
        EXPECT_FALSE(select(session, id)) << id;
        EXPECT_EQ(nullptr, field(session, "ZEPH-Receipt-TxN")) << id;
    }
    // Windows would drop the trailing character and reach the real record.
    for (const char* tail : {".", " ", "..."}) {
        std::string folded = std::string(ProductId) + tail;
        EXPECT_FALSE(select(session, folded.c_str())) << folded;
    }
    EXPECT_FALSE(select(session, nullptr));
    close(session);
    EXPECT_FALSE(select(nullptr, ProductId));
}

TEST_F(ZephApiStandIn, DeviceNamesHaveNoRecordEvenWherePlanted)
{
    // Only a path that skips the DOS names makes such folders; the guard
    // removes them the same way, however the test ends.
    const std::string info = testsupport::windowsDirectory() + "\\Brenvick\\ZEPH\\Info\\";
    struct Planted {
        std::vector<std::string> folders;
        ~Planted() { for (const std::string& folder : folders) testsupport::removeTree(folder); }
    } planted;
    for (const char* name : {"AUX", "con.txt", "LPT1", "CLOCK$"}) {
        const std::string folder = "\\\\?\\" + info + name;
        planted.folders.push_back(folder);
        ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS) << name;
        ASSERT_TRUE(testsupport::writeFile(folder + "\\PRODUCT.INF", "[PRODUCT]\r\nUI-LIBRARY=x.dll\r\n"));
        // The record is there for a lookup without the name check.
        ASSERT_EQ("x.dll", testsupport::profileValue(info + name + "\\PRODUCT.INF", "PRODUCT", "UI-LIBRARY")) << name;
    }
    void* session = open();
    ASSERT_NE(nullptr, session);
    for (const char* id : {"AUX", "aux", "con.txt", "CON.TXT", "LPT1", "CLOCK$", "clock$"})
        EXPECT_FALSE(select(session, id)) << id;
    close(session);
}

TEST_F(ZephApiStandIn, CustomerIdentifierCrossesAsAString)
{
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, testsupport::CustomerIdKey);
    QFC::String missing = customer();
    EXPECT_TRUE(missing.isEmpty());

    ASSERT_TRUE(testsupport::setCustomerId("CUST-1234"));
    long liveBefore = QFC::block::liveCount();
    {
        QFC::String id = customer();
        EXPECT_STREQ("CUST-1234", id.text());
        ASSERT_NE(nullptr, id.block());
        EXPECT_EQ(1u, id.block()->refCount);
        EXPECT_EQ(9u, id.block()->length);
    }
    // Built in the library's copy of the string code and freed in ours.
    EXPECT_EQ(liveBefore - 1, QFC::block::liveCount());
}
