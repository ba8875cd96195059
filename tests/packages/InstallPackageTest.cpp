#include "packages/InstallPackage.h"
#include "PackageTestSupport.h"
#include "library/FailureText.h"
#include "picture/Picture.h"
#include "support/JpegFixtures.h"

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>

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
    EXPECT_EQ(f.view.log.back(), "displayGroup:0");
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
        EXPECT_EQ(f.view.log, (Tree{"clearGroupColumn", "buildGroupColumn", "displayGroup:0"}));
        f.view.log.clear();
    }
}

// The group folder's names are read once: a name in another case, already there or written
// earlier by the same package, is still the same file.
TEST(InstallPackage, NamesDifferingOnlyInCaseReplaceOneFile) {
    LibraryFixture f;
    f.startWith({"tel"});
    writeFile(f.groupFile("tel", "Régi.JPG"), "old");
    install(f,
            f.writePackage("Tel.dta", packageBytes("tel", {{"R\xC9GI.jpg", "new"}, // Windows-1250
                                                           {"kep.jpg", "first"},
                                                           {"KEP.JPG", "second"},
                                                           {"Init.jpg", "cover"}})));
    EXPECT_EQ(treeOf(f.app + "/Hatterek"),
              (Tree{"tel/", "tel/Régi.JPG", "tel/init.jpg", "tel/kep.jpg"}));
    EXPECT_EQ(readFile(f.groupFile("tel", "Régi.JPG")), "new");
    EXPECT_EQ(readFile(f.groupFile("tel", "kep.jpg")), "second");
}

// Every cover entry, in any case, replaces the one before and leaves one "init.jpg", also
// where the folder held the cover in other spellings.
TEST(InstallPackage, RepeatedCoverEntriesLeaveOneCoverAndEveryPicture) {
    LibraryFixture f;
    f.startWith({"tel"});
    writeFile(f.groupFile("tel", "Init.JPG"), "old");
    writeFile(f.groupFile("tel", "INIT.jpg"), "older");
    std::vector<std::pair<std::string, std::string>> entries;
    Tree expected{"tel/", "tel/init.jpg"};
    for (const std::string n : {"1", "2", "3"}) {
        entries.emplace_back("k" + n + ".jpg", n);
        entries.emplace_back(n == "2" ? "init.jpg" : "INIT.JPG", "cover" + n);
        expected.push_back("tel/k" + n + ".jpg");
    }
    install(f, f.writePackage("Tel.dta", packageBytes("tel", entries)));
    EXPECT_EQ(treeOf(f.app + "/Hatterek"), expected);
    EXPECT_EQ(readFile(f.groupFile("tel", "init.jpg")), "cover3");
}

// A stopped installation lists no new group, even with its cover in place; a listed group stays.
// The progress climbs to the package's size when nothing stops it.
TEST(InstallPackage, AStoppedInstallationListsNoNewGroupAndProgressReachesTheEnd) {
    LibraryFixture f;
    f.startWith({"Tajak"});
    for (const std::string group : {"Uj", "Tajak"}) {
        SCOPED_TRACE(group);
        const std::string path = f.writePackage(
            "p.dta",
            packageBytes(group,
                         {{"Init.jpg", "c"}, {"a.jpg", "a"}, {"b.jpg", "b"}, {"c.jpg", "c"}}));
        int asked = 0;
        std::vector<std::size_t> done;
        const packages::WorkControl stopAtThird{
            .progress = [&](std::size_t at, std::size_t) { done.push_back(at); },
            .stopRequested = [&] { return ++asked == 3; }};
        EXPECT_EQ(failureText([&] { packages::InstallPackage(f.library, path, stopAtThird); }),
                  "A(z) \"" + path + "\" csomag telepítése leállt, mert kérték.");
        EXPECT_TRUE(std::filesystem::exists(f.groupFile(group, "a.jpg")));
        EXPECT_FALSE(std::filesystem::exists(f.groupFile(group, "b.jpg")));
        EXPECT_EQ(groupList(f), "Tajak\r\n");
        EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
    }

    const std::string path = f.writePackage("Tel.dta", kTelPackage);
    std::pair<std::size_t, std::size_t> last;
    packages::InstallPackage(f.library, path, {.progress = [&](std::size_t at, std::size_t total) {
                                 last = {at, total};
                             }});
    EXPECT_EQ(last, std::make_pair(kTelPackage.size(), kTelPackage.size()));
    EXPECT_EQ(groupList(f), "Tajak\r\nTel\r\n");
}

// A million empty entries would be a million files to create: the package is refused before
// anything is written.
TEST(InstallPackage, APackageOfTooManyEntriesIsRefusedBeforeAnythingIsWritten) {
    LibraryFixture f;
    std::string bytes = le32(3) + "Sok";
    for (int i = 0; i < 1'000'000; ++i) {
        const std::string name = "k" + std::to_string(i) + ".jpg";
        bytes += le32(std::int64_t(name.size())) + name + le32(0);
    }
    const std::string path = f.writePackage("sok.dta", bytes);
    EXPECT_EQ(failureText([&] { install(f, path); }),
              "A(z) \"" + path +
                  "\" csomag nem telepíthető, mert több mint 100000 fájlt tartalmaz.");
    EXPECT_EQ(treeOf(f.app), (Tree{"Hatterek/", "Zolvera.lst"}));
    EXPECT_EQ(groupList(f), "");
}

