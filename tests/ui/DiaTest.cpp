#include "MainWindowFixture.h"
#include "OpenWindow.h"

#include "library/Settings.h"
#include "platform/Failure.h"
#include "ui/Dia.h"
#include "ui/ElidedLabel.h"
#include "ui/StretchedImage.h"

#include <QAction>
#include <QLabel>
#include <QSlider>
#include <QToolBar>

#include <filesystem>
#include <functional>

namespace zolvera::test {
namespace {

using ui::Tfrm_dia;

// Runs a scenario in a slideshow whose timer ticks only by hand, then closes it with Esc.
class DiaTest : public ::testing::Test {
protected:
    DiaTest() { doubles.settings.Leptet = 5; }

    void addPictures(int count) {
        for (int j = 0; j < count; ++j)
            writeJpeg(folder + "/kep" + std::to_string(j) + ".jpg",
                      {.width = 40 + j, .height = 30});
    }

    void show(const std::function<void(Tfrm_dia&)>& scenario) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* window = openWindow<ui::Tfrm_dia>();
            ASSERT_NE(window, nullptr);
            window->activateWindow(); // shortcuts work in the active window
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
            scenario(*window);
            ran = true;
            QTest::keyClick(window, Qt::Key_Escape);
        });
        ui::ShowSlideshow(nullptr, doubles.contextWith(dialogs), folder, "Tél",
                          ui::StepTimer::Ticks::ByHand);
        EXPECT_TRUE(ran);
        EXPECT_EQ(openWindow<ui::Tfrm_dia>(), nullptr);
    }

    // The picture on show, as its place in the list and its labels say.
    static std::string shown(const Tfrm_dia& window) {
        return window.lbl->text().toStdString() + " " + window.lbl2->text().toStdString();
    }
    static std::string entry(const Tfrm_dia& window, int index) {
        return std::to_string(index + 1) + " / " + std::to_string(window.pictures().count()) + " " +
               window.pictures().at(index);
    }

    TempDir dir;
    std::string folder = dir / "Hatterek/Tél";
    ScriptedDialogs dialogs;
    WindowDoubles doubles;
};

TEST_F(DiaTest, OpensRunningAtTheSettingsStepAndSize) {
    addPictures(2);
    // Leptet as the settings file may hold it, and the period it gives.
    const struct {
        int leptet;
        int period;
    } cases[] = {{3, 3000}, {5, 5000}, {0, 1000}, {25, 10000}};
    for (const auto& c : cases) {
        doubles.settings.Leptet = c.leptet;
        show([&](Tfrm_dia& window) {
            EXPECT_TRUE(window.aIndit->isChecked());
            window.Timer->advance(c.period - 1);
            EXPECT_EQ(shown(window), entry(window, 0)) << c.leptet;
            window.Timer->advance(1);
            EXPECT_EQ(shown(window), entry(window, 1)) << c.leptet;
        });
    }
    show([](Tfrm_dia& window) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Tél"));
        EXPECT_EQ(window.size(), QSize(654, 519));
    });
    doubles.settings.Teljes = true;
    show([](Tfrm_dia& window) { EXPECT_TRUE(window.isMaximized()); });
}

TEST_F(DiaTest, StepsWrapAtBothEndsWithoutRestartingThePeriod) {
    addPictures(3);
    show([&](Tfrm_dia& window) {
        window.Timer->tick();
        EXPECT_EQ(shown(window), entry(window, 1));
        window.Timer->advance(3000);
        QTest::keyClick(&window, Qt::Key_F4);
        EXPECT_EQ(shown(window), entry(window, 2));
        QTest::keyClick(&window, Qt::Key_F4);
        EXPECT_EQ(shown(window), entry(window, 0));
        QTest::keyClick(&window, Qt::Key_F3);
        EXPECT_EQ(shown(window), entry(window, 2));
        window.Timer->advance(2000); // the period ran on through the steps
        EXPECT_EQ(shown(window), entry(window, 0));
    });

    std::filesystem::remove_all(folder);
    addPictures(1);
    show([&](Tfrm_dia& window) {
        for (const Qt::Key key : {Qt::Key_F4, Qt::Key_F3}) {
            QTest::keyClick(&window, key);
            EXPECT_EQ(window.lbl->text(), QStringLiteral("1 / 1"));
        }
        window.Timer->tick();
        EXPECT_EQ(window.lbl->text(), QStringLiteral("1 / 1"));
    });
}

