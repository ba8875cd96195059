#include "MainWindowFixture.h"

#include "library/Settings.h"
#include "support/FolderLockHolder.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>

#include <filesystem>

namespace zolvera::test {
namespace {

using Layout = MainWindowFixture;

TEST_F(Layout, WindowControlsAndTilesStandWhereTheyBelong) {
    addGroup("Tajak", 9);
    for (const char* name : {"Allatok", "Varosok", "Tenger"})
        addGroup(name, 1);
    writeGroupList({"Tajak", "Allatok", "Varosok", "Tenger"});
    start();

    EXPECT_EQ(window->size(), QSize(776, 541));
    EXPECT_EQ(ui().Panel1->geometry(), QRect(0, 0, 776, 55));
    EXPECT_EQ(ui().Panel4->geometry(), QRect(0, 0, 71, 55));
    EXPECT_EQ(ui().sbx1->size(), QSize(165, 463));
    EXPECT_EQ(ui().sbx2->size(), QSize(603, 463));
    EXPECT_EQ(ui().StatusBar1->geometry(), QRect(0, 522, 776, 19));
    EXPECT_EQ(ui().StatusBar1->panel(0)->width(), 200);

    ASSERT_EQ(ui().sbx1->count(), 4);
    EXPECT_EQ(ui().sbx1->tile(0)->pos(), QPoint(4, 10));
    EXPECT_EQ(ui().sbx1->tile(1)->pos(), QPoint(4, 120));
    EXPECT_EQ(ui().sbx1->tile(3)->pos(), QPoint(4, 340));
    EXPECT_EQ(ui().sbx1->tile(3)->image()->tag, 3);

    ASSERT_EQ(ui().sbx2->count(), 9);
    const QPoint expected[] = {{4, 10},    {150, 10},  {296, 10},  {442, 10}, {4, 120},
                               {150, 120}, {296, 120}, {442, 120}, {4, 230}};
    for (int j = 0; j < 9; ++j) {
        EXPECT_EQ(thumbnail(j)->pos(), expected[j]) << j;
        EXPECT_EQ(thumbnail(j)->tag, j);
        EXPECT_EQ(thumbnail(j)->image()->tag, j);
    }
    // The image fills the tile within its two bevels and invites a click.
    EXPECT_EQ(thumbnail(0)->size(), QSize(142, 100));
    EXPECT_EQ(thumbnail(0)->image()->geometry(), QRect(2, 2, 138, 96));
    EXPECT_EQ(thumbnail(0)->image()->cursor().shape(), Qt::PointingHandCursor);
    // A row ends at 584, inside the grid: it never scrolls sideways.
    EXPECT_FALSE(ui().sbx2->horizontalScrollBar()->isVisible());

    EXPECT_EQ(panelText(0), QStringLiteral("  Tajak"));
    EXPECT_EQ(ui().img->path(), groupFile("Tajak", "init.jpg"));
    EXPECT_TRUE(dialogs.messages.empty());
}

using CurrentIndices = MainWindowFixture;

TEST_F(CurrentIndices, PictureIndexComesFromTheRightButtonAndSurvivesShowGroup) {
    addGroup("Elso", 4);
    addGroup("Masodik", 5);
    writeGroupList({"Elso", "Masodik"});
    start();

    QTest::mouseClick(thumbnail(2)->image(), Qt::RightButton);
    EXPECT_EQ(window->library().currentPicture(), 2);
    pressInNextModal(Qt::Key_Escape);
    QTest::mouseClick(thumbnail(3)->image(), Qt::LeftButton); // the preview, not the index
    EXPECT_EQ(window->library().currentPicture(), 2);

    QTest::mouseClick(ui().sbx1->tile(1)->image(), Qt::LeftButton);
    EXPECT_EQ(window->library().currentGroup(), 1);
    EXPECT_EQ(panelText(0), QStringLiteral("  Masodik"));
    EXPECT_EQ(ui().img->path(), groupFile("Masodik", "init.jpg"));
    EXPECT_EQ(ui().sbx2->count(), 5);
    EXPECT_EQ(window->library().currentPicture(), 2);

    // "Kép törlése" from the tool bar asks about the picture now standing at that index.
    dialogs.answers = {false};
    ui().aKepTorol->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Töröljem a %1 képet?")
                  .arg(QString::fromStdString(window->library().pictures().at(2))));
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Megerősítés"));
}

TEST_F(CurrentIndices, ContextMenusOpenWithoutChangingTheCurrentGroup) {
    addGroup("Elso", 2);
    addGroup("Masodik", 2);
    writeGroupList({"Elso", "Masodik"});
    start();

    auto popupOn = [](QWidget* widget) {
        QWidget* popup = nullptr;
        QTimer::singleShot(0, [&popup] {
            popup = QApplication::activePopupWidget();
            if (popup != nullptr)
                popup->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                widget->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(widget, &event);
        return popup;
    };
    EXPECT_EQ(popupOn(ui().sbx1->tile(1)->image()), ui().pm2);
    EXPECT_EQ(window->library().currentGroup(), 0);
    EXPECT_EQ(popupOn(thumbnail(1)->image()), ui().pm1);
    EXPECT_EQ(popupOn(ui().sbx2->viewport()), ui().pm2);
}

using Commands = MainWindowFixture;

TEST_F(Commands, InsAndDelWorkWhateverHasTheFocus) {
    addGroup("Elso", 3);
    writeGroupList({"Elso"});
    start();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    dialogs.answers = {false, false, false};
    QWidget* focusHolders[] = {ui().sbx1, ui().sbx2, window.get()};
    for (QWidget* holder : focusHolders) {
        holder->setFocus();
        QTest::keyClick(holder, Qt::Key_Insert);
        QTest::keyClick(holder, Qt::Key_Delete);
    }
    EXPECT_EQ(dialogs.fileDialogs.size(), 3u);
    EXPECT_EQ(dialogs.messages.size(), 3u);

    // The picture open dialog as the window sets it up.
    const ui::FileDialogRequest& od = dialogs.fileDialogs.front();
    EXPECT_EQ(od.owner, window.get());
    EXPECT_EQ(od.mode, ui::FileDialogRequest::Mode::Open);
    EXPECT_EQ(od.title, QStringLiteral("Kép megnyitása"));
    EXPECT_EQ(od.filter, QStringLiteral("JPEG képek (*.jpg;*.jpeg)|*.jpg;*.jpeg"));
    EXPECT_EQ(od.defaultSuffix, QStringLiteral("jpg"));
    EXPECT_EQ(od.directory, QString::fromStdString(home.path()));
    EXPECT_TRUE(od.picturePreview);
}

TEST_F(Commands, AddingAndDeletingPicturesRebuildTheGrid) {
    addGroup("Elso", 2);
    writeGroupList({"Elso"});
    const std::string outside = home / "kint/uj kep.jpg";
    writeJpeg(outside);
    start();

    dialogs.files = {QString::fromStdString(outside)};
    ui().aKepHozza->trigger();
    EXPECT_TRUE(std::filesystem::exists(groupFile("Elso", "uj kep.jpg")));
    ASSERT_EQ(ui().sbx2->count(), 3);

    const int added = pictureIndex("uj kep.jpg");
    QTest::mouseClick(thumbnail(added)->image(), Qt::RightButton);
    dialogs.answers = {true};
    ui().aKepTorol->trigger();
    EXPECT_FALSE(std::filesystem::exists(groupFile("Elso", "uj kep.jpg")));
    EXPECT_EQ(ui().sbx2->count(), 2);
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

using FollowingTheList = MainWindowFixture;

// Another program replaces the list file while the window is open: the column follows it, the
// group shown stays shown, and a group added afterwards keeps the other program's entry.
TEST_F(FollowingTheList, TheColumnShowsTheListChangedOnDisk) {
    for (const char* name : {"Elso", "Masodik", "Harmadik", "Negyedik"})
        addGroup(name, 1);
    writeGroupList({"Elso", "Masodik"});
    start();
    QTest::mouseClick(ui().sbx1->tile(1)->image(), Qt::LeftButton);

    writeFile(home / "Zolvera.new", "Harmadik\r\nElso\r\nMasodik\r\n");
    std::filesystem::rename(home / "Zolvera.new", home / "Zolvera.lst");
    ASSERT_TRUE(QTest::qWaitFor([&] { return ui().sbx1->count() == 3; }, 10000));
    EXPECT_EQ(window->library().currentGroup(), 2);
    EXPECT_EQ(panelText(0), QStringLiteral("  Masodik"));

    window->library().addGroup("Negyedik");
    EXPECT_EQ(readFile(home / "Zolvera.lst"), "Harmadik\r\nElso\r\nMasodik\r\nNegyedik\r\n");
    EXPECT_TRUE(dialogs.messages.empty());
}

using LongLists = MainWindowFixture;

// The column makes tiles only in view: a group chosen further down keeps its cover on top when
// its tile has been scrolled away again.
TEST_F(LongLists, AGroupListedManyTimesShowsItsCoverWhereverTheColumnIsScrolled) {
    addGroup("Elso", 1);
    writeGroupList(std::vector<std::string>(30, "Elso"));
    start();
    ASSERT_EQ(ui().sbx1->count(), 30);

    QScrollBar* bar = ui().sbx1->verticalScrollBar();
    bar->setValue(bar->maximum());
    QTest::mouseClick(ui().sbx1->tile(29)->image(), Qt::LeftButton);
    EXPECT_EQ(window->library().currentGroup(), 29);
    bar->setValue(0);
    ASSERT_EQ(ui().sbx1->tile(29), nullptr);

    window->ShowGroup(29);
    EXPECT_EQ(ui().img->path(), groupFile("Elso", "init.jpg"));
    EXPECT_TRUE(dialogs.messages.empty());
}

using Hints = MainWindowFixture;

TEST_F(Hints, StatusPanelOneShowsTheHintUnderThePointer) {
    addGroup("Elso", 2);
    writeGroupList({"Elso"});
    start();

    QTest::mouseMove(thumbnail(1)->image(), QPoint(60, 40));
    EXPECT_EQ(panelText(1), QString::fromStdString(window->library().pictures().at(1)));
    QTest::mouseMove(ui().sbx2->viewport(), QPoint(500, 400)); // an empty part of the grid
    EXPECT_EQ(panelText(1), QString());

    QTest::mouseMove(ui().ToolBar2->widgetForAction(ui().aKepHozza), QPoint(5, 5));
    EXPECT_EQ(panelText(1), QStringLiteral("Kép hozzáadása"));

    // A highlighted item of a context menu.
    ui().pm2->popup(window->mapToGlobal(QPoint(300, 300)));
    ui().pm2->setActiveAction(ui().aDiaVetit);
    EXPECT_EQ(panelText(1), QStringLiteral("Diavetítés"));
    ui().pm2->close();
}

using Closing = MainWindowFixture;

TEST_F(Closing, ASettingsFileThatCannotBeWrittenKeepsTheWindowOpenOnce) {
    writeGroupList({});
    start();
    // A folder in the settings file's place cannot be replaced by a file.
    std::filesystem::create_directory(home / "Zolvera.ini");

    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Zolvera"));
    EXPECT_EQ(dialogs.messages[0].text,
              QString::fromStdString("Unable to write to " + home / "Zolvera.ini" + "."));

    std::filesystem::remove(home / "Zolvera.ini");
    EXPECT_TRUE(window->close());
    EXPECT_NE(readFile(home / "Zolvera.ini").find("Leptet=1"), std::string::npos);
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(Closing, ASecondCloseAfterAFailedSaveEndsTheProgramWithoutWriting) {
    writeGroupList({});
    start();
    std::filesystem::create_directory(home / "Zolvera.ini");

    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->close());
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_directory(home / "Zolvera.ini"));
}

// Another program holding the library's lock never traps the window: closing asks whether to
// wait, and when the user gives up the window closes, saying the settings were not saved.
TEST_F(Closing, ALibraryBusyElsewhereIsWaitedForOnlyAsLongAsTheUserWants) {
    writeGroupList({});
    start();
    FolderLockHolder holder(home.path());
    dialogs.answers = {true, false};

    EXPECT_TRUE(window->close());
    const QString question =
        QStringLiteral("A képtárat most egy másik ablak vagy program használja.\n"
                       "Várjak, amíg felszabadul? (Nem: a módosítás elmarad.)");
    EXPECT_EQ(dialogs.texts(),
              (std::vector<QString>{question, question,
                                    QStringLiteral("A beállítások nem lettek elmentve, mert a "
                                                   "képtárat egy másik ablak vagy program "
                                                   "használja.")}));
    EXPECT_FALSE(std::filesystem::exists(home / "Zolvera.ini"));
}

using EmptyLibrary = MainWindowFixture;

TEST_F(EmptyLibrary, StartsQuietlyAndFinishesTheFirstShow) {
    writeGroupList({});
    start();
    EXPECT_TRUE(window->firstShown());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(ui().sbx1->count(), 0);
    EXPECT_EQ(ui().sbx2->count(), 0);
    EXPECT_EQ(panelText(0), QString());
    // The grid says where to begin instead of standing empty.
    EXPECT_TRUE(ui().lblKezdes->isVisible());
    EXPECT_TRUE(ui().lblKezdes->text().startsWith(QStringLiteral("A képtár még üres.")));
}

TEST_F(EmptyLibrary, DeletingTheLastGroupClearsTheScreenAndOnlyTheCommandsReportTheIndex) {
    addGroup("Egyetlen", 3);
    writeGroupList({"Egyetlen"});
    start();
    ASSERT_EQ(ui().sbx2->count(), 3);
    EXPECT_FALSE(ui().lblKezdes->isVisible());

    ui().aCsopTorol->trigger();
    EXPECT_EQ(dialogs.texts(),
              (std::vector<QString>{QStringLiteral("Valóban töröljem a Egyetlen csoportot?"),
                                    QStringLiteral("Csoport eltávolítása kész.")}));
    EXPECT_EQ(ui().sbx1->count(), 0);
    EXPECT_EQ(ui().sbx2->count(), 0);
    EXPECT_TRUE(ui().img->path().empty());
    EXPECT_EQ(panelText(0), QString());
    EXPECT_TRUE(ui().lblKezdes->isVisible());

    ui().aKepTorol->trigger();
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[2].text, QStringLiteral("List index out of bounds (0)"));
}

using BrokenPictures = MainWindowFixture;

// A picture whose header reads well but whose first component names a quantisation table the
// file does not have: it fails only when it is decoded.
std::string undecodableJpeg() {
    std::string bytes = jpegBytes();
    const std::size_t frame = bytes.find("\xFF\xC0", 0, 2);
    EXPECT_NE(frame, std::string::npos);
    bytes[frame + 12] = 3;
    return bytes;
}

TEST_F(BrokenPictures, AThumbnailThatFailsToDecodeIsReportedOnceAndStaysBlank) {
    addGroup("Elso", 2);
    writeFile(groupFile("Elso", "rossz.jpg"), undecodableJpeg());
    writeGroupList({"Elso"});
    start();
    ASSERT_EQ(ui().sbx2->count(), 3);

    const ui::PictureView* good = thumbnail(pictureIndex("kep0.jpg"))->image();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !dialogs.messages.empty() && good->isDecoded(); }, 5000));
    for (int i = 0; i < 3; ++i) {
        window->repaint();
        QCoreApplication::processEvents(); // a failure is reported from a queued call
    }
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("JPEG error #")));
    EXPECT_FALSE(thumbnail(pictureIndex("rossz.jpg"))->image()->isDecoded());
}

