#include "OpenWindow.h"
#include "ScriptedDialogs.h"
#include "WindowDoubles.h"

#include "ui/Mutat.h"

#include "desktop/FileRegistry.h"
#include "platform/Failure.h"
#include "support/JpegFixtures.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <filesystem>

namespace zolvera::ui {
namespace {

constexpr int kGaveUp = 42; // the window did not close by itself

class MutatTest : public ::testing::Test {
protected:
    MutatTest() {
        test::writeJpeg(folder + name, {.width = 200, .height = 50});
        // The wallpaper files go beside the Fonts folder, here into the test's own folder.
        std::filesystem::create_directories(dir / "Windows");
        EXPECT_TRUE(desktop::WriteRegString(
            registry, desktop::kCurrentUser,
            "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Fonts",
            dir / "Windows/Fonts"));
    }

    // Opens the preview of the picture and, once it is up, closes it with `press`. Returns the
    // bitmaps handed to the desktop; `result` gets the window's modal result.
    std::vector<std::string> preview(const std::function<void(Tfrm_mutat&)>& press) {
        doubles.wallpapers.clear();
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<Tfrm_mutat*>(QApplication::activeModalWidget());
            ASSERT_NE(window, nullptr);
            QObject::connect(window, &QDialog::finished, window,
                             [this](int code) { result = code; });
            QTimer::singleShot(3000, window, [window] { window->done(kGaveUp); });
            window->activateWindow(); // shortcuts work in the active window
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
            inspect(*window);
            press(*window);
        });
        ShowPicturePreview(nullptr, doubles.contextWith(dialogs, registry), folder, name);
        EXPECT_EQ(test::openWindow<Tfrm_mutat>(), nullptr);
        return doubles.wallpapers;
    }

    std::function<void(Tfrm_mutat&)> inspect = [](Tfrm_mutat&) {};
    int result = -1;
    test::ScriptedDialogs dialogs;
    test::TempDir dir;
    desktop::FileRegistry registry{dir / "registry.reg"};
    test::WindowDoubles doubles;
    std::string folder = dir / "Hatterek/Tél/";
    std::string name = "Kép Egy.JPG";
};

// Opens the picture's context menu and chooses the item of the action.
void chooseFromContextMenu(Tfrm_mutat& window, QAction* action) {
    const QPoint at(100, 100);
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, window.img->mapToGlobal(at));
    QApplication::sendEvent(window.img, &request);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.PopupMenu1->isVisible(); }, 1000));
    window.PopupMenu1->setActiveAction(action);
    QTest::keyClick(window.PopupMenu1, Qt::Key_Return);
}

TEST_F(MutatTest, ShowsThePictureStretchedUnderItsName) {
    inspect = [this](Tfrm_mutat& window) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Zolvera : Kép Egy.JPG"));
        EXPECT_EQ(window.size(), QSize(654, 519));
        EXPECT_EQ(window.img->geometry(), QRect(0, 29, 654, 490));
        EXPECT_EQ(window.ToolButton1->defaultAction(), window.aBeallit);
        EXPECT_EQ(window.ToolButton2->defaultAction(), window.aBezar);
        EXPECT_EQ(window.aBeallit->text(), QStringLiteral("Beállítás tapétaként"));
        EXPECT_EQ(window.aBezar->text(), QStringLiteral("Bezár"));
        // The 200 x 50 picture fills the 654 x 490 area: red grows to the right, green down.
        const QImage shown = window.img->grab().toImage();
        const QColor bottomLeft = shown.pixelColor(10, 480);
        const QColor topRight = shown.pixelColor(644, 5);
        EXPECT_LT(bottomLeft.red(), 60);
        EXPECT_GT(bottomLeft.green(), 200);
        EXPECT_GT(topRight.red(), 200);
        EXPECT_LT(topRight.green(), 60);
    };
    EXPECT_TRUE(preview([](Tfrm_mutat& window) { window.close(); }).empty());
    EXPECT_EQ(result, QDialog::Rejected);
}

TEST_F(MutatTest, OnlyTheWallpaperCommandSetsTheWallpaper) {
    const std::vector<std::pair<const char*, std::function<void(Tfrm_mutat&)>>> setting{
        {"Ctrl+Return",
         [](Tfrm_mutat& w) { QTest::keyClick(&w, Qt::Key_Return, Qt::ControlModifier); }},
        {"Ctrl+Enter",
         [](Tfrm_mutat& w) {
             QTest::keyClick(&w, Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
         }},
        {"tool button", [](Tfrm_mutat& w) { QTest::mouseClick(w.ToolButton1, Qt::LeftButton); }},
        {"context menu", [](Tfrm_mutat& w) { chooseFromContextMenu(w, w.aBeallit); }},
    };
    for (const auto& [way, press] : setting) {
        EXPECT_EQ(preview(press), std::vector<std::string>{dir / "Windows/Zolvera.bmp"}) << way;
        EXPECT_EQ(result, QDialog::Accepted) << way;
    }
    EXPECT_EQ(test::readFile(dir / "Windows/Zolvera.jpg"), test::readFile(folder + name));

    const std::vector<std::pair<const char*, std::function<void(Tfrm_mutat&)>>> closing{
        {"Esc", [](Tfrm_mutat& w) { QTest::keyClick(&w, Qt::Key_Escape); }},
        {"tool button", [](Tfrm_mutat& w) { QTest::mouseClick(w.ToolButton2, Qt::LeftButton); }},
        {"context menu", [](Tfrm_mutat& w) { chooseFromContextMenu(w, w.aBezar); }},
        {"close box", [](Tfrm_mutat& w) { w.close(); }},
    };
    for (const auto& [way, press] : closing) {
        EXPECT_TRUE(preview(press).empty()) << way;
        EXPECT_EQ(result, QDialog::Rejected) << way;
    }
}

TEST_F(MutatTest, UnreadablePictureOpensNoWindow) {
    test::writeTruncatedJpeg(folder + "rossz.jpg", 40);
    for (const auto& [file, failure] :
         {std::pair<std::string, std::string>{"nincs.jpg", "Cannot open file \""},
          {"rossz.jpg", "JPEG error #"}}) {
        try {
            ShowPicturePreview(nullptr, doubles.contextWith(dialogs), folder, file);
            ADD_FAILURE() << file << " was shown";
        } catch (const Failure& error) {
            EXPECT_EQ(std::string(error.what()).rfind(failure, 0), 0u) << error.what();
        }
        EXPECT_EQ(test::openWindow<Tfrm_mutat>(), nullptr);
    }
}

} // namespace
} // namespace zolvera::ui
