#include "platform/Profile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>

using namespace zolvera::platform;
using zolvera::test::readFile;
using zolvera::test::TempDir;
using zolvera::test::writeFile;

TEST(ProfileRead, ParsesIntegersAsWindowsDoes) {
    TempDir dir;
    const std::string ini = dir / "Zolvera.ini";
    const std::pair<const char*, int> cases[] = {
        {"50", 50},
        {"0x0A", 10},
        {"0XfF", 255},
        {"$A", 10},
        {" 7 ", 7},
        {"\t-5", -5},
        {"+5", 5},
        {"7s", 1},
        {"", 1},
        {"0x", 1},
        {"$", 1},
        {"+-5", 1},
        {"0x-5", 1},
        {"- 5", 1},
        {"2147483648", 1},
        {"-2147483648", INT_MIN},
        {"0xFFFFFFFF", -1},
        {"$100000000", 1},
        {"yes", 1},
    };
    for (const auto& [text, expected] : cases) {
        writeFile(ini, std::string("[Defaults]\r\nLeptet=") + text + "\r\n");
        EXPECT_EQ(readProfileInt(ini, "Defaults", "Leptet", 1), expected) << '"' << text << '"';
    }
}

TEST(ProfileRead, FindsSectionAndKeyWithoutRegardToCase) {
    TempDir dir;
    const std::string ini = dir / "Zolvera.ini";
    EXPECT_EQ(readProfileInt(ini, "Defaults", "Nyujt", 0), 0);
    writeFile(ini, "Nyujt=5\n[Other]\nNyujt=3\n[ defaults ]\r\n  nyujt = 2  \r\nNev= a b \r\n");
    EXPECT_EQ(readProfileInt(ini, "Defaults", "Nyujt", 0), 2);
    EXPECT_EQ(readProfileString(ini, "DEFAULTS", "nev", "x"), "a b");
    EXPECT_EQ(readProfileInt(ini, "Defaults", "Leptet", 1), 1);
    EXPECT_EQ(readProfileInt(ini, "Nincs", "Nyujt", 0), 0);
}

TEST(ProfileWrite, KeepsEveryOtherLineByteForByte) {
    TempDir dir;
    const std::string ini = dir / "Zolvera.ini";
    const std::string before = "; megjegyzés \xF5\r\n[Other]\r\nLeptet=9\r\n\r\n"
                               "[Defaults]\nleptet = 3\nx=y\n\n[Tail]\r\nk=v";
    writeFile(ini, before);

    EXPECT_TRUE(writeProfileString(ini, "defaults", "Leptet", "7"));
    EXPECT_TRUE(writeProfileString(ini, "Defaults", "Teljes", "1"));
    EXPECT_TRUE(writeProfileString(ini, "Tail", "k2", "w"));
    EXPECT_TRUE(writeProfileString(ini, "Uj", "IndexHV", "-1"));
    EXPECT_EQ(readFile(ini), "; megjegyzés \xF5\r\n[Other]\r\nLeptet=9\r\n\r\n"
                             "[Defaults]\nleptet=7\nx=y\nTeljes=1\r\n\n"
                             "[Tail]\r\nk=v\r\nk2=w\r\n[Uj]\r\nIndexHV=-1\r\n");
    EXPECT_EQ(readProfileInt(ini, "Defaults", "Leptet", 1), 7);
    EXPECT_EQ(readProfileInt(ini, "Other", "Leptet", 1), 9);
}

TEST(ProfileWrite, CreatesTheFileOrReportsFailure) {
    TempDir dir;
    const std::string ini = dir / "Zolvera.ini";
    EXPECT_TRUE(writeProfileString(ini, "Defaults", "Nyujt", "0"));
    EXPECT_TRUE(writeProfileString(ini, "Defaults", "Leptet", "1"));
    EXPECT_EQ(readFile(ini), "[Defaults]\r\nNyujt=0\r\nLeptet=1\r\n");

    writeFile(dir / "file", "x");
    EXPECT_FALSE(writeProfileString(dir / "file/Zolvera.ini", "Defaults", "Nyujt", "1"));
    // A value that would break into a second line could not be read back.
    EXPECT_FALSE(writeProfileString(ini, "Defaults", "Nyujt", "1\r\n[Evil]"));
    EXPECT_EQ(readFile(ini), "[Defaults]\r\nNyujt=0\r\nLeptet=1\r\n");
}