// Its tile is made anew whenever it comes back into view, and must not fail again.
TEST_F(BrokenPictures, AThumbnailThatFailedStaysBlankWhenScrolledAwayAndBack) {
    addGroup("Elso", 39);
    writeFile(groupFile("Elso", "rossz.jpg"), undecodableJpeg());
    writeGroupList({"Elso"});
    start();
    const int broken = pictureIndex("rossz.jpg");
    QScrollBar* bar = ui().sbx2->verticalScrollBar();
    const int brokenTop = ui().sbx2->tilePosition(broken).y() - 10;
    bar->setValue(brokenTop);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.messages.empty(); }, 5000));

    // Out of view: the rows below for one among the first five, the top for the others.
    bar->setValue(brokenTop < ui().sbx2->height() ? bar->maximum() : 0);
    ASSERT_EQ(thumbnail(broken), nullptr);
    bar->setValue(brokenTop);
    window->repaint();
    QTest::qWait(200); // time for a decoding that should not happen
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_FALSE(thumbnail(broken)->image()->isDecoded());
}

TEST_F(BrokenPictures, APictureThatCannotBeLoadedStopsTheBuildingAtItsTile) {
    addGroup("Elso", 3);
    writeFile(groupFile("Elso", "nem kep.jpg"), "this is no picture");
    writeGroupList({"Elso"});
    start();

    const int broken = pictureIndex("nem kep.jpg");
    EXPECT_EQ(ui().sbx2->count(), broken);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("JPEG error #")));
    // The first show ends there, and the window stays usable.
    EXPECT_FALSE(window->firstShown());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(BrokenPictures, AMissingCoverStopsTheGroupColumnAndTheFirstShow) {
    addGroup("Elso", 1);
    std::filesystem::create_directories(home / "Hatterek/Masodik");
    addGroup("Harmadik", 1);
    writeGroupList({"Elso", "Masodik", "Harmadik"});
    start();

    EXPECT_EQ(ui().sbx1->count(), 1);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Cannot open file \"")));
    EXPECT_TRUE(dialogs.messages[0].text.endsWith(QLatin1Char('.')));
    EXPECT_FALSE(window->firstShown());
    EXPECT_EQ(ui().sbx2->count(), 0);
}

} // namespace
} // namespace zolvera::test