TEST_F(DiaTest, StopAndStartKeepThePictureAndTheSliderOnlyChangesThePace) {
    addPictures(3);
    show([&](Tfrm_dia& window) {
        window.Timer->tick();
        window.Timer->advance(1500);
        QTest::keyClick(&window, Qt::Key_F5);
        EXPECT_FALSE(window.aIndit->isChecked());
        window.Track->setValue(2);
        window.Timer->advance(10000); // a stopped show does not step
        EXPECT_EQ(shown(window), entry(window, 1));

        QTest::keyClick(&window, Qt::Key_F2); // a full period at the slider's pace
        EXPECT_TRUE(window.aIndit->isChecked());
        window.Timer->advance(1000);
        QTest::keyClick(&window, Qt::Key_F2); // already running: the period goes on
        EXPECT_TRUE(window.aIndit->isChecked());
        window.Timer->advance(999);
        EXPECT_EQ(shown(window), entry(window, 1));
        window.Timer->advance(1);
        EXPECT_EQ(shown(window), entry(window, 2));

        window.Timer->advance(1000);
        window.Track->setValue(7); // running: a fresh period at the new pace
        window.Timer->advance(6999);
        EXPECT_EQ(shown(window), entry(window, 2));
        window.Timer->advance(1);
        EXPECT_EQ(shown(window), entry(window, 0));
    });
    EXPECT_EQ(doubles.settings.Leptet, 5);
}

TEST_F(DiaTest, ALongNameIsShortenedAndCloseStaysOnTheToolBar) {
    const std::string name = "Naplemente a Balaton északi partján, Tihany felől, 2019 nyarán.jpg";
    writeJpeg(folder + "/" + name);
    show([&](Tfrm_dia& window) {
        EXPECT_EQ(window.lbl2->toolTip().toStdString(), name);
        EXPECT_TRUE(window.lbl2->isVisible());
        EXPECT_TRUE(window.ToolBar1->widgetForAction(window.aBezar)->isVisible());
    });
}

// A box whose own event loop delivers a tick of the show while it is open.
class TickingDialogs : public ScriptedDialogs {
public:
    std::function<void()> whileOpen;
    bool message(const ui::MessageRequest& request) override {
        ScriptedDialogs::message(request);
        if (whileOpen)
            whileOpen();
        return true;
    }
};

TEST_F(DiaTest, APictureThatFailsMidShowLeavesTheLastOneAndOneBox) {
    addPictures(3);
    TickingDialogs boxes;
    QTimer::singleShot(0, [&] {
        Tfrm_dia& window = *openWindow<ui::Tfrm_dia>();
        const QImage before = window.img->grab().toImage();
        const std::string first = entry(window, 0);
        writeTruncatedJpeg(folder + "/" + window.pictures().at(1), 40);
        boxes.whileOpen = [&] { window.Timer->tick(); };

        window.Timer->tick();
        ASSERT_EQ(boxes.messages.size(), 1u);
        EXPECT_EQ(boxes.messages[0].caption, QStringLiteral("Zolvera"));
        EXPECT_TRUE(boxes.messages[0].text.startsWith(QStringLiteral("JPEG error #")));
        EXPECT_EQ(shown(window), first);
        EXPECT_EQ(window.img->grab().toImage(), before);
        EXPECT_EQ(window.index(), 1);
        EXPECT_TRUE(window.Timer->enabled());

        window.Timer->tick();
        EXPECT_EQ(shown(window), entry(window, 2));
        EXPECT_EQ(boxes.messages.size(), 1u);
        window.close();
    });
    ui::ShowSlideshow(nullptr, doubles.contextWith(boxes), folder, "Tél",
                      ui::StepTimer::Ticks::ByHand);
}

TEST_F(DiaTest, AGroupWithNothingToShowOpensNoWindow) {
    std::filesystem::create_directories(folder);
    writeJpeg(folder + "/init.jpg");
    writeTruncatedJpeg(dir / "Hatterek/Rossz/kep.jpg", 40);
    for (const auto& [group, failure] :
         {std::pair<std::string, std::string>{folder, "List index out of bounds (0)"},
          {dir / "Hatterek/Nincs", "List index out of bounds (0)"},
          {dir / "Hatterek/Rossz", "JPEG error #"}}) {
        try {
            ui::ShowSlideshow(nullptr, doubles.contextWith(dialogs), group, "x",
                              ui::StepTimer::Ticks::ByHand);
            ADD_FAILURE() << group << " was shown";
        } catch (const Failure& error) {
            EXPECT_EQ(std::string(error.what()).rfind(failure, 0), 0u) << error.what();
        }
        EXPECT_EQ(openWindow<ui::Tfrm_dia>(), nullptr);
    }
}

using SlideshowCommand = MainWindowFixture;

TEST_F(SlideshowCommand, F8ShowsTheCurrentGroupOrReportsThatThereIsNone) {
    writeGroupList({});
    start();
    ui().aDiaVetit->trigger();

    addGroup("Elso", 1);
    addGroup("Masodik", 2);
    writeGroupList({"Elso", "Masodik"});
    window->library().ReloadGroups();
    window->library().setCurrentGroup(1);
    QString caption, label;
    QTimer::singleShot(0, [&] {
        caption = QApplication::activeModalWidget()->windowTitle();
        label = openWindow<ui::Tfrm_dia>()->lbl->text();
        QTest::keyClick(openWindow<ui::Tfrm_dia>(), Qt::Key_Escape);
    });
    QTest::keyClick(window.get(), Qt::Key_F8);
    EXPECT_EQ(caption, QStringLiteral("Masodik"));
    EXPECT_EQ(label, QStringLiteral("1 / 2"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text.toStdString(), "List index out of bounds (0)");
}

} // namespace
} // namespace zolvera::test
