#include "platform/File.h"

#include "platform/Failure.h"
#include "platform/FileSystem.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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
        EXPECT_EQ(out.position(), 3u);
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

TEST(File, ReportsFailuresWithTheirTexts) {
    TempDir dir;
    writeFile(dir / "file", "x");
    const std::string missing = dir / "nincs.txt";
    try {
        File::openRead(missing);
        FAIL() << "opened a missing file";
    } catch (const Failure& failure) {
        EXPECT_EQ(std::string(failure.what()),
                  "Cannot open file \"" + missing + "\". No such file or directory");
    }
    EXPECT_THROW(readWholeFile(missing), Failure);
    EXPECT_THROW(File::openRead(dir.path()), Failure); // a folder is not a file
    // A pipe named like a picture, with nobody writing to it, must not block the program.
    ASSERT_EQ(mkfifo((dir / "pipe.jpg").c_str(), 0666), 0);
    EXPECT_THROW(readWholeFile(dir / "pipe.jpg"), Failure);

    // A parent that is a regular file: the write fails even for root.
    const std::string underFile = dir / "file/new.txt";
    try {
        File::create(underFile);
        FAIL() << "created a file under a file";
    } catch (const Failure& failure) {
        EXPECT_EQ(std::string(failure.what()),
                  "Cannot create file \"" + underFile + "\". Not a directory");
    }
    try {
        File::openReadIo(missing);
        FAIL();
    } catch (const IoFailure& failure) {
        EXPECT_EQ(failure.code(), 2);
    }
    try {
        File::createIo(underFile);
        FAIL();
    } catch (const IoFailure& failure) {
        EXPECT_EQ(failure.code(), 3);
    }
}

TEST(File, ShortWriteIsDiskFull) {
    File full = File::createIo("/dev/full");
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
    EXPECT_TRUE(replaceFileAtomically(dir / "lista.LST", "new"));
    EXPECT_EQ(readFile(dir / "Lista.lst"), "new");
    EXPECT_TRUE(replaceFileAtomically(dir / "uj.lst", ""));
    EXPECT_TRUE(fileExists(dir / "uj.lst"));

    EXPECT_FALSE(replaceFileAtomically(dir / "Lista.lst/x", "bytes"));
    ASSERT_TRUE(createFolder(dir / "mappa"));
    EXPECT_FALSE(replaceFileAtomically(dir / "mappa", "bytes"));
    EXPECT_TRUE(folderExists(dir / "mappa"));
    // No temporary file is left behind.
    EXPECT_EQ(listByMask(dir / "*").size(), 5u);
}
