#include "ProductIdentifier.h"
#include "RecoveryIntro.h"

#include "FileSystem.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool usable(const char* id) { return QFC::isUsableProductIdentifier(QFC::String(id)); }

// A receipt file of the test's own in the temporary directory.
class Receipt : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = QFC::tempFileName(QFC::String("rcp"), QFC::String());
        ASSERT_FALSE(path.isEmpty());
    }
    void TearDown() override { QFC::deleteFile(path); }

    void write(const char* section, const char* key, const char* value)
    {
        ASSERT_TRUE(::WritePrivateProfileStringA(section, key, value, path.text()));
    }
    std::string read() { return RecoveryIntro::ReadProductIdentifier(path).textOrEmpty(); }

    QFC::String path;
};

} // namespace

TEST(ProductIdentifierRule, PlainNamesOnly)
{
    EXPECT_TRUE(usable("{5E1F0C2A-1B2C-4D5E-8F90-A1B2C3D4E5F6}"));
    EXPECT_TRUE(usable("product.v2"));
    EXPECT_TRUE(usable("with space"));
    EXPECT_TRUE(usable(".starts.with.a.dot"));
    // Near the DOS device names, but none of them.
    const char* nearDevices[] = {"CONSOLE", "COM10", "NULL", "AUX1", "xCON", "PRN_", "COM", ".con",
                                 "CLOCK", "CLOCK$$", "xLOCK$"};
    for (const char* id : nearDevices)
        EXPECT_TRUE(usable(id)) << id;
    // Windows drops a final dot or space: the name would reach another folder.
    // A device name reaches the device, in any case and before any extension.
    const char* refused[] = {"", ".", "..", "...", "....", "name.", "name ", "..\\..\\WINDOWS\\SYSTEM", "C:\\X",
                             "a/b", "a\\b", "C:", "a*", "a?", "\"q\"", "<a>", "a|b", "tab\there", "line\nfeed",
                             "\x7f ok", "CON", "prn", "Aux", "nUL", "COM1", "com9", "LPT1", "lpt9", "con.txt",
                             "AUX.{5E1F0C2A}", "nul.a.b", "LPT1 .txt", "CLOCK$", "clock$.txt"};
    for (const char* id : refused)
        EXPECT_FALSE(usable(id)) << id;
    EXPECT_FALSE(QFC::isUsableProductIdentifier(QFC::String()));
}

TEST_F(Receipt, IdentifierFromProductInfo)
{
    write("PRODUCT-INFO", "ID", "{ABC}");
    EXPECT_EQ("{ABC}", read());
}

TEST_F(Receipt, MissingSectionKeyOrValueGivesNothing)
{
    EXPECT_EQ("", read());
    write("CUSTOMER-INFO", "ID", "CUST");
    EXPECT_EQ("", read());
    write("PRODUCT-INFO", "OTHER", "x");
    EXPECT_EQ("", read());
    write("PRODUCT-INFO", "ID", "");
    EXPECT_EQ("", read());
    EXPECT_EQ(std::string(), RecoveryIntro::ReadProductIdentifier(QFC::String("Z:\\no\\such\\DATA.INF")).textOrEmpty());
}

TEST_F(Receipt, LongIdentifierIsCutTo254)
{
    std::string id(300, 'k');
    write("PRODUCT-INFO", "ID", id.c_str());
    EXPECT_EQ(id.substr(0, 254), read());
}

TEST_F(Receipt, HostileIdentifiersAreTreatedAsMissing)
{
    const char* hostile[] = {"..\\..\\WINDOWS\\SYSTEM", "C:\\X", "a/b", "*.*", "..", "x\x01y"};
    for (const char* id : hostile) {
        write("PRODUCT-INFO", "ID", id);
        EXPECT_EQ("", read()) << id;
    }
}
