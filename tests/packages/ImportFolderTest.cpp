#include "packages/ImportFolder.h"

#include "PackageTestSupport.h"
#include "picture/Picture.h"
#include "platform/Failure.h"
#include "support/JpegFixtures.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace zolvera;
using test::LibraryFixture;
using test::readFile;
using test::treeOf;
using test::writeFile;
using test::writeJpeg;

namespace {

using Names = std::vector<std::string>;

TEST(FolderImport, CopiesTheReadablePicturesInNameOrderWithACoverOfTheFirstAndListsTheGroup) {
    LibraryFixture f;
    f.startWith({"Regi"});
    const std::string folder = f.root / "in/Nyaralás";
    for (const char* name : {"kep2.jpg", "Kep10.jpg", "ábra.jpg"})
        writeJpeg(folder + "/" + name, {.width = 300, .height = 200});
    writeFile(folder + "/rossz.jpg", "not a picture");
    writeFile(folder + "/jegyzet.txt", "not listed");
    writeJpeg(folder + "/al/mappa.jpg"); // sub-folders stay out
    writeJpeg(f.root / "titok.jpg");
    std::filesystem::create_symlink(f.root / "titok.jpg", folder + "/kifele.jpg");
    std::filesystem::create_symlink("kep2.jpg", folder + "/masolat.jpg");

    packages::FolderImport import(folder + "/");
    EXPECT_EQ(import.folderName(), "Nyaralás");
    EXPECT_EQ(import.pictureCount(), 5); // the link out of the folder is no picture of it
    ASSERT_TRUE(import.reserve(f.library, import.folderName()));
    Names progress;
    ASSERT_TRUE(import.copy([&](int done, int total) {
        progress.push_back(std::to_string(done) + "/" + std::to_string(total));
    }));
    EXPECT_EQ(f.library.groups().items(), Names({"Regi"})); // listed only when complete
    import.addTo(f.library);

    EXPECT_EQ(progress, Names({"1/5", "2/5", "3/5", "4/5", "5/5"}));
    EXPECT_EQ(import.skipped(), Names({"kifele.jpg", "rossz.jpg"}));
    EXPECT_EQ(f.library.groups().items(), Names({"Regi", "Nyaralás"}));
    EXPECT_EQ(treeOf(f.app + "/Hatterek/Nyaralás"),
              Names({"Kep10.jpg", "init.jpg", "kep2.jpg", "masolat.jpg", "ábra.jpg"}));
    EXPECT_EQ(readFile(f.groupFile("Nyaralás", "masolat.jpg")), readFile(folder + "/kep2.jpg"));
    const auto cover = picture::JpegPicture::load(f.groupFile("Nyaralás", "init.jpg"));
    EXPECT_EQ(std::pair(cover.width(), cover.height()), std::pair(142, 100));
}

TEST(FolderImport, ARefusedOrTakenNameReservesNothing) {
    LibraryFixture f;
    f.startWith({"Tenger"});
    writeJpeg(f.root / "in/Tenger/a.jpg");
    packages::FolderImport import(f.root / "in/Tenger");
    const auto before = treeOf(f.app);
    for (const char* name : {"tenger", "CON", "a/b", ""})
        EXPECT_FALSE(import.reserve(f.library, name)) << name;
    EXPECT_EQ(treeOf(f.app), before);
    EXPECT_TRUE(import.reserve(f.library, "Tenger 2"));
}

TEST(FolderImport, AFolderWithoutAReadablePictureOrAFullDiskLeavesNoGroup) {
    LibraryFixture f;
    f.startWith({});
    const auto before = treeOf(f.app);

    writeFile(f.root / "in/Rossz/a.jpg", "not a picture");
    packages::FolderImport unreadable(f.root / "in/Rossz");
    ASSERT_TRUE(unreadable.reserve(f.library, "Rossz"));
    EXPECT_FALSE(unreadable.copy());
    EXPECT_EQ(unreadable.skipped(), Names({"a.jpg"}));
    EXPECT_EQ(treeOf(f.app), before);

    writeJpeg(f.root / "in/Nagy/a.jpg");
    writeJpeg(f.root / "in/Nagy/b.jpg", {.width = 1600, .height = 1200, .grain = 20});
    packages::FolderImport big(f.root / "in/Nagy");
    ASSERT_TRUE(big.reserve(f.library, "Nagy"));
    {
        test::FileSizeLimit full(64 * 1024);
        EXPECT_THROW(big.copy(), zolvera::Failure);
    }
    EXPECT_EQ(treeOf(f.app), before);
    EXPECT_TRUE(f.library.groups().items().empty());
}

} // namespace