TEST(InstallPackage, EntriesThatWouldLeaveTheGroupOrCannotBeCreatedAreSkippedAndNamed) {
    LibraryFixture f;
    std::filesystem::create_directories(f.groupFile("G", "sub"));
    const std::string tooLong(100, '\x85'); // 300 bytes in UTF-8: the file system refuses it
    const std::string path =
        f.writePackage("g.dta", packageBytes("G", {{"..", "1"},
                                                   {"../kint.jpg", "3"},
                                                   {"..\\kint.jpg", "4"},
                                                   {"C:kint.jpg", "6"},
                                                   {"x\x01.jpg", "8"},
                                                   {"sub", "10"}, // a folder is there
                                                   {tooLong, "11"},
                                                   {"ok.jpg", "ok"}}));
    const std::string text = failureText([&] { install(f, path); });

    EXPECT_EQ(treeOf(f.root.path()),
              (Tree{"app/", "app/Hatterek/", "app/Hatterek/G/", "app/Hatterek/G/ok.jpg",
                    "app/Hatterek/G/sub/", "app/Zolvera.lst", "in/", "in/g.dta"}));
    EXPECT_EQ(readFile(f.groupFile("G", "ok.jpg")), "ok");
    EXPECT_EQ(groupList(f), "G\r\n");
    EXPECT_EQ(text.rfind("A(z) \"" + path + "\" csomag ezen fájljai nem települtek", 0), 0u);
    for (const std::string name : {"..", "../kint.jpg", "C:kint.jpg", "sub", "x\x01.jpg"})
        EXPECT_NE(text.find("\"" + name + "\""), std::string::npos) << name;
    EXPECT_EQ(text.find("ok.jpg"), std::string::npos);
}

