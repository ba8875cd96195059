#include "ui/Letolt.h"

#include "MainWindowFixture.h"
#include "TelPackage.h"
#include "support/ScriptedServer.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace zolvera::test {
namespace {

using Then = ScriptedServer::Reply::Then;

class DownloadDialog : public MainWindowFixture {
protected:
    void SetUp() override {
        addGroup("Elso", 1);
        writeGroupList({"Elso"});
        std::filesystem::create_directories(home / "Tmp");
        start();
    }

    // The dialog on the catalogue server, loaded as when it opens, its messages counted anew.
    std::unique_ptr<ui::Tfrm_Letolt> open(const ScriptedServer& server,
                                          net::TimeLimits limits = {}) {
        auto dialog =
            std::make_unique<ui::Tfrm_Letolt>(window.get(), context, window->library(),
                                              "127.0.0.1:" + std::to_string(server.port()), limits);
        dialog->LoadCatalogue();
        dialog->show();
        return dialog;
    }

    void select(ui::Tfrm_Letolt& dialog, int row) {
        dialog.ListView1->setCurrentItem(dialog.ListView1->topLevelItem(row));
    }

    std::vector<std::string> tmpFiles() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(home / "Tmp"))
            names.push_back(entry.path().filename());
        return names;
    }
};

TEST_F(DownloadDialog, RefreshesTheCatalogueThenDownloadsAndInstallsAPackageWithTheBarMoving) {
    ScriptedServer packages({{replyWithBody("HTTP/1.1 200 OK", kTelPackage)}});
    const std::string link = packages.url("/csomagok/tel.dta");
    ScriptedServer catalogue({{replyWithBody(
        "HTTP/1.1 200 OK", "elso\thttp://x/elso.dta\t1\r\nTel\t" + link + "\t10\r\n")}});
    auto dialog = open(catalogue);
    EXPECT_EQ(dialogs.texts(),
              std::vector{QStringLiteral("Hiba az állomány lista megnyitásakor.")});
    EXPECT_EQ(dialog->ListView1->topLevelItemCount(), 0);
    EXPECT_FALSE(dialog->Button2->isEnabled());

    dialog->Button1->click();
    EXPECT_EQ(dialogs.texts().back(), QStringLiteral("Lista frissítése kész."));
    EXPECT_EQ(catalogue.requests().front().substr(0, 25), "GET /zolvera.txt HTTP/1.1");
    ASSERT_EQ(dialog->ListView1->topLevelItemCount(), 1); // Elso is in the library already
    EXPECT_EQ(dialog->ListView1->topLevelItem(0)->text(1), QString::fromStdString(link));
    EXPECT_TRUE(dialog->Button2->isEnabled());

    std::vector<int> positions;
    QObject::connect(dialog->ProgressBar1, &QProgressBar::valueChanged,
                     [&](int value) { positions.push_back(value); });
    dialog->Button2->click();
    EXPECT_EQ(dialogs.texts().back(), QStringLiteral("A file letöltése kész."));
    EXPECT_EQ(dialog->ProgressBar1->maximum(), 10);
    EXPECT_EQ(positions.back(), 0);
    EXPECT_NE(std::find(positions.begin(), positions.end(), 10), positions.end()); // full bar
    EXPECT_EQ(readFile(home / "Tmp/tel.dta"), kTelPackage);
    EXPECT_EQ(readFile(home / "Zolvera.lst"), "Elso\r\nTel\r\n");
    EXPECT_EQ(readFile(groupFile("Tel", "a.jpg")), kPicture);
}

TEST_F(DownloadDialog, AFailedRefreshLeavesTheCatalogueAndTheRowsAsTheyWere) {
    writeFile(home / "Internet.txt", "Tenger\thttp://x/t.dta\t950\r\n");
    ScriptedServer server({{replyWithBody("HTTP/1.1 404 Not Found", "<html>nincs</html>")}});
    auto dialog = open(server);
    dialog->Button1->click();
    EXPECT_EQ(dialogs.texts(),
              std::vector{QStringLiteral("Hiba letöltés közben\r\nHTTP/1.1 404 Not Found")});
    EXPECT_EQ(readFile(home / "Internet.txt"), "Tenger\thttp://x/t.dta\t950\r\n");
    EXPECT_EQ(dialog->ListView1->topLevelItemCount(), 1);
}

