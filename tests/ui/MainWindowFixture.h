#pragma once

#include "ScriptedDialogs.h"
#include "WindowDoubles.h"

#include "desktop/FileRegistry.h"
#include "support/JpegFixtures.h"
#include "support/TempDir.h"
#include "ui/Main.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zolvera::test {

// An application folder with groups of small pictures, and the main window started on it with
// scripted message boxes and dialogs and the other test doubles.
class MainWindowFixture : public ::testing::Test {
protected:
    TempDir home;
    ScriptedDialogs dialogs;
    desktop::FileRegistry registry{home / "registry.reg"}; // never the user's own store
    WindowDoubles doubles;
    ui::WindowContext context = doubles.contextWith(dialogs, registry);
    std::unique_ptr<ui::Tfrm_Main> window;
    QStringList commandLine{QStringLiteral("zolvera")};

    // A group folder with its cover and pictures named kep0.jpg, kep1.jpg ...
    void addGroup(const std::string& name, int pictures) {
        writeJpeg(home / ("Hatterek/" + name + "/init.jpg"), {.width = 142, .height = 100});
        for (int j = 0; j < pictures; ++j)
            writeJpeg(groupFile(name, "kep" + std::to_string(j) + ".jpg"));
    }

    std::string groupFile(const std::string& group, const std::string& file) {
        return home / ("Hatterek/" + group + "/" + file);
    }

    void writeGroupList(const std::vector<std::string>& names) {
        std::string text;
        for (const std::string& name : names)
            text += name + "\r\n";
        writeFile(home / "Zolvera.lst", text);
    }

    // Creates and shows the window and waits for the first show's loading to end.
    void start() {
        window = std::make_unique<ui::Tfrm_Main>(home.path(), context);
        window->setCommandLine(commandLine);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QCoreApplication::processEvents(); // the loading is queued behind the first show
    }

    // Presses a key in the next modal window that opens and returns its caption afterwards.
    std::shared_ptr<QString> pressInNextModal(Qt::Key key,
                                              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        auto caption = std::make_shared<QString>();
        QTimer::singleShot(0, [caption, key, modifiers] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr)
                return;
            *caption = modal->windowTitle();
            QTest::keyClick(modal, key, modifiers);
        });
        return caption;
    }

    const ui::MainLayout& ui() const { return window->controls(); }
    ui::Tile* thumbnail(int index) const { return ui().sbx2->tile(index); }
    QString panelText(int panel) const { return ui().StatusBar1->panelText(panel); }
    int pictureIndex(const std::string& fileName) {
        const auto& items = window->library().pictures().items();
        return int(std::find(items.begin(), items.end(), fileName) - items.begin());
    }
};

} // namespace zolvera::test
