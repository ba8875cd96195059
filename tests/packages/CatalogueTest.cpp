#include "packages/Catalogue.h"

#include "PackageTestSupport.h"
#include "desktop/ScopedEnv.h"
#include "net/HttpClient.h"
#include "platform/CodePage.h"
#include "platform/Failure.h"
#include "support/NginxServer.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zolvera::packages {

bool operator==(const CatalogueEntry& a, const CatalogueEntry& b) {
    return a.name == b.name && a.link == b.link && a.size == b.size;
}

void PrintTo(const CatalogueEntry& entry, std::ostream* out) {
    *out << '{' << entry.name << '|' << entry.link << '|' << entry.size << '}';
}

namespace {

library::StringList groupsOf(std::initializer_list<const char*> names) {
    library::StringList list;
    for (const char* name : names)
        list.add(name);
    return list;
}

TEST(Catalogue, ListsThePackagesTheLibraryLacksInTheLocalesOrder) {
    test::ScopedEnv locale("LC_ALL", "hu_HU.UTF-8");
    test::TempDir dir;
    // Ő is D5 and ő F5 in Windows-1250: above the T, yet sorted before it in Hungarian.
    test::writeFile(dir / "Internet.txt",
                    "Tenger\thttp://h/csomagok/tenger.dta\t950\r\n"
                    "\xD5szi erd\xF5\thttp://h/csomagok/osz_erdo.dta\t830\r\n");
    const auto entries = readCatalogue(dir / "Internet.txt");

    EXPECT_THAT(
        catalogueRows(entries, groupsOf({"Virágok", "Tél"})),
        testing::ElementsAre(CatalogueEntry{"Őszi erdő", "http://h/csomagok/osz_erdo.dta", "830"},
                             CatalogueEntry{"Tenger", "http://h/csomagok/tenger.dta", "950"}));
    EXPECT_EQ(catalogueRows(entries, groupsOf({"tenger"})).size(), 1u);
    EXPECT_EQ(catalogueRows(entries, groupsOf({"ŐSZI ERDŐ"})).size(), 1u);
}

TEST(Catalogue, EveryLineIsAnEntryAndOnlyWholeSizesDownload) {
    test::TempDir dir;
    // A line over 4 KB is skipped: measured in the file's bytes, not in the longer UTF-8.
    const std::string longest(kMaxCatalogueLine, '\xE9');
    test::writeFile(dir / "Internet.txt", "\nCsak n\xE9v\rK\tl\t12\tmore\n" + longest + "\n" +
                                              longest + "x\r\nEnd\tx\t-1");
    EXPECT_THAT(readCatalogue(dir / "Internet.txt"),
                testing::ElementsAre(CatalogueEntry{}, CatalogueEntry{"Csak név", "", ""},
                                     CatalogueEntry{"K", "l", "12"},
                                     CatalogueEntry{platform::ansiToUtf8(longest), "", ""},
                                     CatalogueEntry{"End", "x", "-1"}));
    EXPECT_THROW(readCatalogue(dir / "missing.txt"), Failure);

    EXPECT_EQ(packageSize("830"), 830);
    for (const char* bad : {"", "-1", "12a", " 12", "2147483648", "1.5"})
        EXPECT_THROW(packageSize(bad), Failure) << bad;
}

TEST(Catalogue, DownloadsOnlyToOnePlainFileName) {
    EXPECT_EQ(downloadName("http://h/csomagok/osz_erdo.dta"), "osz_erdo.dta");
    EXPECT_EQ(downloadName("http://h/get?id=3&f=a%20b.dta"), "get?id=3&f=a%20b.dta");
    EXPECT_EQ(downloadName("csomag.dta"), "csomag.dta");
    for (const char* bad : {"http://h/", "http://h:", "http://h/..", "http://h/.",
                            "http://h/a\\..\\..\\x.dta", "http://h/a\x01.dta"})
        EXPECT_EQ(downloadName(bad), std::nullopt) << bad;
}

TEST(Catalogue, WritesWhatItReadsBack) {
    test::TempDir dir;
    const std::vector<CatalogueEntry> entries = {{"Őszi erdő", "http://h/o.dta", "830"},
                                                 {"Tenger", "http://h/t.dta", "950"}};
    const std::string bytes = catalogueBytes(entries);
    EXPECT_THAT(bytes, testing::StartsWith("\xD5szi erd\xF5\thttp://h/o.dta\t830\r\nTenger"));
    test::writeFile(dir / "zolvera.txt", bytes);
    EXPECT_EQ(readCatalogue(dir / "zolvera.txt"), entries);
    EXPECT_THROW(catalogueBytes({{"a\tb", "l", "1"}}), Failure);
}

TEST(Catalogue, DescribesAFolderOfPackagesByTheirGroupNames) {
    test::TempDir dir;
    test::writeFile(dir / "b.dta", test::kTelPackage);
    test::writeFile(dir / "a.dta", test::packageBytes("\xD5szi erd\xF5", {}));
    test::writeFile(dir / "notes.txt", "not a package");
    EXPECT_THAT(
        catalogueOfFolder(dir.path(), "http://h:8080/csomagok"),
        testing::ElementsAre(CatalogueEntry{"Őszi erdő", "http://h:8080/csomagok/a.dta", "13"},
                             CatalogueEntry{"Tel", "http://h:8080/csomagok/b.dta", "41"}));

    // A failure names the folder or the package it is about, beside the system's reason.
    const auto failureOf = [](const std::string& folder) -> std::string {
        try {
            catalogueOfFolder(folder, "http://h");
        } catch (const Failure& failure) {
            return failure.what();
        }
        return "";
    };
    EXPECT_EQ(failureOf(dir / "missing"),
              "A(z) \"" + dir / "missing" + "\" mappa nem olvasható: No such file or directory");
    test::writeFile(dir / "c.dta", "\x05\x00");
    EXPECT_THAT(failureOf(dir.path()), testing::HasSubstr("\"" + dir / "c.dta" + "\" csomag"));
}

TEST(Catalogue, EveryPackageItListsDownloadsFromARealWebServer) {
    test::TempDir dir;
    test::NginxServer server(dir / "www", dir / "nginx");
    // Group "n" is packed in the n-th file.
    const std::vector<std::string> names = {"nagy tenger.dta", "c#1.dta",       "mi?.dta",
                                            "50%.dta",         "őszi erdő.dta", "Tájképek.dta",
                                            "a+b&c=d;e.dta"};
    std::vector<std::string> packages;
    for (const std::string& name : names) {
        packages.push_back(
            test::packageBytes(std::to_string(packages.size()), {{"Init.jpg", name}}));
        test::writeFile(dir / "www/csomagok/" + name, packages.back());
    }
    test::writeFile(dir / "zolvera.txt", catalogueBytes(catalogueOfFolder(
                                             dir / "www/csomagok", server.url("/csomagok"))));

    net::HttpClient client;
    const auto entries = readCatalogue(dir / "zolvera.txt");
    ASSERT_EQ(entries.size(), packages.size());
    for (const CatalogueEntry& entry : entries) {
        std::string got;
        EXPECT_NO_THROW(client.get(
            entry.link, [&](std::string_view part) { got += part; }, 1 << 20))
            << entry.link;
        EXPECT_EQ(got, packages.at(std::stoul(entry.name))) << entry.link;
    }
}

} // namespace
} // namespace zolvera::packages
