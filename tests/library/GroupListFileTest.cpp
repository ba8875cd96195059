#include "library/GroupListFile.h"
#include "FailureText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace zolvera::library;
using namespace std::string_literals;
using zolvera::test::failureText;
using zolvera::test::readFile;
using zolvera::test::TempDir;
using Lines = std::vector<std::string>;

namespace {

Lines linesOf(const std::string& bytes) {
    TempDir dir;
    zolvera::test::writeFile(dir / "Zolvera.lst", bytes);
    return loadGroupList(dir / "Zolvera.lst").items();
}

StringList listOf(const Lines& names) {
    StringList list;
    for (const auto& name : names)
        list.add(name);
    return list;
}

} // namespace

TEST(GroupListFile, ReadsLinesAsTheyStandUpToANulByte) {
    EXPECT_EQ(linesOf(""), Lines{});
    EXPECT_EQ(linesOf("Tajak\nAllatok\n"), (Lines{"Tajak", "Allatok"}));
    EXPECT_EQ(linesOf("Tajak\rAllatok"), (Lines{"Tajak", "Allatok"}));
    // A lone CR before CR LF is a line end of its own; LF CR is two line ends.
    EXPECT_EQ(linesOf("a\r\r\nb\n\rc\r\n"), (Lines{"a", "", "b", "", "c"}));
    EXPECT_EQ(linesOf(" Tajak \r\n\r\nTajak\r\nTajak"), (Lines{" Tajak ", "", "Tajak", "Tajak"}));
    EXPECT_EQ(linesOf("Tajak\r\nAll\0atok\r\nNincs\r\n"s), (Lines{"Tajak", "All"}));
    // Windows-1250: 0xF5 is "ő"; 0x81 is unassigned and must survive all the same.
    EXPECT_EQ(linesOf("\xF5sz\r\nx\x81y\r\n"), (Lines{"ősz", "x\u0081y"}));
}

TEST(GroupListFile, WritesWindows1250WithCrLfOrFailsLeavingTheFileUnchanged) {
    TempDir dir;
    const std::string path = dir / "Zolvera.lst";
    EXPECT_EQ(failureText([&] { loadGroupList(path); }).rfind("Cannot open file \"" + path, 0), 0u);
    saveGroupList(path, StringList{});
    EXPECT_TRUE(std::filesystem::exists(path));

    const StringList list = listOf({"ősz", "x\u0081y", "", " Tajak", "ősz"});
    saveGroupList(path, list);
    EXPECT_EQ(readFile(path), "\xF5sz\r\nx\x81y\r\n\r\n Tajak\r\n\xF5sz\r\n");
    EXPECT_EQ(loadGroupList(path).items(), list.items());

    const std::string prefix = "Cannot create file \"" + path + "\". ";
    for (const std::string& name : {"漢字"s, "Két\nsor"s, "a\0b"s}) {
        const std::string text = failureText([&] { saveGroupList(path, listOf({"Tajak", name})); });
        EXPECT_EQ(text.rfind(prefix, 0), 0u) << text;
        EXPECT_GT(text.size(), prefix.size()) << "no reason given";
    }
    EXPECT_EQ(readFile(path), "\xF5sz\r\nx\x81y\r\n\r\n Tajak\r\n\xF5sz\r\n");

    std::filesystem::create_directory(dir / "blocked.lst"); // the file cannot be replaced
    EXPECT_EQ(failureText([&] {
                  saveGroupList(dir / "blocked.lst", list);
              }).rfind("Cannot create file \"" + dir / "blocked.lst\". ", 0),
              0u);
}

// A library folder named in another letter case than on disk is locked and written like every
// other file of it.
TEST(GroupListFile, TheFolderIsLockedUnderItsNameOnDisk) {
    TempDir dir;
    std::filesystem::create_directory(dir / "lib-case");
    updateGroupList(dir / "LIB-CASE/Zolvera.lst", [](StringList& list) { list.add("Tajak"); });
    EXPECT_EQ(readFile(dir / "lib-case/Zolvera.lst"), "Tajak\r\n");
}
