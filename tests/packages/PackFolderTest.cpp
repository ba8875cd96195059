#include "packages/PackFolder.h"
#include "PackageTestSupport.h"
#include "library/FailureText.h"
#include "packages/InstallPackage.h"
#include "picture/Picture.h"
#include "support/JpegFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace zolvera;
using namespace zolvera::test;

TEST(PackFolder, TelExampleByteForByteWhateverTheCoverCaseAndTrailingSeparator) {
    for (const char* cover : {"init.jpg", "Init.jpg", "INIT.JPG"}) {
        for (const char* separator : {"", "/"}) {
            SCOPED_TRACE(std::string(cover) + separator);
            TempDir dir;
            writeFile(dir / "Tel/a.jpg", "\x33\x44\x55");
            writeFile(dir / ("Tel/" + std::string(cover)), "\x11\x22");
            // Neither other extensions nor sub-folders belong to the package.
            writeFile(dir / "Tel/notes.txt", "n");
            writeFile(dir / "Tel/sub/b.jpg", "b");
            std::filesystem::create_directories(dir / "Tel/mappa.jpg");

            packages::PackFolder(dir / "Tel" + separator, dir / "Tel.dta");
            EXPECT_EQ(readFile(dir / "Tel.dta"), kTelPackage);
        }
    }
}

TEST(PackFolder, NationalNamesAndTheLargestPictureRoundTripThroughTheInstaller) {
    TempDir dir;
    std::string largest(800000, '\0');
    for (std::size_t i = 0; i < largest.size(); ++i)
        largest[i] = static_cast<char>(i * 13 % 253);
    writeFile(dir / "Tájak/árvíztűrő tükörfúrógép.jpg", largest);
    writeFile(dir / "Tájak/init.jpg", "c");
    packages::PackFolder(dir / "Tájak", dir / "t.dta");

    const std::string package = readFile(dir / "t.dta");
    EXPECT_EQ(package.substr(0, 9), le32(5) + "T\xE1jak");

    LibraryFixture f;
    packages::InstallPackage(f.library, dir / "t.dta");
    EXPECT_EQ(
        treeOf(f.app + "/Hatterek"),
        (std::vector<std::string>{"Tájak/", "Tájak/init.jpg", "Tájak/árvíztűrő tükörfúrógép.jpg"}));
    EXPECT_EQ(readFile(f.groupFile("Tájak", "árvíztűrő tükörfúrógép.jpg")), largest);
    EXPECT_EQ(readFile(f.groupFile("Tájak", "init.jpg")), "c");
}

