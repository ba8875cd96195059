#include "ScriptedDialogs.h"
#include "TabAndEnter.h"
#include "WindowDoubles.h"

#include "support/JpegFixtures.h"
#include "support/TempDir.h"
#include "ui/CsomagKeszit.h"
#include "ui/FolderTree.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

namespace zolvera::test {
namespace {

// What a folder Tel holding the cover (11 22) and a.jpg (33 44 55) packs into.
const std::string kTelPackage("\x03\x00\x00\x00Tel\x05\x00\x00\x00"
                              "a.jpg\x03\x00\x00\x00\x33\x44\x55\x08\x00\x00\x00"
                              "Init.jpg\x02\x00\x00\x00\x11\x22",
                              41);

class PackageBuilder : public ::testing::Test {
protected:
    PackageBuilder() {
        writeFile(dir / "Tel/a.jpg", "\x33\x44\x55");
        writeFile(dir / "Tel/INIT.JPG", "\x11\x22");
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    // Types the path over the box's text, as a user does, and confirms it with Enter.
    void typeFolder(const std::string& path, bool confirm = true) {
        dialog.ShellComboBox1->setFocus();
        dialog.ShellComboBox1->lineEdit()->selectAll();
        // The box holds the focus for its line edit, and gets the keys.
        QTest::keyClicks(dialog.ShellComboBox1, QString::fromStdString(path));
        if (confirm)
            QTest::keyClick(dialog.ShellComboBox1, Qt::Key_Return);
    }

    QStringList listed() const {
        QStringList names;
        for (int i = 0; i < dialog.ShellListView1->count(); ++i)
            names << dialog.ShellListView1->item(i)->text();
        return names;
    }

    static QString madeFolder(const std::string& path) {
        std::filesystem::create_directories(path);
        return QString::fromStdString(path);
    }

    TempDir dir;
    ScriptedDialogs dialogs;
    WindowDoubles doubles;
    QString groups = madeFolder(dir / ".zolvera/Hatterek"); // hidden, as the per-user library
    QString packageFolder;
    ui::Tfrm_Csomagkeszit dialog{nullptr, doubles.contextWith(dialogs), groups, packageFolder};
};

TEST_F(PackageBuilder, PacksTheFolderTypedInThePathBoxAndStaysOpen) {
    EXPECT_EQ(dialog.ShellTreeView1->selectedFolder(), QDir::homePath());

    typeFolder(dir / "tel"); // letter case does not matter
    EXPECT_EQ(dialog.ShellTreeView1->selectedFolder().toStdString(), dir / "Tel");
    EXPECT_EQ(dialog.ShellComboBox1->currentText().toStdString(), dir / "Tel");
    EXPECT_EQ(listed(), QStringList({"a.jpg", "INIT.JPG"}));

    writeFile(dir / "Tel.dta", "an earlier package, replaced without a question");
    dialogs.files = {QString::fromStdString(dir / "Tel.dta")};
    dialog.Button2->click();
    EXPECT_EQ(readFile(dir / "Tel.dta"), kTelPackage);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    const ui::FileDialogRequest& save = dialogs.fileDialogs[0];
    EXPECT_EQ(save.mode, ui::FileDialogRequest::Mode::Save);
    EXPECT_EQ(save.filter, QStringLiteral("Zolvera csomag file-ok (*.dta)|*.dta"));
    EXPECT_EQ(save.defaultSuffix, QStringLiteral("dta"));
    EXPECT_FALSE(save.confirmOverwrite);
    EXPECT_TRUE(save.title.isEmpty());
}

TEST_F(PackageBuilder, RefusesTheRootAndAFolderWithoutCoverBeforeAnyFileIsMade) {
    typeFolder("/");
    dialog.Button2->click();
    EXPECT_TRUE(dialogs.fileDialogs.empty());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Hiba"));

    std::filesystem::remove(dir / "Tel/INIT.JPG");
    typeFolder(dir / "Tel/");
    dialogs.files = {QString::fromStdString(dir / "Tel.dta")};
    dialog.Button2->click();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text,
              QStringLiteral(
                  "Nem található az \"init.jpg\" állomány, anélkül csomag nem hozható létre."));
    EXPECT_EQ(dialogs.messages[1].caption, QStringLiteral("Hiba"));
    EXPECT_FALSE(std::filesystem::exists(dir / "Tel.dta"));

