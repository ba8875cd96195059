#include "library/AppFolder.h"
#include "library/InstalledDefaults.h"
#include "library/LibraryLayout.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

using namespace zolvera::library;

TEST(AppFolder, HomeVariableWinsAndLosesItsTrailingSeparator) {
    setenv("ZOLVERA_HOME", "/srv/Zolvera Demo/", 1);
    EXPECT_EQ(findApplicationFolder(), "/srv/Zolvera Demo");
    EXPECT_EQ(groupListFile(findApplicationFolder()), "/srv/Zolvera Demo/Zolvera.lst");
    setenv("ZOLVERA_HOME", "/", 1);
    EXPECT_EQ(settingsFile(findApplicationFolder()), "/Zolvera.ini");
    unsetenv("ZOLVERA_HOME");
    EXPECT_FALSE(findApplicationFolder().empty());
    EXPECT_NE(findApplicationFolder().back(), '/');
}

namespace {

// An installed program in a temporary prefix: bin/ for the program, the defaults beside it.
struct InstalledLayout {
    zolvera::test::TempDir root;
    AppFolderSources sources{"", root / "usr/bin", "", root / "home"};

    InstalledLayout() {
        using zolvera::test::writeFile;
        writeFile(root / "usr/bin/zolvera", "program");
        writeFile(root / "usr/share/zolvera/Template/hegyek.jpg", "template");
        writeFile(root / "usr/share/zolvera/zolvera.pdf", "help");
    }
};

} // namespace

TEST(AppFolder, InstalledProgramKeepsItsLibraryPerUserAndSeedsItOnce) {
    using zolvera::test::readFile;
    using zolvera::test::writeFile;
    namespace fs = std::filesystem;
    InstalledLayout layout;
    const std::string user = layout.root / "home/.local/share/zolvera";

    ASSERT_EQ(applicationFolder(layout.sources), user);
    EXPECT_EQ(readFile(user + "/Template/hegyek.jpg"), "template");
    EXPECT_EQ(readFile(user + "/zolvera.pdf"), "help");
    EXPECT_TRUE(fs::is_directory(user + "/Tmp"));
    EXPECT_TRUE(fs::exists(user + "/Zolvera.lst"));
    EXPECT_EQ(readFile(user + "/Zolvera.lst"), "");
    EXPECT_TRUE(fs::is_empty(user + "/Hatterek"));
    EXPECT_EQ(std::distance(fs::directory_iterator(layout.root / "home/.local/share"), {}), 1);

    // The second start keeps what the user made of the library.
    writeFile(user + "/Zolvera.lst", "Tenger\r\n");
    fs::remove(user + "/Template/hegyek.jpg");
    ASSERT_EQ(applicationFolder(layout.sources), user);
    EXPECT_EQ(readFile(user + "/Zolvera.lst"), "Tenger\r\n");
    EXPECT_FALSE(fs::exists(user + "/Template/hegyek.jpg"));

    layout.sources.dataHome = layout.root / "data/";
    EXPECT_EQ(applicationFolder(layout.sources), layout.root / "data/zolvera");
    layout.sources.dataHome = "relative/data";
    EXPECT_EQ(applicationFolder(layout.sources), user);
}

TEST(AppFolder, HomeVariableAndALibraryBesideTheProgramWinOverThePerUserFolder) {
    InstalledLayout layout;
    zolvera::test::writeFile(layout.root / "usr/bin/HATTEREK/Tenger/init.jpg", "cover");
    EXPECT_EQ(applicationFolder(layout.sources), layout.root / "usr/bin");
    layout.sources.homeVariable = layout.root / "demo/";
    EXPECT_EQ(applicationFolder(layout.sources), layout.root / "demo");
    EXPECT_FALSE(std::filesystem::exists(layout.root / "home"));

    // A program that is not installed (a build folder) keeps its own folder, as before.
    zolvera::test::TempDir build;
    layout.sources = {"", build.path() + "/", "", build.path()};
    EXPECT_EQ(applicationFolder(layout.sources), build.path());
}

TEST(AppFolder, NewerDefaultsReplaceTheUntouchedHelpAndAddNewTemplatesOnly) {
    using zolvera::test::readFile;
    using zolvera::test::writeFile;
    namespace fs = std::filesystem;
    InstalledLayout layout;
    const std::string defaults = layout.root / "usr/share/zolvera";
    const std::string user = layout.root / "home/.local/share/zolvera";
    ASSERT_EQ(applicationFolder(layout.sources), user);
    writeFile(user + "/Template/sajat.jpg", "the user's own");
    fs::remove(user + "/Template/hegyek.jpg");

    // An upgrade: a newer help document and a new template.
    writeFile(defaults + "/zolvera.pdf", "newer help");
    writeFile(defaults + "/Template/tó.jpg", "new template");
    updateFromDefaults(defaults, user, "0.10.0", false);
    EXPECT_EQ(readFile(user + "/zolvera.pdf"), "newer help");
    EXPECT_EQ(readFile(user + "/Template/tó.jpg"), "new template");
    EXPECT_EQ(readFile(user + "/Template/sajat.jpg"), "the user's own");
    EXPECT_FALSE(fs::exists(user + "/Template/hegyek.jpg"));

    // A document the user put in place stays, whatever version comes; the same version changes
    // nothing.
    writeFile(user + "/zolvera.pdf", "the user's notes");
    writeFile(defaults + "/zolvera.pdf", "newest help");
    updateFromDefaults(defaults, user, "0.10.0", false);
    updateFromDefaults(defaults, user, "0.11.0", false);
    EXPECT_EQ(readFile(user + "/zolvera.pdf"), "the user's notes");
    fs::remove(user + "/zolvera.pdf");
    updateFromDefaults(defaults, user, "0.11.0", false);
    EXPECT_EQ(readFile(user + "/zolvera.pdf"), "newest help");
    EXPECT_TRUE(isNewerVersion("0.10", "0.9.9"));
    EXPECT_FALSE(isNewerVersion("1.0", "1.0.0"));
}

