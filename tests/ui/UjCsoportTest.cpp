#include "MainWindowFixture.h"
#include "OpenWindow.h"
#include "TabAndEnter.h"

#include "ui/UjCsoport.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <filesystem>

namespace zolvera::test {
namespace {

const QString kInvalidName = QStringLiteral("Hibás csoportnév megadás.");

class NewGroupDialog : public MainWindowFixture {
protected:
    void SetUp() override {
        addGroup("Tenger", 0);
        writeGroupList({"Tenger"});
    }

    std::string groupList() { return readFile(home / "Zolvera.lst"); }
    std::vector<std::string> hatterek() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(home / "Hatterek"))
            names.push_back(entry.path().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // The dialog over the started main window, shown as the command shows it.
    std::unique_ptr<ui::Tfrm_UjCsoport> openDialog() {
        auto dialog =
            std::make_unique<ui::Tfrm_UjCsoport>(window.get(), context, window->library());
        dialog->show();
        QCoreApplication::processEvents(); // filled once on screen
        return dialog;
    }

    QString pressOK(ui::Tfrm_UjCsoport& dialog, const QString& name) {
        dialog.edtCsopNev->setText(name);
        dialog.btnOK->click();
        return dialogs.messages.empty() ? QString() : dialogs.messages.back().text;
    }
};

TEST_F(NewGroupDialog, NameTypedAndTemplatePickedWithTheKeysBecomeTheLastGroup) {
    // Listed in the order of every listing of pictures, whatever the order on disk.
    writeJpeg(home / "Template/cseresznye.jpg");
    writeJpeg(home / "Template/ár.jpg");
    writeJpeg(home / "Template/Barack.jpg", {.width = 300, .height = 200});
    writeJpeg(home / "Template/alma.jpg", {.width = 30, .height = 20});
    const std::string barack = readFile(home / "Template/Barack.jpg");
    start();

    QStringList listed;
    QSize shownFirst;
    QSize shownSecond;
    // Once the dialog is open (and then filled, which it queues when shown): the user's keys.
    QTimer::singleShot(0, [&] {
        ui::Tfrm_UjCsoport* dialog = openWindow<ui::Tfrm_UjCsoport>();
        ASSERT_NE(dialog, nullptr);
        QTimer::singleShot(3000, dialog, &QDialog::reject); // gives up instead of hanging
        QTimer::singleShot(0, dialog, [&, dialog] {
            for (int i = 0; i < dialog->lb->count(); ++i)
                listed << dialog->lb->item(i)->text();
            shownFirst = dialog->Img->pixmap().size();
            dialog->edtCsopNev->insert(QStringLiteral(" Hajók"));
            QTest::keyClick(dialog->lb, Qt::Key_Down);
            shownSecond = dialog->Img->pixmap().size();
            QTest::keyClick(dialog->lb, Qt::Key_Return);
        });
    });
    ui().aUjCsoport->trigger();

    EXPECT_EQ(listed, QStringList({"alma.jpg", "Barack.jpg", "cseresznye.jpg", "ár.jpg"}));
    EXPECT_EQ(shownFirst, QSize(30, 20));    // natural size
    EXPECT_EQ(shownSecond, QSize(142, 100)); // clipped
    EXPECT_EQ(openWindow<ui::Tfrm_UjCsoport>(), nullptr);
    EXPECT_TRUE(dialogs.messages.empty());
    // The leading blank belongs to the name; the list file is Windows-1250.
    EXPECT_EQ(groupList(), "Tenger\r\n Haj\xF3k\r\n");
    EXPECT_EQ(readFile(groupFile(" Hajók", "init.jpg")), barack);
    ASSERT_EQ(ui().sbx1->count(), 2);
    EXPECT_EQ(ui().sbx1->tile(1)->image()->path(), window->library().coverPath(" Hajók"));
}

TEST_F(NewGroupDialog, RefusedNamesCreateNothingAndKeepTheDialogOpen) {
    std::filesystem::create_directories(home / "Hatterek/Egyeb"); // a folder, not a group
    writeJpeg(home / "Template/alma.jpg");
    start();
    const auto before = hatterek();
    const auto dialog = openDialog();

    EXPECT_EQ(pressOK(*dialog, ""), QStringLiteral("Add meg a csoport nevét!"));
    for (const char* name : {"tenger", "Egyeb", "Tenger/al", "..", "a:b", "tab\there", "日本"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(pressOK(*dialog, QString::fromUtf8(name)), kInvalidName);
        EXPECT_EQ(dialogs.messages.back().caption, QStringLiteral("Üzenet"));
        EXPECT_EQ(dialog->edtCsopNev->text(), QString::fromUtf8(name));
    }
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(hatterek(), before);
    EXPECT_EQ(groupList(), "Tenger\r\n");
}

TEST_F(NewGroupDialog, EnterOnTheFocusedCancelMakesNoGroup) {
    writeJpeg(home / "Template/alma.jpg");
    start();
    const auto dialog = openDialog();
    QTest::keyClicks(dialog->edtCsopNev, QStringLiteral("Uj"));
    tabToAndPressEnter(*dialog, dialog->btnCancel);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(groupList(), "Tenger\r\n");
}

TEST_F(NewGroupDialog, AGroupIsNeverMadeWithoutItsCover) {
    start();
    {
        const auto dialog = openDialog(); // no Template folder at all
        EXPECT_EQ(dialog->lb->count(), 0);
        EXPECT_TRUE(dialog->Img->pixmap().isNull());
        EXPECT_TRUE(pressOK(*dialog, "Uj").contains(QStringLiteral("Template")));
    }
    writeJpeg(home / "Template/jo.jpg");
    writeFile(home / "Template/rossz.jpg", "not a picture");
    const auto dialog = openDialog();
    dialog->lb->setCurrentRow(1); // rossz.jpg
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(dialogs.messages[1].text.contains(QStringLiteral("\"rossz.jpg\"")));
    EXPECT_EQ(dialogs.messages[1].caption, QStringLiteral("Hiba"));
    EXPECT_TRUE(dialog->Img->pixmap().isNull());
    EXPECT_EQ(pressOK(*dialog, "Uj"),
              QStringLiteral("A kiválasztott kép nem olvasható, válasszon másik borítót."));

    // The template goes before it is copied: the new folder is removed again.
    dialog->lb->setCurrentRow(0);
    std::filesystem::remove(home / "Template/jo.jpg");
    EXPECT_TRUE(pressOK(*dialog, "Uj").contains(QStringLiteral("nem másolható")));
    EXPECT_EQ(dialogs.messages.back().caption, QStringLiteral("Hiba"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(std::filesystem::exists(home / "Hatterek/Uj"));
    EXPECT_EQ(groupList(), "Tenger\r\n");
    EXPECT_EQ(ui().sbx1->count(), 1);
}

} // namespace
} // namespace zolvera::test
