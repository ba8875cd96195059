#include "library/Settings.h"
#include "FailureText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <tuple>

using namespace zolvera::library;
using zolvera::test::readFile;
using zolvera::test::TempDir;
using zolvera::test::writeFile;

TEST(Settings, DefaultsAndTheFileCreatedOnFirstSave) {
    TempDir dir;
    const std::string ini = dir / "Zolvera.ini";
    TBeall beall;
    beall.LoadSettings(ini);
    EXPECT_EQ(std::tuple(beall.Nyujt, beall.Leptet, beall.Teljes, beall.IndexHV, beall.IndexBV),
              std::tuple(false, 1, false, 1, 1));
    beall.SaveSettings(ini);
    EXPECT_EQ(readFile(ini),
              "[Defaults]\r\nNyujt=0\r\nLeptet=1\r\nTeljes=0\r\nIndexHV=1\r\nIndexBV=1\r\n");
}

TEST(Settings, ValuesAreReadAsIntegersAndOtherLinesSurvive) {
    TempDir dir;
    const std::string ini = dir / "Zolvera.ini";
    for (const auto& [text, expected] : std::vector<std::pair<std::string, int>>{
             {"0x0A", 10}, {"$A", 10}, {" 7 ", 7}, {"7s", 1}, {"50", 50}, {"", 1}}) {
        writeFile(ini, "[Defaults]\r\nLeptet=" + text + "\r\n");
        TBeall beall;
        beall.LoadSettings(ini);
        EXPECT_EQ(beall.Leptet, expected) << '"' << text << '"';
    }

    const std::string before = "; kept\r\n[internet]\r\nServer= csomagok.example:8080\r\n"
                               "[Other]\r\nNyujt=0\r\nodd line\r\n\r\n[defaults]\r\n";
    writeFile(ini, before + "Nyujt=2\r\nTeljes=yes\r\n[Last]\r\nx=1\r\n");
    TBeall beall;
    beall.LoadSettings(ini);
    EXPECT_TRUE(beall.Nyujt);
    EXPECT_FALSE(beall.Teljes);
    EXPECT_EQ(beall.Server, "csomagok.example:8080");
    beall.SaveSettings(ini);
    EXPECT_EQ(readFile(ini), before +
                                 "Nyujt=1\r\nTeljes=0\r\nLeptet=1\r\nIndexHV=1\r\nIndexBV=1\r\n"
                                 "[Last]\r\nx=1\r\n");
}

TEST(Settings, SavingStopsAtTheFirstKeyThatCannotBeWritten) {
    TempDir dir;
    const std::string ini = dir / "Zolvera.ini";
    TBeall beall;
    beall.LoadSettings(ini);
    // A file size limit lets the first two updates through (31 bytes) and stops the third
    // (41 bytes), whoever runs the test: a read-only folder would not stop root.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 36;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const std::string text = zolvera::test::failureText([&] { beall.SaveSettings(ini); });
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(text, "Unable to write to " + ini);
    EXPECT_EQ(readFile(ini), "[Defaults]\r\nNyujt=0\r\nLeptet=1\r\n");
}
