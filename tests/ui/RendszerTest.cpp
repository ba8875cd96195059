#include "MainWindowFixture.h"
#include "OpenWindow.h"

#include "desktop/FileRegistry.h"
#include "desktop/ScopedEnv.h"
#include "library/Settings.h"
#include "ui/Rendszer.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>

#include <filesystem>
#include <functional>

namespace zolvera::test {
namespace {

using ui::Tfrm_Rendszer;

std::string wallpaperStyle(const std::string& store) {
    desktop::FileRegistry registry(store);
    return desktop::ReadRegString(registry, desktop::kCurrentUser, "\\Control Panel\\Desktop\\",
                                  "WallpaperStyle");
}

class RendszerTest : public ::testing::Test {
protected:
    std::tuple<bool, int, bool> fields() const {
        const library::TBeall& settings = doubles.settings;
        return {settings.Nyujt, settings.Leptet, settings.Teljes};
    }

    // Opens the dialog, runs the scenario in it and returns the dialog's result.
    int open(const std::function<void(Tfrm_Rendszer&)>& scenario) {
        int result = -1;
        QTimer::singleShot(0, [&] {
            auto* dialog = openWindow<ui::Tfrm_Rendszer>();
            ASSERT_NE(dialog, nullptr);
            QObject::connect(dialog, &QDialog::finished, [&](int code) { result = code; });
            QTimer::singleShot(3000, dialog, [dialog] { dialog->done(42); }); // gave up
            dialog->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
            scenario(*dialog);
        });
        ui::ShowSettingsDialog(nullptr, doubles.contextWith(dialogs, registry));
        EXPECT_EQ(openWindow<ui::Tfrm_Rendszer>(), nullptr);
        return result;
    }

    TempDir dir;
    std::string store = dir / "registry.reg";
    desktop::FileRegistry registry{store};
    ScriptedDialogs dialogs;
    WindowDoubles doubles;
};

TEST_F(RendszerTest, OkWritesTheStyleEveryTimeAndTheThreeSettings) {
    doubles.settings.Leptet = 0;
    EXPECT_EQ(open([](Tfrm_Rendszer& dialog) {
                  EXPECT_EQ(dialog.spEdit->text(), QStringLiteral("1 sec"));
                  dialog.Nyujt->setChecked(true);
                  dialog.Teljes->setChecked(true);
                  dialog.Button1->click();
              }),
              QDialog::Accepted);
    EXPECT_EQ(wallpaperStyle(store), "2");
    EXPECT_EQ(fields(), std::make_tuple(true, 1, true));

    std::filesystem::remove(store);
    open([](Tfrm_Rendszer& dialog) {
        EXPECT_TRUE(dialog.Nyujt->isChecked());
        dialog.Nyujt->setChecked(false);
        QTest::keyClick(dialog.spEdit, Qt::Key_Up);
        dialog.Button1->click();
    });
    EXPECT_EQ(wallpaperStyle(store), "0");
    EXPECT_EQ(fields(), std::make_tuple(false, 2, true));

    std::filesystem::remove(store);
    open([](Tfrm_Rendszer& dialog) { dialog.Button1->click(); }); // nothing changed
    EXPECT_EQ(wallpaperStyle(store), "0");
}

TEST_F(RendszerTest, CancelEscAndTheCloseBoxChangeNothing) {
    doubles.settings.Leptet = 4;
    const std::vector<std::function<void(Tfrm_Rendszer&)>> closing{
        [](Tfrm_Rendszer& d) { d.Button2->click(); },
        [](Tfrm_Rendszer& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](Tfrm_Rendszer& d) { d.close(); },
    };
    for (const auto& close : closing) {
        EXPECT_EQ(open([&](Tfrm_Rendszer& dialog) {
                      dialog.Nyujt->setChecked(true);
                      dialog.Teljes->setChecked(true);
                      QTest::keyClick(dialog.spEdit, Qt::Key_Up);
                      close(dialog);
                  }),
                  QDialog::Rejected);
        EXPECT_EQ(fields(), std::make_tuple(false, 4, false));
    }
    EXPECT_FALSE(std::filesystem::exists(store));
}

TEST_F(RendszerTest, EnterPressesOnlyAFocusedButton) {
    EXPECT_EQ(open([](Tfrm_Rendszer& dialog) {
                  dialog.Teljes->setFocus();
                  QTest::keyClick(&dialog, Qt::Key_Return);
                  EXPECT_TRUE(dialog.isVisible());
                  dialog.Button1->setFocus();
                  QTest::keyClick(dialog.Button1, Qt::Key_Return);
              }),
              QDialog::Accepted);
}

TEST_F(RendszerTest, SpinFieldKeepsItsRangeAndRefusesTyping) {
    open([](Tfrm_Rendszer& dialog) {
        QSpinBox* spin = dialog.spEdit;
        spin->setFocus();
        const std::pair<Qt::Key, int> steps[] = {
            {Qt::Key_Down, 1}, {Qt::Key_Up, 2},       {Qt::Key_PageUp, 10},
            {Qt::Key_Up, 10},  {Qt::Key_PageDown, 1},
        };
        for (const auto& [key, value] : steps) {
            QTest::keyClick(spin, key);
            EXPECT_EQ(spin->value(), value) << key;
        }
        QTest::keyClicks(spin, QStringLiteral("7"));
        QTest::keyClick(spin, Qt::Key_Backspace);
        EXPECT_EQ(spin->text(), QStringLiteral("1 sec"));
        dialog.reject();
    });
}

TEST_F(RendszerTest, ARefusedRegistryWriteIsReportedAndKeepsTheDialogOpen) {
    writeFile(store, "not a registry\n"); // never overwritten: the write is refused
    doubles.settings.Leptet = 4;
    open([&](Tfrm_Rendszer& dialog) {
        dialog.Nyujt->setChecked(true);
        dialog.Button1->click();
        EXPECT_TRUE(dialog.isVisible());
        dialog.reject();
    });
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Zolvera"));
    EXPECT_EQ(dialogs.messages[0].text.toStdString(), "Failed to set data for 'WallpaperStyle'");
    EXPECT_EQ(fields(), std::make_tuple(false, 4, false));
    EXPECT_EQ(readFile(store), "not a registry\n");
}

using SettingsCommand = MainWindowFixture;

TEST_F(SettingsCommand, AltEnterChoicesReachTheSettingsFileWhenTheProgramCloses) {
    const ScopedEnv registryFile{"ZOLVERA_REGISTRY", home / "registry.reg"};
    start();
    QTimer::singleShot(0, [] {
        auto* dialog = openWindow<ui::Tfrm_Rendszer>();
        ASSERT_NE(dialog, nullptr);
        dialog->Nyujt->setChecked(true);
        dialog->spEdit->setValue(3);
        dialog->Button1->click();
    });
    QTest::keyClick(window.get(), Qt::Key_Return, Qt::AltModifier);
    window->close();
    const std::string ini = readFile(home / "Zolvera.ini");
    EXPECT_NE(ini.find("Nyujt=1"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Leptet=3"), std::string::npos) << ini;
    EXPECT_EQ(wallpaperStyle(home / "registry.reg"), "2");
}

} // namespace
} // namespace zolvera::test
