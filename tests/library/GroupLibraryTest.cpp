#include "library/GroupLibrary.h"
#include "FailureText.h"
#include "FakeLibraryView.h"
#include "support/FolderLockHolder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <sys/wait.h>
#include <unistd.h>

using namespace zolvera::library;
using zolvera::test::failureText;
using zolvera::test::FakeLibraryView;
using zolvera::test::FolderLockHolder;
using zolvera::test::readFile;
using zolvera::test::TempDir;
using zolvera::test::writeFile;
namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;
const std::string kMissing = "info:Nem létező könyvtár a zolvera.lst file-ban. Törölve.";

class GroupLibraryTest : public ::testing::Test {
protected:
    GroupLibraryTest() { fs::create_directory(home / "Hatterek"); }

    // A group folder holding the given files, each file's content being its own name.
    void makeGroup(const std::string& name, const Lines& files) {
        fs::create_directories(home / ("Hatterek/" + name));
        for (const auto& file : files)
            writeFile(home / ("Hatterek/" + name + "/" + file), file);
    }
    void writeList(const std::string& bytes) { writeFile(library.groupListPath(), bytes); }
    std::string listFile() const { return readFile(library.groupListPath()); }
    bool exists(const std::string& relative) const { return fs::exists(home / relative); }

    TempDir home;
    FakeLibraryView view;
    GroupLibrary library{home.path(), view};
};

} // namespace

TEST_F(GroupLibraryTest, ReloadDropsEmptyAndMissingEntriesAndRewritesTheFile) {
    makeGroup("Tajak", {"init.jpg"});
    makeGroup("Allatok", {"init.jpg"});
    writeList("Tajak\r\n\r\nAllatok\r\nNincs\r\n");
    library.setCurrentGroup(1);

    library.ReloadGroups();
    EXPECT_EQ(library.groups().items(), (Lines{"Tajak", "Allatok"}));
    EXPECT_EQ(library.currentGroup(), 0);
    EXPECT_EQ(view.log, (Lines{"clearGroupColumn", kMissing, "buildGroupColumn"}));
    EXPECT_EQ(listFile(), "Tajak\r\nAllatok\r\n");

    // Nothing to drop: the file is still rewritten, with CR LF.
    writeList("Tajak\nAllatok");
    library.ReloadGroups();
    EXPECT_EQ(listFile(), "Tajak\r\nAllatok\r\n");

    // Without a file the reload stops after clearing, and creates none.
    fs::remove(library.groupListPath());
    view.log.clear();
    EXPECT_EQ(failureText([&] { library.ReloadGroups(); }).rfind("Cannot open file", 0), 0u);
    EXPECT_EQ(library.groups().count(), 0);
    EXPECT_FALSE(exists("Zolvera.lst"));
    EXPECT_EQ(view.log, Lines{"clearGroupColumn"});
}

TEST_F(GroupLibraryTest, ReloadWalksBackwardsAndAcceptsOnlyGroupFolders) {
    makeGroup("Tajak", {});
    writeFile(home / "Hatterek/Fajl", "a file, not a folder");
    writeList("Tajak\r\ntajak\r\nNincs\r\n..\r\n.\r\nTajak/..\r\nFajl\r\n");
    // The message for an entry comes while that entry is still the last one in the list; past
    // the first three (a damaged list may name thousands) one message counts the rest.
    Lines lastAtMessage;
    view.onShowInfo = [&](const std::string&) {
        lastAtMessage.push_back(library.groups().at(library.groups().count() - 1));
    };

    library.ReloadGroups();
    EXPECT_EQ(lastAtMessage, (Lines{"Fajl", "Tajak/..", ".", "tajak"}));
    EXPECT_EQ(view.log.at(view.log.size() - 2),
              "info:További 2 nem létező könyvtár a zolvera.lst file-ban. Törölve.");
    // Folder names match without regard to case.
    EXPECT_EQ(library.groups().items(), (Lines{"Tajak", "tajak"}));
    EXPECT_EQ(listFile(), "Tajak\r\ntajak\r\n");
}

