#include "MainWindowFixture.h"
#include "TelPackage.h"

#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace zolvera::test {
namespace {

class Drops : public MainWindowFixture {
protected:
    void SetUp() override {
        addGroup("Elso", 2);
        writeGroupList({"Elso"});
        start();
    }

    // Drags the files over the middle of the control and drops them there, as a file manager
    // does; true when the window took the drop.
    bool drop(const std::vector<std::string>& paths, QWidget* over) {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& path : paths)
            urls << QUrl::fromLocalFile(QString::fromStdString(path));
        data.setUrls(urls);
        const QPoint at = over->mapTo(window.get(), over->rect().center());
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &move);
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &dropped);
        QCoreApplication::processEvents(); // the work that follows the drop
        return move.isAccepted() && dropped.isAccepted();
    }
};

} // namespace

TEST_F(Drops, PicturesOnTheGridJoinTheGroupAsAddedPicturesDo) {
    const std::string replacing = home / "in/kep1.jpg";
    const std::string added = home / "in/uj.jpeg";
    writeJpeg(replacing, {.width = 9, .height = 7});
    writeJpeg(added);
    EXPECT_FALSE(drop({replacing, added}, ui().sbx1)); // not on the group column

    ASSERT_TRUE(drop({replacing, added}, ui().sbx2));
    EXPECT_EQ(dialogs.texts(), std::vector<QString>{QStringLiteral(
                                   "A(z) Elso csoportban már van kep1.jpg nevű kép. Felülírjam?")});
    EXPECT_EQ(readFile(groupFile("Elso", "kep1.jpg")), readFile(replacing));
    EXPECT_EQ(readFile(groupFile("Elso", "uj.jpeg")), readFile(added));
}

TEST_F(Drops, AFolderOnTheColumnAndAPackageAnywhereAreOfferedOtherDropsRefused) {
    writeJpeg(home / "in/Tajak/a.jpg");
    writeFile(home / "in/Tel.dta", kTelPackage);
    writeFile(home / "in/jegyzet.txt", "x");
    dialogs.answers = {false, false};

    EXPECT_FALSE(drop({home / "in/Tajak"}, ui().sbx2));
    ASSERT_TRUE(drop({home / "in/Tajak"}, ui().sbx1));
    ASSERT_TRUE(drop({home / "in/Tel.dta"}, ui().sbx2));
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialogs.messages.size() == 2; }));
    EXPECT_EQ(
        dialogs.texts(),
        (std::vector<QString>{QStringLiteral("Létrehozzam a(z) Tajak csoportot a mappa 1 képéből?"),
                              QStringLiteral("Telepítsem a %1 csomagot?")
                                  .arg(QString::fromStdString(home / "in/tel.dta").toLower())}));

    EXPECT_FALSE(drop({home / "in/jegyzet.txt"}, ui().sbx2));
    EXPECT_FALSE(drop({home / "in/Tel.dta", home / "in/jegyzet.txt"}, ui().sbx2));
    // While a dialog is open the window takes no drop.
    QDialog dialog(window.get());
    dialog.setModal(true);
    dialog.show();
    EXPECT_FALSE(drop({home / "in/Tel.dta"}, ui().sbx2));
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

} // namespace zolvera::test
