#include "platform/File.h"

#include "platform/Failure.h"
#include "platform/FileSystem.h"

#include "library/FailureText.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

using namespace zolvera;
using namespace zolvera::platform;
using zolvera::test::readFile;
using zolvera::test::TempDir;
using zolvera::test::writeFile;

TEST(File, WritesAndReadsThroughNamesInAnyCase) {
    TempDir dir;
    writeFile(dir / "Adat.bin", "old contents");
    {
        File out = File::create(dir / "ADAT.BIN");
        out.write("new", 3);
        out.close();
    }
    EXPECT_EQ(listByMask(dir / "*").size(), 3u); // ".", ".." and the one file
    File in = File::openRead(dir / "adat.bin");
    EXPECT_EQ(in.size(), 3u);
    char buffer[8] = {};
    EXPECT_EQ(in.read(buffer, sizeof buffer), 3u);
    EXPECT_EQ(std::string(buffer, 3), "new");
    EXPECT_EQ(in.read(buffer, sizeof buffer), 0u);
    EXPECT_EQ(readWholeFile(dir / "ADAT.bin"), "new");
}

TEST(File, ReportsFailuresWithTheirCodesAndSystemTexts) {
    TempDir dir;
    writeFile(dir / "file", "x");
    const std::string missing = dir / "nincs.txt";
    try {
        static_cast<void>(File::openRead(missing));
        FAIL() << "opened a missing file";
    } catch (const IoFailure& failure) {
        EXPECT_EQ(failure.code(), 2);
        EXPECT_EQ(failure.reason(), "No such file or directory");
    }
    EXPECT_EQ(test::failureText([&] { static_cast<void>(readWholeFile(missing)); }),
              "Cannot open file \"" + missing + "\". No such file or directory");
    EXPECT_THROW(File::openRead(dir.path()), IoFailure); // a folder is not a file
    // A pipe named like a picture, with nobody writing to it, must not block the program.
    ASSERT_EQ(mkfifo((dir / "pipe.jpg").c_str(), 0666), 0);
    EXPECT_THROW(readWholeFile(dir / "pipe.jpg"), Failure);

    // A parent that is a regular file: the write fails even for root.
    try {
        static_cast<void>(File::create(dir / "file/new.txt"));
        FAIL() << "created a file under a file";
    } catch (const IoFailure& failure) {
        EXPECT_EQ(failure.code(), 3);
        EXPECT_EQ(failure.reason(), "Not a directory");
    }
}

TEST(File, ShortWriteIsDiskFull) {
    File full = File::create("/dev/full");
    try {
        full.write("x", 1);
        FAIL() << "wrote to a full device";
    } catch (const IoFailure& failure) {
        EXPECT_EQ(failure.code(), 101);
        EXPECT_STREQ(failure.what(), "Disk full");
    }
}

TEST(ReplaceFileAtomically, ReplacesOrLeavesTheOldFileAlone) {
    TempDir dir;
    writeFile(dir / "Lista.lst", "old");
    replaceFileAtomically(dir / "lista.LST", "new");
    EXPECT_EQ(readFile(dir / "Lista.lst"), "new");
    replaceFileAtomically(dir / "uj.lst", "");
    EXPECT_TRUE(fileExists(dir / "uj.lst"));

    EXPECT_THROW(replaceFileAtomically(dir / "Lista.lst/x", "bytes"), IoFailure);
    ASSERT_TRUE(createFolder(dir / "mappa"));
    EXPECT_THROW(replaceFileAtomically(dir / "mappa", "bytes"), IoFailure);
    EXPECT_TRUE(folderExists(dir / "mappa"));
    {
        test::FileSizeLimit full(2);
        EXPECT_THROW(replaceFileAtomically(dir / "Lista.lst", "longer"), IoFailure);
    }
    EXPECT_EQ(readFile(dir / "Lista.lst"), "new");
    // No temporary file is left behind.
    EXPECT_EQ(listByMask(dir / "*").size(), 5u);
}

// A settings or list file that is a link stays a link: the file it leads to gets the content,
// also when that file does not exist yet.
TEST(ReplaceFileAtomically, ReplacesTheFileALinkLeadsTo) {
    TempDir dir;
    writeFile(dir / "real/Zolvera.ini", "old");
    std::filesystem::create_directory(dir / "app");
    std::filesystem::create_symlink("../real/Zolvera.ini", dir / "app/Zolvera.ini");
    std::filesystem::create_symlink(dir / "real/new.lst", dir / "app/Zolvera.lst");
    replaceFileAtomically(dir / "app/zolvera.ini", "new");
    replaceFileAtomically(dir / "app/Zolvera.lst", "list");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "app/Zolvera.ini"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "app/Zolvera.lst"));
    EXPECT_EQ(readFile(dir / "real/Zolvera.ini"), "new");
    EXPECT_EQ(readFile(dir / "real/new.lst"), "list");
}