TEST_F(GroupLibraryTest, DeletingAGroupReportsBeforeDeletingAndKeepsSubFolders) {
    makeGroup("Allatok", {"init.jpg"});
    makeGroup("Tajak", {"init.jpg", "a.jpg", "notes.txt", ".hidden"});
    makeGroup("Tajak/sub", {"keep.jpg"});
    writeList("Allatok\r\nTajak\r\n");
    library.ReloadGroups();
    view.log.clear();
    library.setCurrentGroup(1);
    library.setCurrentPicture(3);

    view.confirmAnswers = {false};
    library.deleteCurrentGroup();
    EXPECT_EQ(view.log, Lines{"confirm:Valóban töröljem a Tajak csoportot?|Megerősítés"});
    EXPECT_TRUE(exists("Hatterek/Tajak/init.jpg"));

    view.log.clear();
    view.onShowInfo = [&](const std::string&) {
        EXPECT_EQ(listFile(), "Allatok\r\n");
        EXPECT_TRUE(exists("Hatterek/Tajak/init.jpg") && exists("Hatterek/Tajak/notes.txt"));
    };
    library.deleteCurrentGroup();
    EXPECT_EQ(view.log, (Lines{"confirm:Valóban töröljem a Tajak csoportot?|Megerősítés",
                               "info:Csoport eltávolítása kész.", "clearGroupColumn",
                               "buildGroupColumn", "displayGroup:0"}));
    std::vector<std::string> left;
    for (const auto& entry : fs::recursive_directory_iterator(home / "Hatterek/Tajak"))
        left.push_back(entry.path().filename().string());
    std::ranges::sort(left);
    EXPECT_EQ(left, (Lines{"keep.jpg", "sub"}));
    EXPECT_EQ(library.groups().items(), Lines{"Allatok"});
    EXPECT_EQ(library.currentGroup(), 0);
    EXPECT_EQ(library.currentPicture(), 3);
}

// Links lead outside the library: deleting a group never deletes what they lead to.
TEST_F(GroupLibraryTest, DeletingAGroupNeverDeletesThroughALink) {
    writeFile(home / "outside/a.jpg", "a");
    makeGroup("Tajak", {"init.jpg"});
    fs::create_symlink(home / "outside/a.jpg", home / "Hatterek/Tajak/a.jpg");
    fs::create_directory_symlink(home / "outside", home / "Hatterek/Tajak/mappa.jpg");
    fs::create_directory_symlink(home / "outside", home / "Hatterek/Evil");
    writeList("Evil\r\nTajak\r\n");
    library.ReloadGroups();
    view.log.clear();

    EXPECT_EQ(failureText([&] { library.deleteCurrentGroup(); }),
              "A(z) \"Evil\" csoport nem törölhető, mert a könyvtára szimbolikus link, amely a "
              "képtáron kívülre mutathat.");
    EXPECT_TRUE(view.log.empty());
    EXPECT_EQ(listFile(), "Evil\r\nTajak\r\n");

    library.setCurrentGroup(1);
    library.deleteCurrentGroup();
    EXPECT_FALSE(exists("Hatterek/Tajak"));
    EXPECT_EQ(readFile(home / "outside/a.jpg"), "a");
    EXPECT_EQ(listFile(), "Evil\r\n");
}

TEST_F(GroupLibraryTest, DeletingAGroupListedTwiceRemovesItsFolderAndThenTheOtherEntry) {
    makeGroup("Tajak", {"a.jpg", "b.txt"}); // no cover
    writeList("Tajak\r\nTajak\r\n");
    library.ReloadGroups();
    view.log.clear();

    library.deleteCurrentGroup();
    EXPECT_FALSE(exists("Hatterek/Tajak"));
    EXPECT_EQ(library.groups().count(), 0);
    EXPECT_EQ(listFile(), "");
    EXPECT_EQ(view.log, (Lines{"confirm:Valóban töröljem a Tajak csoportot?|Megerősítés",
                               "info:Csoport eltávolítása kész.", "clearGroupColumn", kMissing,
                               "buildGroupColumn", "displayGroup:0"}));
}