TEST(AppFolder, AHelpDocumentInAnotherLanguageIsGivenAndRefreshedLikeTheHungarianOne) {
    using zolvera::test::readFile;
    using zolvera::test::writeFile;
    InstalledLayout layout;
    const std::string defaults = layout.root / "usr/share/zolvera";
    const std::string user = layout.root / "home/.local/share/zolvera";
    ASSERT_EQ(applicationFolder(layout.sources), user);

    // A library made before the English document came gets it at the next start.
    writeFile(defaults + "/zolvera_en.pdf", "English help");
    updateFromDefaults(defaults, user, "0.10.0", false);
    EXPECT_EQ(readFile(user + "/zolvera_en.pdf"), "English help");

    // Its untouched copy follows a newer version; the Hungarian one the user replaced stays.
    writeFile(user + "/zolvera.pdf", "the user's notes");
    writeFile(defaults + "/zolvera.pdf", "newer help");
    writeFile(defaults + "/zolvera_en.pdf", "newer English help");
    updateFromDefaults(defaults, user, "0.11.0", false);
    EXPECT_EQ(readFile(user + "/zolvera_en.pdf"), "newer English help");
    EXPECT_EQ(readFile(user + "/zolvera.pdf"), "the user's notes");
}

namespace {

// A library an older program made, before the record of its defaults: its help documents as
// given, none of the installed ones newer than that yet.
struct LibraryWithoutRecord : InstalledLayout {
    const std::string defaults = root / "usr/share/zolvera";
    const std::string user = root / "home/.local/share/zolvera";

    explicit LibraryWithoutRecord(const std::map<std::string, std::string>& help) {
        for (const auto& [name, document] : help) {
            zolvera::test::writeFile(user + "/" + name, document);
            zolvera::test::writeFile(defaults + "/" + name, "newer " + name);
        }
    }
};

std::string builtHelp(const std::string& name) {
    return zolvera::test::readFile(std::string(ZOLVERA_BUILT_HELP) + "/" + name);
}

} // namespace

TEST(AppFolder, ALibraryWithoutARecordHasTheHelpOurBuildWroteRefreshedInEachLanguage) {
    using zolvera::test::readFile;
    ASSERT_FALSE(builtHelp("zolvera_en.pdf").empty());
    LibraryWithoutRecord library({{"zolvera.pdf", builtHelp("zolvera.pdf")},
                                  {"zolvera_en.pdf", builtHelp("zolvera_en.pdf")}});
    updateFromDefaults(library.defaults, library.user, "0.10.0", false);
    EXPECT_EQ(readFile(library.user + "/zolvera.pdf"), "newer zolvera.pdf");
    EXPECT_EQ(readFile(library.user + "/zolvera_en.pdf"), "newer zolvera_en.pdf");

    // From then on the library is followed as one made with the record.
    zolvera::test::writeFile(library.defaults + "/zolvera_en.pdf", "newest English help");
    updateFromDefaults(library.defaults, library.user, "0.11.0", false);
    EXPECT_EQ(readFile(library.user + "/zolvera_en.pdf"), "newest English help");
}

TEST(AppFolder, ALibraryWithoutARecordKeepsEveryOtherHelpDocumentAsItIs) {
    const std::string built = builtHelp("zolvera.pdf");
    ASSERT_FALSE(built.empty());
    const std::string kept[] = {
        // the user's own, from another program
        "%PDF-1.4\n1 0 obj\n<</Title (Zolvera jegyzetek)/Creator (Writer)/Producer (LibreOffice "
        "7.4)>>\nendobj\ntrailer\n<</Size 2/Info 1 0 R>>\nstartxref\n0\n%%EOF\n",
        // ours, annotated and saved since by a viewer
        built + "3 0 obj\n<</Type /Annot>>\nendobj\nxref\n3 1\n0000044338 00000 n \ntrailer\n"
                "<</Size 43/Info 1 0 R/Root 2 0 R/Prev 43417>>\nstartxref\n44390\n%%EOF\n",
        // ours, damaged
        built.substr(0, built.size() / 2),
        built.substr(0, 40),
        "",
    };
    for (std::size_t i = 0; i < std::size(kept); ++i) {
        LibraryWithoutRecord library({{"zolvera.pdf", kept[i]}});
        updateFromDefaults(library.defaults, library.user, "0.10.0", false);
        EXPECT_TRUE(zolvera::test::readFile(library.user + "/zolvera.pdf") == kept[i]) << i;
    }
}