TEST_F(DownloadDialog, RowsThatCannotBeDownloadedWriteNothingAndDamagedPackagesAreNotDone) {
    ScriptedServer packages(
        {{replyWithBody("HTTP/1.1 200 OK", packageField("Rossz") + packageField("Init.jpg") +
                                               packageField(kPicture) + "\x05")}});
    writeFile(home / "Internet.txt", "\r\nCsak nev\r\nMeret\thttp://x/m.dta\t12a\r\n"
                                     "Per\thttp://x/csomagok/\t5\r\nRossz\t" +
                                         packages.url("/rossz.dta") + "\t10\r\n");
    auto dialog = open(packages);
    ASSERT_EQ(dialog->ListView1->topLevelItemCount(), 5);
    for (int row = 0; row < 3; ++row) { // blank, name only, bad size
        select(*dialog, row);
        dialog->Button2->click();
        EXPECT_EQ(dialogs.messages.back().caption, QStringLiteral("Zolvera")) << row;
    }
    select(*dialog, 3); // a link ending in "/"
    dialog->Button2->click();
    EXPECT_TRUE(dialogs.texts().back().startsWith(QStringLiteral("Hiba letöltés közben\r\n")));
    EXPECT_TRUE(tmpFiles().empty());
    EXPECT_TRUE(packages.requests().empty());

    const auto before = dialogs.messages.size();
    select(*dialog, 4);
    dialog->Button2->click();
    ASSERT_EQ(dialogs.messages.size(), before + 1);
    EXPECT_EQ(dialogs.messages.back().caption, QStringLiteral("Zolvera"));
    EXPECT_TRUE(dialogs.texts().back().contains(QStringLiteral("rossz.dta")));
}

TEST_F(DownloadDialog, ClosingDuringATransferCancelsItAtOnceAndLeavesNoFile) {
    // The server sends a part and then nothing: only the cancel can end these transfers.
    const std::string stalled = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npart";
    ScriptedServer server({{stalled, Then::Stall}, {stalled, Then::Stall}});
    writeFile(home / "Internet.txt", "Lassu\t" + server.url("/lassu.dta") + "\t100\r\n");
    const auto onFirstBytes = [](ui::Tfrm_Letolt& dialog, const std::function<void()>& action) {
        QObject::connect(dialog.ProgressBar1, &QProgressBar::valueChanged, [action](int value) {
            if (value > 0)
                action();
        });
    };

    auto dialog = open(server);
    onFirstBytes(*dialog, [&] {
        dialog->Button1->click(); // a second transfer: ignored
        dialog->Button3->click();
    });
    dialog->Button2->click();
    EXPECT_TRUE(dialogs.texts().empty());
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(tmpFiles().empty());

    // Closing the main window cancels the transfer too, and the window then closes.
    auto second = open(server);
    onFirstBytes(*second, [&] { window->close(); });
    second->Button2->click();
    EXPECT_FALSE(second->isVisible());
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(tmpFiles().empty());
}

TEST_F(DownloadDialog, ADownloadReplacesALinkInTmpAndAnUnknownSizeKeepsTheBarEmpty) {
    ScriptedServer server({{replyWithBody("HTTP/1.1 200 OK", kTelPackage)}});
    writeFile(home / "Internet.txt", "Tel\t" + server.url("/tel.dta") + "\t0\r\n");
    writeFile(home / "elsewhere", "not to be written");
    std::filesystem::create_symlink(home / "elsewhere", home / "Tmp/tel.dta");
    auto dialog = open(server);
    std::vector<int> positions;
    QObject::connect(dialog->ProgressBar1, &QProgressBar::valueChanged,
                     [&](int value) { positions.push_back(value); });
    dialog->Button2->click();
    EXPECT_EQ(dialogs.texts().back(), QStringLiteral("A file letöltése kész."));
    EXPECT_GT(dialog->ProgressBar1->maximum(), dialog->ProgressBar1->minimum()); // not busy
    EXPECT_TRUE(std::all_of(positions.begin(), positions.end(), [](int v) { return v == 0; }));
    EXPECT_EQ(readFile(home / "elsewhere"), "not to be written");
    EXPECT_FALSE(std::filesystem::is_symlink(home / "Tmp/tel.dta"));
    EXPECT_EQ(readFile(home / "Tmp/tel.dta"), kTelPackage);
}

} // namespace
} // namespace zolvera::test
