#include "MainWindowFixture.h"
#include "OpenWindow.h"

#include "library/BuildInfo.h"
#include "ui/Panel.h"
#include "ui/about.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>

namespace zolvera::test {
namespace {

TEST(About, PictureOnAMaroonMarginWithoutAButtonAndEscDoesNotCloseIt) {
    ScriptedDialogs dialogs;
    WindowDoubles doubles;
    ui::Tfrm_About box(nullptr, doubles.contextWith(dialogs));
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Névjegy"));
    EXPECT_EQ(box.size(), QSize(347, 264));
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    EXPECT_FALSE(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(box.palette().color(QPalette::Window), QColor(128, 0, 0));
    EXPECT_EQ(box.Panel1->geometry(), QRect(4, 4, 341, 257));
    EXPECT_TRUE(box.findChildren<QAbstractButton*>().isEmpty());
    // The picture comes from the program's resources at its own size, not stretched.
    EXPECT_EQ(box.Image1->pixmap().size(), QSize(333, 250));
    EXPECT_FALSE(box.Image1->hasScaledContents());

    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_TRUE(box.isVisible());
    box.close(); // the caption bar's close button
    EXPECT_FALSE(box.isVisible());
}

using HelpCommands = MainWindowFixture;

TEST_F(HelpCommands, HandTheLauncherTheHelpTheNewsProgramAndTheMakersAddresses) {
    writeGroupList({});
    start();

    for (QAction* action : {ui().aSugo, ui().aUjdonsag, ui().aHonlap, ui().aLevel})
        action->trigger();
    const std::vector<std::string> expected = {home / "zolvera.pdf", home / "Ujdonsag.exe",
                                               library::kHomePage,
                                               std::string("mailto:") + library::kMailAddress};
    EXPECT_EQ(doubles.launcher.opened, expected);
    EXPECT_EQ(std::string(library::kMailAddress).find(':'), std::string::npos);

    // "Névjegy" shows the box modally, and it is gone once closed.
    QString caption;
    QTimer::singleShot(0, [&caption] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            caption = modal->windowTitle();
            modal->close();
        }
    });
    ui().aNevjegy->trigger();
    EXPECT_EQ(caption, QStringLiteral("Névjegy"));
    EXPECT_EQ(openWindow<ui::Tfrm_About>(), nullptr);
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
} // namespace zolvera::test