TEST_F(GroupLibraryTest, PicturesAreAddedWithReplacementAndDeletedAfterTheQuestion) {
    makeGroup("Allatok", {"init.jpg"});
    makeGroup("Tajak", {"init.jpg", "a.jpg", "b.jpg", "c.jpg"});
    writeList("Allatok\r\nTajak\r\n");
    library.ReloadGroups();
    library.setCurrentGroup(1);
    library.fillPictureList(1);
    ASSERT_EQ(library.pictures().count(), 3);
    view.log.clear();

    writeFile(home / "elsewhere/b.jpg", "new b");
    view.chosenPicture = home / "elsewhere/b.jpg";
    view.confirmAnswers = {false, true};
    library.addPicture();
    EXPECT_EQ(readFile(home / "Hatterek/Tajak/b.jpg"), "b.jpg");
    library.addPicture();
    EXPECT_EQ(readFile(home / "Hatterek/Tajak/b.jpg"), "new b");
    view.chosenPicture.reset();
    library.addPicture();
    const std::string question =
        "confirm:A(z) Tajak csoportban már van b.jpg nevű kép. Felülírjam?|Megerősítés";
    EXPECT_EQ(view.log, (Lines{"choosePicture", question, "choosePicture", question,
                               "displayGroup:1", "choosePicture"}));

    // A stale index from a bigger group deletes nothing.
    library.setCurrentPicture(5);
    view.log.clear();
    EXPECT_EQ(failureText([&] { library.deletePicture(); }), "List index out of bounds (5)");
    EXPECT_TRUE(view.log.empty());

    library.setCurrentPicture(1);
    const std::string picture = library.pictures().at(1);
    view.confirmAnswers = {false, true};
    library.deletePicture();
    EXPECT_TRUE(exists("Hatterek/Tajak/" + picture));
    library.deletePicture();
    EXPECT_FALSE(exists("Hatterek/Tajak/" + picture));
    const std::string deleteQuestion = "confirm:Töröljem a " + picture + " képet?|Megerősítés";
    EXPECT_EQ(view.log, (Lines{deleteQuestion, deleteQuestion, "displayGroup:1"}));
    EXPECT_EQ(library.currentPicture(), 1);
}

TEST_F(GroupLibraryTest, AnEmptyListIsNormalButItsCommandsReportTheIndex) {
    writeList("");
    library.ReloadGroups(); // no index error at start-up
    EXPECT_EQ(view.log, (Lines{"clearGroupColumn", "buildGroupColumn"}));
    view.log.clear();

    EXPECT_EQ(failureText([&] { library.fillPictureList(0); }), "List index out of bounds (0)");
    EXPECT_EQ(failureText([&] { library.deleteCurrentGroup(); }), "List index out of bounds (0)");
    EXPECT_EQ(failureText([&] { library.deletePicture(); }), "List index out of bounds (0)");
    writeFile(home / "elsewhere/a.jpg", "a");
    view.chosenPicture = home / "elsewhere/a.jpg";
    EXPECT_EQ(failureText([&] { library.addPicture(); }), "List index out of bounds (0)");
    EXPECT_TRUE(view.log.empty()); // no dialog for a picture that has nowhere to go
    EXPECT_EQ(listFile(), "");
}

TEST_F(GroupLibraryTest, AddingAGroupAppendsSavesReloadsAndShowsTheFirst) {
    makeGroup("Tajak", {"init.jpg"});
    makeGroup("Ősz", {"init.jpg"});
    writeList("Tajak\r\n");
    library.ReloadGroups();
    view.log.clear();

    library.addGroup("Ősz");
    EXPECT_EQ(library.groups().items(), (Lines{"Tajak", "Ősz"}));
    EXPECT_EQ(listFile(), "Tajak\r\n\xD5sz\r\n");
    EXPECT_EQ(view.log, (Lines{"clearGroupColumn", "buildGroupColumn", "displayGroup:0"}));

    // A name the file cannot hold changes neither the list nor the file.
    view.log.clear();
    EXPECT_EQ(failureText([&] {
                  library.addGroup("漢");
              }).rfind("Cannot create file \"" + library.groupListPath() + "\". ", 0),
              0u);
    EXPECT_EQ(library.groups().items(), (Lines{"Tajak", "Ősz"}));
    EXPECT_EQ(listFile(), "Tajak\r\n\xD5sz\r\n");
    EXPECT_TRUE(view.log.empty());
}

