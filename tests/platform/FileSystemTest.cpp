#include "platform/FileSystem.h"
#include "platform/FolderPresence.h"
#include "platform/NameOrder.h"

#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace zolvera::platform;
using zolvera::test::readFile;
using zolvera::test::TempDir;
using zolvera::test::writeFile;

namespace {

std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(Resolve, MatchesEachComponentWithoutRegardToCase) {
    TempDir dir;
    writeFile(dir / "Képek/Álom.jpg", "x");
    writeFile(dir / "Képek/b.TXT", "lower");
    writeFile(dir / "Képek/B.txt", "upper");

    EXPECT_EQ(resolve(dir / "KÉPEK/álom.JPG"), dir / "Képek/Álom.jpg");
    EXPECT_EQ(resolve(dir / "képek/"), dir / "Képek/");
    // Only the last name differs: the folder as written is searched.
    EXPECT_EQ(resolve(dir / "Képek/ÁLOM.JPG"), dir / "Képek/Álom.jpg");
    EXPECT_EQ(resolve(dir / "Képek/új.jpg"), dir / "Képek/új.jpg");
    // An exact name wins; among case variants the first in byte order does.
    EXPECT_EQ(resolve(dir / "képek/b.TXT"), dir / "Képek/b.TXT");
    EXPECT_EQ(resolve(dir / "képek/b.txt"), dir / "Képek/B.txt");
    // What matches nothing is kept as written, and so is everything after it.
    EXPECT_EQ(resolve(dir / "képek/Új/ÁLOM.jpg"), dir / "Képek/Új/ÁLOM.jpg");
    // Bytes that are not UTF-8 are compared as they stand.
    writeFile(dir / "\xE1lom", "latin-1");
    EXPECT_EQ(resolve(dir / "\xC1lom"), dir / "\xC1lom");
    EXPECT_TRUE(fileExists(dir / "képek/ÁLOM.JPG"));
}

TEST(Masks, MatchWithoutRegardToCaseIncludingHiddenAndDotEntries) {
    TempDir dir;
    for (const char* name : {"a.jpg", "B.JPG", ".rejtett.jpg", "c.jpeg", "pont", "ő.jpg"})
        writeFile(dir / name, "x");
    ASSERT_TRUE(createFolder(dir / "Mappa"));

    EXPECT_EQ(sorted(listByMask(dir / "*.jpg")),
              (std::vector<std::string>{".rejtett.jpg", "B.JPG", "a.jpg", "ő.jpg"}));
    EXPECT_EQ(sorted(listByMask(dir / "?.JPG")),
              (std::vector<std::string>{"B.JPG", "a.jpg", "ő.jpg"}));

    const auto all = listByMask(dir / "*.*");
    ASSERT_EQ(all.size(), 9u);
    EXPECT_EQ(all[0], ".");
    EXPECT_EQ(all[1], "..");
    EXPECT_NE(std::find(all.begin(), all.end(), "pont"), all.end());
    EXPECT_EQ(listByMask(dir / "mappa/*").size(), 2u);
    EXPECT_TRUE(listByMask(dir / "nincs/*.*").empty());

    EXPECT_TRUE(matchesMask("Kép.JPG", "k?p.*"));
    EXPECT_TRUE(matchesMask("kép", "kép.*"));
    EXPECT_TRUE(matchesMask("abab.jpg", "*ab*.jpg"));
    EXPECT_FALSE(matchesMask("a.jpg.bak", "*.jpg"));
    EXPECT_FALSE(matchesMask("ab.jpg", "?.jpg"));
}

TEST(Masks, ListInTheOrderOfUpperCasedNamesWhateverOrderTheFolderKeeps) {
    // Made in an order of their own; an ext4 folder (the temporary folder here) enumerates by
    // hash, so the thirty numbered names come back scrambled unless they are sorted.
    TempDir dir;
    std::vector<std::string> expected;
    for (int i = 101; i <= 130; ++i)
        expected.push_back(std::to_string(i) + ".jpg");
    for (const char* name : {"Alma.jpg", "alma2.jpg", "ba.jpg", "b_.jpg", "kep10.jpg", "KEP2.jpg",
                             "Zebra.jpg", "ábra.jpg", "öt.jpg"})
        expected.emplace_back(name);
    for (auto name = expected.rbegin(); name != expected.rend(); ++name)
        writeFile(dir / *name, "x");
    EXPECT_EQ(listByMask(dir / "*.jpg"), expected);
}

TEST(Masks, SortUpperCasedUtf16UnitsWithBytesThatAreNotUtf8AfterThem) {
    const std::string latin1 = "\xE1z"; // a unit of its own after every character
    const std::string cutOff = std::string("\xE1\x80") + "a"; // each byte counts on its own
    const std::string fullWidthA = "\xEF\xBC\xA1";            // U+FF21, after U+1F600 in UTF-16
    const std::string emoji = "\xF0\x9F\x98\x80";
    // "Ø" (C3 98) comes after "à" (C3 A0): the characters count, not their last bytes.
    std::vector<std::string> names = {latin1, cutOff, fullWidthA, emoji, "abc",
                                      "AB",   "ab",   "Ø",        "á",   "à"};
    sortInNameOrder(names);
    EXPECT_EQ(names, (std::vector<std::string>{"AB", "ab", "abc", "à", "á", "Ø", emoji, fullWidthA,
                                               latin1, cutOff}));
}

TEST(FolderPresence, AnswersAsFolderExistsForEachName) {
    namespace fs = std::filesystem;
    TempDir dir;
    ASSERT_TRUE(createFolder(dir / "Hatterek"));
    for (const char* folder : {"Tajak", "Zold", "Zold/belso"})
        ASSERT_TRUE(createFolder(dir / ("Hatterek/" + std::string(folder))));
    writeFile(dir / "Hatterek/TAJAK", "a file first in byte order among the case variants");
    writeFile(dir / "Hatterek/Fajl", "x");
    fs::create_directory_symlink(dir / "Hatterek/Zold", dir / "Hatterek/Link");
    fs::create_symlink(dir / "nincs", dir / "Hatterek/Torott");
    const std::vector<std::string> names = {"Tajak", "tajak", "zOLD",   "Zold",       "Zold",
                                            "Link",  "LINK",  "Torott", "Fajl",       "Nincs",
                                            "",      ".",     "..",     "zold/BELSO", "Zold/nincs"};

    std::vector<bool> oneByOne;
    for (const std::string& name : names)
        oneByOne.push_back(folderExists(dir / ("Hatterek/" + name)));
    EXPECT_EQ(oneByOne, (std::vector<bool>{true, false, true, true, true, true, true, false, false,
                                           false, true, true, true, true, false}));
    // The folder itself spelled in another case, and a folder that is not there.
    EXPECT_EQ(foldersPresent(dir / "hatterek", names), oneByOne);
    EXPECT_EQ(foldersPresent(dir / "Nincs", names), std::vector<bool>(names.size(), false));
}

TEST(FolderAndFileOperations, TreatNamesInOtherCaseAsExisting) {
    TempDir dir;
    EXPECT_TRUE(createFolder(dir / "Hatterek"));
    EXPECT_FALSE(createFolder(dir / "HATTEREK"));
    EXPECT_FALSE(createFolder(dir / "nincs/uj"));
    EXPECT_TRUE(folderExists(dir / "hatterek"));
    EXPECT_FALSE(fileExists(dir / "hatterek"));
    EXPECT_FALSE(deleteFile(dir / "hatterek"));

    writeFile(dir / "Hatterek/a.jpg", "a");
    writeFile(dir / "Hatterek/b.JPG", "b");
    // Renaming onto another entry of any case is refused, and both stay as they were.
    EXPECT_FALSE(renameFile(dir / "hatterek/A.JPG", dir / "hatterek/B.jpg"));
    EXPECT_EQ(readFile(dir / "Hatterek/b.JPG"), "b");
    // Changing only the case of the entry itself is allowed.
    EXPECT_TRUE(renameFile(dir / "hatterek/a.jpg", dir / "HATTEREK/A.Jpg"));
    EXPECT_EQ(readFile(dir / "Hatterek/A.Jpg"), "a");
    EXPECT_FALSE(renameFile(dir / "hatterek/nincs.jpg", dir / "hatterek/x.jpg"));

    // A copy replaces the existing target of any case instead of adding a second name.
    EXPECT_TRUE(copyFile(dir / "hatterek/a.jpg", dir / "hatterek/B.jpg"));
    EXPECT_EQ(readFile(dir / "Hatterek/b.JPG"), "a");
    EXPECT_EQ(listByMask(dir / "Hatterek/*.jpg").size(), 2u);
    // A copy onto itself must not truncate the file.
    EXPECT_FALSE(copyFile(dir / "hatterek/b.jpg", dir / "Hatterek/b.JPG"));
    EXPECT_EQ(readFile(dir / "Hatterek/b.JPG"), "a");
    // A copy that fails half-way (a full disk) leaves the earlier file whole.
    writeFile(dir / "big.jpg", std::string(5000, 'x'));
    {
        zolvera::test::FileSizeLimit full(4096);
        EXPECT_FALSE(copyFile(dir / "big.jpg", dir / "Hatterek/b.jpg"));
    }
    EXPECT_EQ(readFile(dir / "Hatterek/b.JPG"), "a");
    EXPECT_EQ(listByMask(dir / "Hatterek/*").size(), 4u);

    EXPECT_FALSE(removeFolder(dir / "hatterek"));
    EXPECT_TRUE(deleteFile(dir / "hatterek/A.JPG"));
    EXPECT_TRUE(deleteFile(dir / "hatterek/B.JPG"));
    EXPECT_TRUE(removeFolder(dir / "hatterek"));
    EXPECT_FALSE(folderExists(dir / "Hatterek"));
}

TEST(PathParts, SplitAtTheLastSeparator) {
    EXPECT_EQ(fileNamePart("/a/b.jpg"), "b.jpg");
    EXPECT_EQ(fileNamePart("b.jpg"), "b.jpg");
    EXPECT_EQ(folderPart("/a/b.jpg"), "/a");
    EXPECT_EQ(folderPart("/b.jpg"), "/");
    EXPECT_EQ(folderPart("b.jpg"), ".");
}
