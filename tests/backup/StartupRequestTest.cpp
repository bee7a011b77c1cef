#include "PathMacros.h"
#include "StartupRequest.h"

#include "FileSystem.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string text(const QFC::String& s) { return s.textOrEmpty(); }

std::string expanded(const char* path, const char* id = "{ID}")
{
    QFC::String s(path);
    ExpandPathMacros(s, QFC::String(id));
    return text(s);
}

std::string withBackslash(QFC::String directory)
{
    std::string d = text(directory);
    return d.empty() || d.back() != '\\' ? d + "\\" : d;
}

} // namespace

TEST(StartupRequest, ModeAndIdentifierFromTheCommandText)
{
    StartupRequest none = AnalyseCommandLine(QFC::String(""));
    EXPECT_FALSE(none.backup);
    EXPECT_TRUE(AnalyseCommandLine(QFC::String()).productIdentifier.isEmpty());

    StartupRequest mixed = AnalyseCommandLine(QFC::String("/create /guid={abc} extra"));
    EXPECT_TRUE(mixed.backup);
    EXPECT_TRUE(mixed.identifierGiven);
    EXPECT_EQ("{ABC}", text(mixed.productIdentifier));

    StartupRequest reversed = AnalyseCommandLine(QFC::String("/GUID={ABC} /CREATE"));
    EXPECT_TRUE(reversed.backup);
    EXPECT_EQ("{ABC}", text(reversed.productIdentifier));

    StartupRequest alone = AnalyseCommandLine(QFC::String("/CREATE"));
    EXPECT_TRUE(alone.backup);
    EXPECT_FALSE(alone.identifierGiven);

    StartupRequest empty = AnalyseCommandLine(QFC::String("/CREATE /GUID="));
    EXPECT_TRUE(empty.identifierGiven);
    EXPECT_TRUE(empty.productIdentifier.isEmpty());
    EXPECT_TRUE(AnalyseCommandLine(QFC::String("/CREATE /GUID= X")).productIdentifier.isEmpty());

    StartupRequest recovery = AnalyseCommandLine(QFC::String("/GUID={ABC}"));
    EXPECT_FALSE(recovery.backup);
    EXPECT_TRUE(recovery.productIdentifier.isEmpty());

    EXPECT_TRUE(AnalyseCommandLine(QFC::String("/CREATEXYZ /GUID=1")).backup);
    EXPECT_EQ("A\tB", text(AnalyseCommandLine(QFC::String("/CREATE /GUID=a\tb")).productIdentifier));
    EXPECT_EQ("\"{Q}\"", text(AnalyseCommandLine(QFC::String("/CREATE /GUID=\"{q}\" x")).productIdentifier));
}

TEST(PathMacros, DirectoriesReplaceEverythingBeforeThem)
{
    std::string system = withBackslash(QFC::systemDirectory());
    std::string windows = text(QFC::windowsDirectory());
    EXPECT_EQ(system, expanded("<sysdir>"));
    EXPECT_EQ(windows + "y\\", expanded("x<windir>y"));
    EXPECT_EQ(windows + "\\Brenvick\\ZEPH\\Info\\", expanded("<windir>\\Brenvick\\ZEPH\\Info"));
    EXPECT_EQ("ABC", expanded("ABC"));
    EXPECT_EQ("<WINDIR>x", expanded("<WINDIR>x"));
}

TEST(PathMacros, GuidKeepsTheTextAroundIt)
{
    EXPECT_EQ("before{ID}after", expanded("before<guid>after"));
    EXPECT_EQ("{ID}", expanded("<guid>"));
    EXPECT_EQ("x\\\\y", expanded("x\\<guid>\\y", ""));
    EXPECT_EQ("a{ID}b<guid>", expanded("a<guid>b<guid>"));  // the first occurrence only
    std::string windows = text(QFC::windowsDirectory());
    EXPECT_EQ(windows + "\\{ID}\\", expanded("<windir>\\<guid>"));
}
