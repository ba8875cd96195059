#include "library/Seged.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace zolvera::library;
using zolvera::test::TempDir;

TEST(GetField, FieldsBetweenSeparators) {
    const std::vector<std::string> fields{"", "a", " bb ", "", "c", ""};
    for (int n = 0; n < static_cast<int>(fields.size()); ++n)
        EXPECT_EQ(GetField("a; bb ;;c", ';', n), fields[static_cast<std::size_t>(n)]) << n;
    EXPECT_EQ(GetField("a;", ';', 2), "");
    EXPECT_EQ(GetField("Őszi|erdő", '|', 2), "erdő");
}

TEST(ListPictureFiles, SkipsTheCoverInAnyCaseAndListsEverythingElse) {
    TempDir dir;
    for (const char* name : {"a.jpg", "B.JPG", "INIT.JPG", "xinit.jpg", "init.jpg.txt", ".h.jpg"})
        zolvera::test::writeFile(dir / name, "x");
    std::filesystem::create_directory(dir / "folder.jpg");
    StringList list;
    list.add("left over");
    ListPictureFiles(dir / "*.jpg", list);
    std::vector<std::string> names = list.items();
    std::ranges::sort(names);
    EXPECT_EQ(names,
              (std::vector<std::string>{".h.jpg", "B.JPG", "a.jpg", "folder.jpg", "xinit.jpg"}));
    ListPictureFiles(dir / "*.*", list);
    EXPECT_EQ(list.count(), 8); // ".", ".." and every entry but the cover
}