TEST(PackFolder, RefusesWhatItCannotPackBeforeThePackageFileIsCreated) {
    struct Case {
        const char* what;
        std::string folder;  // relative to the temporary folder
        std::string file;    // a file to make in it, relative to the folder
        std::string content; // its content
        std::string named;   // what the message must name, relative; "" for none
    };
    const std::string tooLong = std::string(97, 'n') + ".jpg";
    const Case cases[] = {
        {"no cover", "Tel", "a.jpg", "a", ""},
        {"cover is a folder", "Tel", "init.jpg/a.jpg", "a", ""},
        {"picture over the limit", "Tel", "nagy.jpg", std::string(800001, 'x'), "Tel/nagy.jpg"},
        {"name over 100 bytes", "Tel", tooLong, "x", "Tel/" + tooLong},
        {"name outside Windows-1250", "Tel", "日本.jpg", "x", "Tel/日本.jpg"},
        {"name with a backslash", "Tel", "a\\b.jpg", "x", "Tel/a\\b.jpg"},
        {"folder name outside Windows-1250", "日本", "a.jpg", "x", "日本"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        writeFile(dir / (c.folder + "/" + c.file), c.content);
        if (c.named != "")
            writeFile(dir / (c.folder + "/init.jpg"), "c");
        const std::string text =
            failureText([&] { packages::PackFolder(dir / c.folder, dir / "p.dta"); });
        if (c.named == "")
            EXPECT_EQ(text,
                      "Nem található az \"init.jpg\" állomány, anélkül csomag nem hozható létre.");
        else
            EXPECT_NE(text.find("\"" + (dir / c.named) + "\""), std::string::npos) << text;
        EXPECT_FALSE(std::filesystem::exists(dir / "p.dta"));
    }
}

TEST(PackFolder, TheFirstFailedFileOperationEndsThePackingWithItsIoText) {
    TempDir dir;
    writeFile(dir / "Tel/a.jpg", std::string(5000, 'a'));
    writeFile(dir / "Tel/init.jpg", "c");
    EXPECT_EQ(failureText([&] { packages::PackFolder(dir / "Tel", dir / "nincs/p.dta"); }),
              "File not found");
    writeFile(dir / "p.dta", "an earlier package");
    {
        FileSizeLimit limit(1000);
        EXPECT_EQ(failureText([&] { packages::PackFolder(dir / "Tel", dir / "p.dta"); }),
                  "Disk full");
    }
    // The earlier package is kept whole, and no cut one is left beside it.
    EXPECT_EQ(readFile(dir / "p.dta"), "an earlier package");
    EXPECT_EQ(treeOf(dir.path()),
              (std::vector<std::string>{"Tel/", "Tel/a.jpg", "Tel/init.jpg", "p.dta"}));
}

TEST(PackFolder, FitsOversizedPicturesAndPacksTheOthersByteForByteLeavingTheFolderAsItIs) {
    TempDir dir;
    const std::string small = jpegBytes();
    const std::string photo =
        jpegBytes({.width = 2000, .height = 1500, .quality = 95, .grain = 24});
    ASSERT_GT(photo.size(), 800000u);
    writeFile(dir / "Nyár/kicsi.jpg", small);
    writeFile(dir / "Nyár/fotó.jpg", photo);
    writeFile(dir / "Nyár/init.jpg", photo); // the cover is fitted too
    std::vector<std::string> oversized = packages::OversizedPictures(dir / "Nyár");
    std::sort(oversized.begin(), oversized.end());
    EXPECT_EQ(oversized, (std::vector<std::string>{dir / "Nyár/fotó.jpg", dir / "Nyár/init.jpg"}));

    const packages::PackReport report =
        packages::PackFolder(dir / "Nyár", dir / "n.dta", packages::Oversized::Fit);
    EXPECT_EQ(report.fitted, 2);
    EXPECT_EQ(readFile(dir / "Nyár/fotó.jpg"), photo);
    EXPECT_EQ(readFile(dir / "Nyár/init.jpg"), photo);

    LibraryFixture f;
    packages::InstallPackage(f.library, dir / "n.dta");
    EXPECT_EQ(readFile(f.groupFile("Nyár", "kicsi.jpg")), small);
    for (const char* name : {"fotó.jpg", "init.jpg"}) {
        SCOPED_TRACE(name);
        EXPECT_LE(readFile(f.groupFile("Nyár", name)).size(), 800000u);
        const picture::Bitmap bitmap =
            picture::JpegPicture::load(f.groupFile("Nyár", name)).decode();
        EXPECT_EQ(bitmap.width, report.smallestWidth);
        EXPECT_EQ(bitmap.height, report.smallestHeight);
    }
}

TEST(PackFolder, APictureThatCannotBeFittedAFullDiskOrAStopLeavesNoPackage) {
    TempDir dir;
    writeFile(dir / "Tel/init.jpg", "c");
    writeFile(dir / "Tel/hibás.jpg", std::string(900000, 'x'));
    writeFile(dir / "p.dta", "an earlier package");
    const std::string text = failureText(
        [&] { packages::PackFolder(dir / "Tel", dir / "p.dta", packages::Oversized::Fit); });
    EXPECT_NE(text.find("\"" + (dir / "Tel/hibás.jpg") + "\""), std::string::npos) << text;
    EXPECT_NE(text.find("JPEG error #"), std::string::npos) << text;

    std::filesystem::remove(dir / "Tel/hibás.jpg");
    writeJpeg(dir / "Tel/fotó.jpg", {.width = 2000, .height = 1500, .quality = 95, .grain = 24});
    {
        FileSizeLimit limit(200000);
        const std::string full = failureText(
            [&] { packages::PackFolder(dir / "Tel", dir / "p.dta", packages::Oversized::Fit); });
        EXPECT_NE(full.find("\"" + (dir / "Tel/fotó.jpg") + "\""), std::string::npos) << full;
        EXPECT_NE(full.find("Disk full"), std::string::npos) << full;
    }
    std::vector<std::pair<std::size_t, std::size_t>> reached;
    int asked = 0;
    const packages::WorkControl stopAtCover{
        .progress = [&](std::size_t done, std::size_t total) { reached.emplace_back(done, total); },
        .stopRequested = [&] { return ++asked == 2; }};
    EXPECT_EQ(failureText([&] {
                  packages::PackFolder(dir / "Tel", dir / "p.dta", packages::Oversized::Fit,
                                       stopAtCover);
              }),
              "A(z) \"" + (dir / "p.dta") + "\" csomag készítése leállt, mert kérték.");
    EXPECT_EQ(reached, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 2}, {1, 2}}));
    EXPECT_EQ(readFile(dir / "p.dta"), "an earlier package");
    EXPECT_EQ(treeOf(dir.path()),
              (std::vector<std::string>{"Tel/", "Tel/fotó.jpg", "Tel/init.jpg", "p.dta"}));
}