// Another program (a second window, an installation) changed the list after this one read it:
// adding and deleting change the file as it is on disk, never write back the older copy.
TEST_F(GroupLibraryTest, AddingAndDeletingKeepWhatAnotherProgramListedMeanwhile) {
    for (const char* name : {"Tajak", "Masik", "Uj"})
        makeGroup(name, {"init.jpg"});
    writeList("Tajak\r\n");
    library.ReloadGroups();

    writeList("Tajak\r\nMasik\r\n");
    library.addGroup("Uj");
    EXPECT_EQ(listFile(), "Tajak\r\nMasik\r\nUj\r\n");

    writeList("Tajak\r\nUj\r\nMasik\r\n");
    library.setCurrentGroup(2); // "Uj" in the window, at another place in the file
    library.deleteCurrentGroup();
    EXPECT_EQ(listFile(), "Tajak\r\nMasik\r\n");
    EXPECT_EQ(library.groups().items(), (Lines{"Tajak", "Masik"}));
}

// Another program holding the library's lock: a change waits only as long as the view says, one
// given up leaves the list and the files as they were, and one waited for goes through.
TEST_F(GroupLibraryTest, AHeldLockIsWaitedForOnlyAsLongAsTheViewSays) {
    makeGroup("Tajak", {"init.jpg", "a.jpg"});
    makeGroup("Masik", {"init.jpg"});
    writeList("Tajak\r\nMasik\r\n");
    library.ReloadGroups();
    FolderLockHolder holder(home.path());
    view.log.clear();

    view.keepWaitingAnswers = {true, false};
    EXPECT_EQ(failureText([&] { library.deleteCurrentGroup(); }),
              "A képtárat most egy másik ablak vagy program használja, ezért a módosítás "
              "elmaradt.");
    EXPECT_EQ(view.log, (Lines{"confirm:Valóban töröljem a Tajak csoportot?|Megerősítés",
                               "keepWaiting", "keepWaiting"}));
    EXPECT_EQ(listFile(), "Tajak\r\nMasik\r\n");
    EXPECT_TRUE(exists("Hatterek/Tajak/a.jpg"));

    view.onKeepWaiting = [&] { holder.release(); };
    view.keepWaitingAnswers = {true};
    library.deleteCurrentGroup();
    EXPECT_EQ(listFile(), "Masik\r\n");
    EXPECT_FALSE(exists("Hatterek/Tajak"));
}

// Two programs adding groups at the same moment, over and over: each change is made under the
// folder's lock, so every name ends up listed, once.
TEST_F(GroupLibraryTest, TwoProcessesAddingAtOnceListEveryGroup) {
    constexpr int kRounds = 100;
    std::vector<std::string> expected;
    for (int round = 0; round < kRounds; ++round)
        for (const char* prefix : {"A", "B"}) {
            expected.push_back(prefix + std::to_string(round));
            fs::create_directories(home / ("Hatterek/" + expected.back()));
        }
    writeList("");
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    pid_t children[2];
    for (int child = 0; child < 2; ++child) {
        children[child] = fork();
        ASSERT_GE(children[child], 0);
        if (children[child] == 0) {
            close(start[1]);
            char go = 0;
            (void)!read(start[0], &go, 1); // returns when the parent closes its end
            FakeLibraryView childView;
            // Waits for the other as long as it takes.
            childView.onKeepWaiting = [&] { childView.keepWaitingAnswers.push_back(true); };
            GroupLibrary childLibrary(home.path(), childView);
            for (int round = 0; round < kRounds; ++round)
                childLibrary.addGroup((child == 0 ? "A" : "B") + std::to_string(round));
            _exit(0);
        }
    }
    close(start[0]);
    close(start[1]); // both start now
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    library.ReloadGroups();
    Lines listed = library.groups().items();
    std::ranges::sort(listed);
    std::ranges::sort(expected);
    EXPECT_EQ(listed, expected);
}