    typeFolder(dir / "nincs");
    EXPECT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialog.ShellTreeView1->selectedFolder().toStdString(), dir / "Tel");
}

TEST_F(PackageBuilder, PacksAGroupClickedInTheLibraryThenWhatTheBoxShows) {
    writeFile(dir / ".zolvera/Hatterek/Tenger/init.jpg", "\x11\x22");
    QTreeWidget* tree = dialog.ShellTreeView1;
    QTreeWidgetItem* library = tree->topLevelItem(0);
    library->setExpanded(true);
    ASSERT_EQ(library->childCount(), 1);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(library->child(0)).center());
    EXPECT_EQ(dialog.ShellComboBox1->currentText(), groups + "/Tenger");
    dialogs.files = {QString::fromStdString(dir / "Tenger.dta")};
    dialog.Button2->click();
    EXPECT_TRUE(std::filesystem::exists(dir / "Tenger.dta"));

    typeFolder("~");
    EXPECT_EQ(dialog.ShellTreeView1->selectedFolder(), QDir::homePath());
    typeFolder(dir / "Tel", false); // not confirmed
    dialogs.files = {QString::fromStdString(dir / "Tel.dta")};
    dialog.Button2->click();
    EXPECT_EQ(readFile(dir / "Tel.dta"), kTelPackage);
    ASSERT_EQ(dialogs.fileDialogs.size(), 2u);
    // Offered under the folder's name: first in the home folder, then where the last one went.
    EXPECT_EQ(dialogs.fileDialogs[0].directory, QDir::home().filePath("Tenger.dta"));
    EXPECT_EQ(dialogs.fileDialogs[1].directory.toStdString(), dir / "Tel.dta");
}

TEST_F(PackageBuilder, AsksBeforeFittingPicturesTooLargeAndTellsWhatItFitted) {
    const std::string photo =
        jpegBytes({.width = 1600, .height = 1200, .quality = 98, .grain = 12});
    ASSERT_GT(photo.size(), 800000u);
    writeFile(dir / "Tel/nagy.jpg", photo);
    typeFolder(dir / "Tel");
    dialogs.files = {QString::fromStdString(dir / "Tel.dta"),
                     QString::fromStdString(dir / "Tel.dta")};
    dialogs.answers = {false};
    dialog.Button2->click();
    // No packs nothing, and names the picture that kept the folder from being packed.
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(dialogs.messages[0].yesNo);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("A csomagba szánt képek közül 1 nagyobb 800000 bájtnál. "
                             "Átméretezzem őket, hogy beférjenek a csomagba? Az eredeti képek "
                             "nem változnak."));
    EXPECT_TRUE(dialogs.messages[1].text.contains(QString::fromStdString(dir / "Tel/nagy.jpg")));
    EXPECT_FALSE(std::filesystem::exists(dir / "Tel.dta"));

    dialog.Button2->click(); // Yes
    EXPECT_EQ(dialogs.messages.size(), 3u);
    EXPECT_TRUE(std::filesystem::exists(dir / "Tel.dta"));
    EXPECT_EQ(dialog.StatusBar1->text(),
              QStringLiteral("1 kép átméretezve (legkisebb: 1600 × 1200)"));
    EXPECT_EQ(readFile(dir / "Tel/nagy.jpg"), photo);
}

TEST_F(PackageBuilder, EnterPressesOnlyTheFocusedButton) {
    typeFolder(dir / "Tel");
    dialogs.files = {QString::fromStdString(dir / "Tel.dta")};
    QTest::keyClick(dialog.ShellTreeView1, Qt::Key_Return); // no button is the default
    EXPECT_TRUE(dialogs.fileDialogs.empty());
    tabToAndPressEnter(dialog, dialog.Button2);
    EXPECT_EQ(readFile(dir / "Tel.dta"), kTelPackage);
    tabToAndPressEnter(dialog, dialog.Button1);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(PackageBuilder, ANameEditedInTheListRenamesTheFileOrIsPutBack) {
    writeFile(dir / "Tel/b.jpg", "b");
    typeFolder(dir / "Tel");
    QListWidgetItem* item = dialog.ShellListView1->item(0);
    ASSERT_EQ(item->text(), QStringLiteral("a.jpg"));

    item->setText(QStringLiteral("c.jpg"));
    QCoreApplication::processEvents();
    EXPECT_EQ(readFile(dir / "Tel/c.jpg"), "\x33\x44\x55");
    EXPECT_TRUE(dialogs.messages.empty());

    for (const char* refused : {"B.JPG", "../c.jpg"}) {
        item->setText(QString::fromUtf8(refused));
        QCoreApplication::processEvents();
        EXPECT_EQ(item->text(), QStringLiteral("c.jpg"));
    }
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(readFile(dir / "Tel/c.jpg"), "\x33\x44\x55");
    EXPECT_EQ(readFile(dir / "Tel/b.jpg"), "b");
}

} // namespace
} // namespace zolvera::test
