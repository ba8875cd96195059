#include "MainWindowFixture.h"
#include "OpenWindow.h"
#include "TelPackage.h"
#include "ui/UjCsoport.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>

namespace zolvera::test {
namespace {

class PackageCommands : public MainWindowFixture {
protected:
    void SetUp() override {
        addGroup("Elso", 2);
        writeGroupList({"Elso"});
    }
    std::string groupList() { return readFile(home / "Zolvera.lst"); }
};

} // namespace

TEST_F(PackageCommands, CommandLineOfferAsksWithTheLowerCasedPathAndInstallsTheGivenOne) {
    const std::string package = home / "Letoltes/Tel.DTA";
    writeFile(package, kTelPackage);
    commandLine << QString::fromStdString(package);
    start();

    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(
        dialogs.messages[0].text,
        QStringLiteral("Telepítsem a %1 csomagot?").arg(QString::fromStdString(package).toLower()));
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Megerősítés"));
    EXPECT_EQ(dialogs.messages[1].text, QStringLiteral("A csomag kibontása kész."));
    EXPECT_EQ(groupList(), "Elso\r\nTel\r\n");
    EXPECT_EQ(ui().sbx1->count(), 2);
    EXPECT_EQ(readFile(groupFile("Tel", "a.jpg")), kPicture);
}

TEST_F(PackageCommands, CommandLineOfferIsSkippedForRegAndAnsweredNoLeavesTheListAlone) {
    commandLine << QStringLiteral("/reg");
    start();
    EXPECT_TRUE(dialogs.messages.empty());

    window.reset();
    commandLine = {QStringLiteral("zolvera"), QString::fromStdString(home / "Tel.dta")};
    writeFile(home / "Tel.dta", kTelPackage);
    dialogs.answers = {false};
    start();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(groupList(), "Elso\r\n");
    EXPECT_FALSE(std::filesystem::exists(home / "Hatterek/Tel"));
}

TEST_F(PackageCommands, AFailedInstallationIsReportedAndNotCalledDone) {
    // "/REG" is not the switch: it is offered as a package path, which cannot be opened.
    commandLine << QStringLiteral("/REG");
    start();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Telepítsem a /reg csomagot?"));
    EXPECT_EQ(dialogs.messages[1].caption, QStringLiteral("Zolvera"));
    EXPECT_TRUE(dialogs.messages[1].text.contains(QStringLiteral("/REG")));
    EXPECT_EQ(groupList(), "Elso\r\n");
}

// A package handed over while "Kép hozzáadása" waits in its file dialog: the offer (whose
// install makes the first group current) waits for the dialog to close, and the picture goes to
// the group current when the command began, after the question about the picture it replaces.
TEST_F(PackageCommands, AnOfferWaitsForTheOpenDialogAndThePictureKeepsItsGroup) {
    addGroup("Masodik", 2);
    writeGroupList({"Elso", "Masodik"});
    writeFile(home / "Tel.dta", kTelPackage);
    const std::string chosen = home / "elsewhere/kep1.jpg";
    writeJpeg(chosen, {.width = 9, .height = 7});
    start();
    window->library().setCurrentGroup(1);
    dialogs.files = {QString::fromStdString(chosen)};
    dialogs.whileChoosing = [&](const ui::FileDialogRequest&) {
        QDialog fileDialog(window.get());
        fileDialog.setModal(true);
        fileDialog.show();
        window->offerPackages({QString::fromStdString(home / "Tel.dta")});
        QTest::qWait(600);
        EXPECT_TRUE(dialogs.messages.empty());
    };

    window->aKepHozzaExecute();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.messages.size() == 3; }));
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("A(z) Masodik csoportban már van kep1.jpg nevű kép. Felülírjam?"));
    EXPECT_TRUE(dialogs.messages[1].text.startsWith(QStringLiteral("Telepítsem a ")));
    EXPECT_EQ(groupList(), "Elso\r\nMasodik\r\nTel\r\n");
    EXPECT_EQ(readFile(groupFile("Masodik", "kep1.jpg")), readFile(chosen));
    EXPECT_NE(readFile(groupFile("Elso", "kep1.jpg")), readFile(chosen));
}

// A folder named on the command line whose name is taken: asked about, then named anew in the
// new group dialog, it becomes a group of its readable pictures, and the others are named.
TEST_F(PackageCommands, AFolderOnTheCommandLineBecomesAGroupUnderANameAskedAgainWhenTaken) {
    const std::string folder = home / "Kepeim/Elso";
    for (const char* name : {"b.jpg", "a.jpg"})
        writeJpeg(folder + "/" + name);
    writeFile(folder + "/c.jpg", "not a picture");
    commandLine << QString::fromStdString(folder);
    QString prefilled;
    QTimer answer; // as the user answers the dialog once it is open
    answer.callOnTimeout([&] {
        if (ui::Tfrm_UjCsoport* dialog = openWindow<ui::Tfrm_UjCsoport>()) {
            answer.stop();
            prefilled = dialog->edtCsopNev->text();
            dialog->edtCsopNev->setText(QStringLiteral("Első képeim"));
            dialog->btnOK->click();
        }
    });
    answer.start(10);
    start();

    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.messages.size() == 2; }));
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Létrehozzam a(z) Elso csoportot a mappa 3 képéből?"));
    EXPECT_EQ(prefilled, QStringLiteral("Elso"));
    EXPECT_EQ(dialogs.messages[1].text,
              QStringLiteral("A(z) Első képeim csoport elkészült. Ezek a képek nem olvashatók, "
                             "kimaradtak:\nc.jpg"));
    EXPECT_EQ(groupList(), "Elso\r\nEls\xF5 k\xE9peim\r\n");
    EXPECT_EQ(ui().sbx1->count(), 2);
    EXPECT_EQ(readFile(groupFile("Első képeim", "a.jpg")), readFile(folder + "/a.jpg"));
    EXPECT_TRUE(std::filesystem::exists(groupFile("Első képeim", "init.jpg")));
}

TEST_F(PackageCommands, InstallCommandUsesThePackageDialogAndShowsNoMessage) {
    start();
    ui().aCsomagTelepit->trigger(); // cancelled
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].title, QStringLiteral("Kép-csomag megnyitása"));
    EXPECT_EQ(dialogs.fileDialogs[0].filter,
              QStringLiteral("Zolvera csomag file-ok (*.dta)|*.dta"));
    EXPECT_EQ(dialogs.fileDialogs[0].defaultSuffix, QStringLiteral("dta"));
    EXPECT_EQ(groupList(), "Elso\r\n");

    writeFile(home / "Tel.dta", kTelPackage);
    dialogs.files = {QString::fromStdString(home / "Tel.dta")};
    ui().aCsomagTelepit->trigger();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(groupList(), "Elso\r\nTel\r\n");
    EXPECT_EQ(ui().sbx1->count(), 2);
}

TEST_F(PackageCommands, ThumbnailClickPreviewsThePictureOfItsOwnTile) {
    start();
    window->library().setCurrentPicture(0);
    const auto caption = pressInNextModal(Qt::Key_Escape);
    QTest::mouseClick(thumbnail(1)->image(), Qt::LeftButton);
    EXPECT_EQ(*caption, QStringLiteral("Zolvera : %1")
                            .arg(QString::fromStdString(window->library().pictures().at(1))));
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace zolvera::test
