#include "packages/InstallPackage.h"
#include "PackageTestSupport.h"
#include "library/FailureText.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace zolvera;
using namespace zolvera::test;
using Tree = std::vector<std::string>;

namespace {

void install(LibraryFixture& f, const std::string& packagePath) {
    packages::InstallPackage(f.library, packagePath);
}

std::string groupList(const LibraryFixture& f) {
    return readFile(f.app + "/Zolvera.lst");
}

} // namespace

TEST(InstallPackage, TelExampleBecomesTheLastGroupWithItsCover) {
    LibraryFixture f;
    f.startWith({"Tajak"});
    install(f, f.writePackage("Tel.dta", kTelPackage));

    EXPECT_EQ(treeOf(f.app + "/Hatterek"), (Tree{"Tajak/", "Tel/", "Tel/a.jpg", "Tel/init.jpg"}));
    EXPECT_EQ(readFile(f.groupFile("Tel", "a.jpg")), "\x33\x44\x55");
    EXPECT_EQ(readFile(f.groupFile("Tel", "init.jpg")), "\x11\x22");
    EXPECT_EQ(groupList(f), "Tajak\r\nTel\r\n");
    EXPECT_EQ(f.library.groups().items(), (Tree{"Tajak", "Tel"}));
    EXPECT_EQ(f.view.log.back(), "showGroup:0");
}

TEST(InstallPackage, EmptyGroupsAndContentsOfEveryAllowedSize) {
    LibraryFixture f;
    install(f, f.writePackage("ures.dta", packageBytes("\xDCres", {})));
    EXPECT_EQ(treeOf(f.app + "/Hatterek"), (Tree{"Üres/"}));

    std::string largest(800000, '\0');
    for (std::size_t i = 0; i < largest.size(); ++i)
        largest[i] = static_cast<char>(i * 7 % 251);
    const std::string longest = std::string(96, 'n') + ".jpg";
    install(f, f.writePackage(
                   "g.dta",
                   packageBytes("G", {{"semmi.jpg", ""}, {"nagy.jpg", largest}, {longest, "x"}})));
    EXPECT_EQ(treeOf(f.app + "/Hatterek/G"), (Tree{"nagy.jpg", longest, "semmi.jpg"}));
    EXPECT_EQ(readFile(f.groupFile("G", "nagy.jpg")), largest);
    EXPECT_EQ(readFile(f.groupFile("G", "semmi.jpg")), "");
    // The group name is Windows-1250 in the package and UTF-8 on disk and in the list file.
    EXPECT_EQ(groupList(f), "\xDCres\r\nG\r\n");
}

TEST(InstallPackage, OverAnExistingGroupKeepsOtherPicturesAndReplacesSameNamesAndCover) {
    LibraryFixture f;
    f.startWith({"tel"});
    writeFile(f.groupFile("tel", "old.jpg"), "old");
    writeFile(f.groupFile("tel", "a.jpg"), "previous");
    writeFile(f.groupFile("tel", "INIT.JPG"), "previous cover");

    for (int round = 0; round < 2; ++round) {
        install(f, f.writePackage("Tel.dta", kTelPackage));
        EXPECT_EQ(treeOf(f.app + "/Hatterek"),
                  (Tree{"tel/", "tel/a.jpg", "tel/init.jpg", "tel/old.jpg"}));
        EXPECT_EQ(readFile(f.groupFile("tel", "old.jpg")), "old");
        EXPECT_EQ(readFile(f.groupFile("tel", "a.jpg")), "\x33\x44\x55");
        EXPECT_EQ(readFile(f.groupFile("tel", "init.jpg")), "\x11\x22");
        // Listed already (in another case): not appended, but reloaded and shown.
        EXPECT_EQ(groupList(f), "tel\r\n");
        EXPECT_EQ(f.view.log, (Tree{"clearGroupColumn", "buildGroupColumn", "showGroup:0"}));
        f.view.log.clear();
    }
}

TEST(InstallPackage, EntriesThatWouldLeaveTheGroupOrCannotBeCreatedAreSkipped) {
    LibraryFixture f;
    std::filesystem::create_directories(f.groupFile("G", "sub"));
    const std::string path = f.writePackage(
        "g.dta", packageBytes("G", {{"..", "1"},
                                    {".", "2"},
                                    {"../kint.jpg", "3"},
                                    {"..\\kint.jpg", "4"},
                                    {"sub/b.jpg", "5"},
                                    {"C:kint.jpg", "6"},
                                    {"a.jpg:rejtett", "7"},
                                    {"x\x01.jpg", "8"},
                                    {"x\x81.jpg", "9"}, // unassigned in Windows-1250: a control
                                    {"sub", "10"},      // a folder is there
                                    {"ok.jpg", "ok"}}));
    install(f, path);

    EXPECT_EQ(treeOf(f.root.path()),
              (Tree{"app/", "app/Hatterek/", "app/Hatterek/G/", "app/Hatterek/G/ok.jpg",
                    "app/Hatterek/G/sub/", "app/Zolvera.lst", "in/", "in/g.dta"}));
    EXPECT_EQ(readFile(f.groupFile("G", "ok.jpg")), "ok");
    EXPECT_EQ(groupList(f), "G\r\n");
}