TEST(InstallPackage, ThousandsOfRefusedEntriesAreCountedBeyondTheFirstTwenty) {
    LibraryFixture f;
    std::vector<std::pair<std::string, std::string>> entries;
    for (int i = 0; i < 2000; ++i)
        entries.emplace_back("x:" + std::to_string(1000 + i), "");
    const std::string text =
        failureText([&] { install(f, f.writePackage("x.dta", packageBytes("X", entries))); });
    EXPECT_NE(text.find("\"x:1019\" és még 1980 további."), std::string::npos) << text;
    EXPECT_EQ(text.find("x:1020"), std::string::npos);
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
        bool picturesKept;
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
        // The pictures that arrived stay, but a new group without its cover is not listed.
        const Tree expected =
            c.picturesKept ? Tree{"Hatterek/", "Hatterek/G/", "Hatterek/G/a.jpg", "Zolvera.lst"}
                           : Tree{"Hatterek/", "Zolvera.lst"};
        EXPECT_EQ(treeOf(f.app), expected);
        EXPECT_EQ(groupList(f), "");
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

TEST(InstallPackage, AFullDiskLeavesTheEarlierPictureAndCoverAsTheyWereAndNoNewPartialFile) {
    LibraryFixture f;
    f.startWith({"G"});
    writeFile(f.groupFile("G", "big.jpg"), "previous");
    writeFile(f.groupFile("G", "INIT.JPG"), "previous cover");
    const std::string big(5000, 'b');
    // A new entry, written at its own name, is removed again.
    for (const std::string name : {"big.jpg", "Init.jpg", "new.jpg"}) {
        SCOPED_TRACE(name);
        const std::string path = f.writePackage(
            "p.dta", packageBytes("G", {{"a.jpg", "ok"}, {name, big}, {"c.jpg", "c"}}));
        std::string text;
        {
            FileSizeLimit limit(4096);
            text = failureText([&] { install(f, path); });
        }
        EXPECT_EQ(text, "A(z) \"" + path + "\" csomag telepítése nem sikerült: Disk full.");
        EXPECT_EQ(treeOf(f.app + "/Hatterek"), (Tree{"G/", "G/INIT.JPG", "G/a.jpg", "G/big.jpg"}));
        EXPECT_EQ(readFile(f.groupFile("G", "big.jpg")), "previous");
        EXPECT_EQ(readFile(f.groupFile("G", "INIT.JPG")), "previous cover");
        EXPECT_EQ(groupList(f), "G\r\n");
    }
}

// Links in the library, placed there by hand or by another program, lead outside it; neither a
// link to a file (in any case, dangling too) nor a group folder that is a link is written
// through.
TEST(InstallPackage, NeverWritesThroughALink) {
    namespace fs = std::filesystem;
    LibraryFixture f;
    f.startWith({"Tel"});
    const std::string outside = f.root / "outside";
    writeFile(outside + "/b.jpg", "b");
    writeFile(outside + "/d.jpg", "d");
    writeFile(outside + "/cover.jpg", "cover");
    fs::create_symlink(outside + "/b.jpg", f.groupFile("Tel", "b.jpg"));
    fs::create_symlink(outside + "/d.jpg", f.groupFile("Tel", "D.JPG"));
    fs::create_symlink(outside + "/cover.jpg", f.groupFile("Tel", "init.jpg"));
    fs::create_symlink(outside + "/new.jpg", f.groupFile("Tel", "new.jpg"));
    fs::create_directory_symlink(outside, f.app + "/Hatterek/Evil");
    const Tree outsideBefore = treeOf(outside);

    const std::string tel = f.writePackage("Tel.dta", packageBytes("Tel", {{"b.jpg", "X"},
                                                                           {"d.jpg", "X"},
                                                                           {"Init.jpg", "X"},
                                                                           {"new.jpg", "X"},
                                                                           {"ok.jpg", "ok"}}));
    const std::string text = failureText([&] { install(f, tel); });
    for (const std::string name : {"b.jpg", "d.jpg", "Init.jpg", "new.jpg"})
        EXPECT_NE(text.find("\"" + name + "\""), std::string::npos) << text;
    EXPECT_EQ(readFile(f.groupFile("Tel", "ok.jpg")), "ok");

    const std::string evil = f.writePackage("Evil.dta", packageBytes("Evil", {{"b.jpg", "X"}}));
    EXPECT_EQ(failureText([&] { install(f, evil); }),
              "A(z) \"" + evil +
                  "\" csomag nem telepíthető, mert a(z) \"Evil\" csoport könyvtára szimbolikus "
                  "link.");
    EXPECT_EQ(treeOf(outside), outsideBefore);
    EXPECT_EQ(readFile(outside + "/b.jpg") + readFile(outside + "/d.jpg") +
                  readFile(outside + "/cover.jpg"),
              "bdcover");
    EXPECT_EQ(groupList(f), "Tel\r\n");
}

// A library whose group column loads every cover, as the main window's does: a listed group
// without a cover makes the reload fail.
struct CoverLoadingView : FakeLibraryView {
    library::GroupLibrary* library = nullptr;
    void buildGroupColumn() override {
        FakeLibraryView::buildGroupColumn();
        for (const std::string& group : library->groups().items())
            picture::JpegPicture::load(library->coverPath(group));
    }
};

TEST(InstallPackage, APackageCutBeforeItsCoverIsReportedAndListsNoNewGroup) {
    LibraryFixture f;
    writeJpeg(f.groupFile("Tajak", "init.jpg"));
    writeFile(f.app + "/Zolvera.lst", "Tajak\r\n");
    CoverLoadingView view;
    library::GroupLibrary library(f.app, view);
    view.library = &library;
    library.ReloadGroups();

    for (const std::string group : {"Uj", "Tajak"}) {
        SCOPED_TRACE(group);
        std::string bytes =
            packageBytes(group, {{"a.jpg", jpegBytes()}, {"Init.jpg", jpegBytes()}});
        bytes.resize(bytes.size() - 10);
        const std::string path = f.writePackage("cut.dta", bytes);
        EXPECT_EQ(failureText([&] { packages::InstallPackage(library, path); }),
                  "A(z) \"" + path +
                      "\" csomag sérült vagy hiányos, a telepítés a hibás résznél megszakadt.");
        EXPECT_TRUE(std::filesystem::exists(f.groupFile(group, "a.jpg")));
        EXPECT_EQ(groupList(f), "Tajak\r\n");
    }
}

// Runs the call in a child process that sees the folder mounted read-only and returns the text
// of the Failure it threw ("" for none); nothing where such a mount cannot be made.
std::optional<std::string> failureInReadOnlyFolder(const std::string& folder,
                                                   const std::function<void()>& call) {
    int channel[2];
    if (::pipe(channel) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        std::string answer = "-";
        if (::unshare(CLONE_NEWNS) == 0 &&
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
            ::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
            ::mount(nullptr, folder.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) ==
                0)
            answer = "+" + failureText(call);
        const ssize_t ignored = ::write(channel[1], answer.data(), answer.size());
        (void)ignored;
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string answer;
    char buffer[512];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    ::waitpid(child, nullptr, 0);
    if (answer.empty() || answer.front() != '+')
        return std::nullopt;
    return answer.substr(1);
}

TEST(InstallPackage, AnInstallationThatCannotWriteIsReported) {
    LibraryFixture f;
    f.startWith({"Tel"});
    const std::string path = f.writePackage("Tel.dta", kTelPackage);
    const auto text = failureInReadOnlyFolder(f.app + "/Hatterek", [&] { install(f, path); });
    if (!text)
        GTEST_SKIP() << "no read-only mount can be made here";
    EXPECT_EQ(*text, "A(z) \"" + path + "\" csomag telepítése nem sikerült: File access denied.");
    EXPECT_EQ(treeOf(f.app + "/Hatterek"), (Tree{"Tel/"}));
    EXPECT_EQ(groupList(f), "Tel\r\n");
}