TEST(InstallPackage, AGroupNameThatIsNotOneFolderNameInstallsNothing) {
    for (const std::string name : {"..", ".", "../Kint", "a/b", "..\\..", "C:", "x\ty", "\x90"}) {
        SCOPED_TRACE(name);
        LibraryFixture f;
        const std::string path = f.writePackage("p.dta", packageBytes(name, {{"a.jpg", "x"}}));
        const Tree before = treeOf(f.root.path());
        const std::string text = failureText([&] { install(f, path); });
        EXPECT_NE(text.find("\"" + path + "\""), std::string::npos) << text;
        EXPECT_EQ(treeOf(f.root.path()), before);
        EXPECT_EQ(groupList(f), "");
        EXPECT_TRUE(f.view.log.empty());
    }
}

TEST(InstallPackage, ADamagedPackageIsReportedAndKeepsWhatWasSoundBeforeTheDamage) {
    const std::string sound = le32(1) + "G" + le32(5) + "a.jpg" + le32(2) + "ok";
    const std::string entryB = le32(5) + "b.jpg";
    struct Case {
        const char* what;
        std::string bytes;
        bool groupAdded;
    };
    const Case cases[] = {
        {"empty file", "", false},
        {"cut group name length", std::string("\x01\x00", 2), false},
        {"group name length 0", le32(0) + "G", false},
        {"group name length 101", le32(101) + std::string(101, 'g'), false},
        {"negative group name length", le32(-1) + "G", false},
        {"group name past the end", le32(5) + "Tel", false},
        {"entry name length 0", sound + le32(0) + le32(1) + "x", true},
        {"entry name length 101", sound + le32(101) + std::string(101, 'n') + le32(0), true},
        {"negative entry name length", sound + le32(-5) + "b", true},
        {"entry name past the end", sound + le32(10) + "b.j", true},
        {"cut name length", sound + std::string("\x05", 1), true},
        {"no content length", sound + entryB, true},
        {"cut content length", sound + entryB + std::string("\x01\x00", 2), true},
        {"negative content length", sound + entryB + le32(-1) + "x", true},
        {"content length 800001", sound + entryB + le32(800001) + std::string(800001, 'c'), true},
        {"content past the end", sound + entryB + le32(10) + "short", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LibraryFixture f;
        const std::string path = f.writePackage("p.dta", c.bytes);
        const std::string text = failureText([&] { install(f, path); });
        EXPECT_EQ(text,
                  "A(z) \"" + path +
                      "\" csomag sérült vagy hiányos, a telepítés a hibás résznél megszakadt.");
        const Tree expected =
            c.groupAdded ? Tree{"Hatterek/", "Hatterek/G/", "Hatterek/G/a.jpg", "Zolvera.lst"}
                         : Tree{"Hatterek/", "Zolvera.lst"};
        EXPECT_EQ(treeOf(f.app), expected);
        EXPECT_EQ(groupList(f), c.groupAdded ? "G\r\n" : "");
    }
}

TEST(InstallPackage, MissingPackageOrGroupFolderAddsNoGroupToADamagedInstallation) {
    LibraryFixture f;
    const std::string missing = f.root / "in/nincs.dta";
    EXPECT_EQ(failureText([&] { install(f, missing); }),
              "A(z) \"" + missing + "\" csomag telepítése nem sikerült: File not found.");

    std::filesystem::remove(f.app + "/Hatterek");
    const std::string damaged = f.writePackage("p.dta", packageBytes("G", {}) + le32(0));
    EXPECT_NE(failureText([&] { install(f, damaged); }), "");
    EXPECT_EQ(groupList(f), "");
    EXPECT_TRUE(f.view.log.empty());
}

TEST(InstallPackage, AFailedWriteEndsTheInstallationWithoutLeavingACutPicture) {
    LibraryFixture f;
    const std::string path = f.writePackage(
        "p.dta",
        packageBytes("G", {{"a.jpg", "ok"}, {"big.jpg", std::string(5000, 'b')}, {"c.jpg", "c"}}));
    std::string text;
    {
        FileSizeLimit limit(4096);
        text = failureText([&] { install(f, path); });
    }
    EXPECT_EQ(text, "A(z) \"" + path + "\" csomag telepítése nem sikerült: Disk full.");
    EXPECT_EQ(treeOf(f.app + "/Hatterek"), (Tree{"G/", "G/a.jpg"}));
    EXPECT_EQ(groupList(f), "G\r\n");
}
