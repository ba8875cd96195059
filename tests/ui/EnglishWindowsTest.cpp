// The windows on an English desktop: CTest runs this program with LANGUAGE=en, and it installs
// the language as the program's main() does.
#include "MainWindowFixture.h"

#include "platform/UiLanguage.h"
#include "ui/CsomagKeszit.h"
#include "ui/Dia.h"
#include "ui/Letolt.h"
#include "ui/Mutat.h"
#include "ui/Rendszer.h"
#include "ui/Seged.h"
#include "ui/UjCsoport.h"
#include "ui/about.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTreeWidget>

namespace zolvera::test {
namespace {

// Every text of the window a user reads: titles, labels, buttons, group boxes, menus and their
// commands, tool tips and status hints, list captions.
QStringList shownTexts(QWidget& window) {
    QStringList texts;
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* widget : widgets) {
        texts << widget->windowTitle() << widget->toolTip() << widget->statusTip();
        for (const QAction* action : widget->actions())
            texts << action->text() << action->toolTip() << action->statusTip();
        if (const auto* label = qobject_cast<QLabel*>(widget))
            texts << label->text();
        if (const auto* button = qobject_cast<QAbstractButton*>(widget))
            texts << button->text();
        if (const auto* box = qobject_cast<QGroupBox*>(widget))
            texts << box->title();
        if (const auto* menu = qobject_cast<QMenu*>(widget))
            texts << menu->title();
        if (const auto* edit = qobject_cast<QLineEdit*>(widget))
            texts << edit->placeholderText();
        if (const auto* spin = qobject_cast<QSpinBox*>(widget))
            texts << spin->prefix() << spin->suffix();
        if (const auto* tree = qobject_cast<QTreeWidget*>(widget))
            for (int column = 0; column < tree->columnCount(); ++column)
                texts << tree->headerItem()->text(column);
    }
    return texts;
}

class EnglishWindows : public MainWindowFixture {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(platform::installUiLanguage(*qApp), "en"); }

    void SetUp() override {
        // Names from the library are shown as they are; these have no Hungarian letters.
        addGroup("Sea", 2);
        writeGroupList({"Sea"});
        start();
    }

    static void expectEnglish(QWidget& window) {
        static const QRegularExpression hungarian(QStringLiteral("[áéíóöőúüűÁÉÍÓÖŐÚÜŰ]"));
        for (const QString& text : shownTexts(window))
            EXPECT_FALSE(text.contains(hungarian))
                << window.objectName().toStdString() << ": " << text.toStdString();
    }
};

TEST_F(EnglishWindows, EveryWindowDialogAndMessageBoxShowsNoHungarianText) {
    expectEnglish(*window);
    // Words without accents would slip through the letters: a few are checked by name.
    EXPECT_EQ(ui().aBeallit->text(), QStringLiteral("Settings"));
    EXPECT_EQ(ui().MainMenu1->actions().constFirst()->text(), QStringLiteral("Groups"));

    ui::Tfrm_UjCsoport newGroup(window.get(), context, window->library());
    expectEnglish(newGroup);
    ui::Tfrm_Rendszer settings(window.get(), context);
    expectEnglish(settings);
    EXPECT_EQ(settings.windowTitle(), QStringLiteral("Settings"));
    QString packageFolder;
    ui::Tfrm_Csomagkeszit packer(window.get(), context, QString::fromStdString(home / "Hatterek"),
                                 packageFolder);
    expectEnglish(packer);
    EXPECT_EQ(packer.Button2->text(), QStringLiteral("Pack"));
    ui::Tfrm_Letolt download(window.get(), context, window->library(), "127.0.0.1:9");
    expectEnglish(download);
    ui::Tfrm_mutat preview(window.get(), context);
    expectEnglish(preview);
    ui::Tfrm_dia slideshow(window.get(), context);
    expectEnglish(slideshow);
    ui::Tfrm_About about(window.get(), context);
    expectEnglish(about);

    // The program's captions, and Qt's own buttons in the same language.
    ui::ShowError(dialogs, QStringLiteral("x"), window.get());
    ui::ShowInfo(dialogs, QStringLiteral("x"), window.get());
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(dialogs.messages[1].caption, QStringLiteral("Information"));
    QMessageBox question(QMessageBox::Question, QStringLiteral("Confirm"), QStringLiteral("x"),
                         QMessageBox::Yes | QMessageBox::No);
    expectEnglish(question);
    EXPECT_EQ(question.button(QMessageBox::No)->text(), QStringLiteral("&No"));
}

} // namespace
} // namespace zolvera::test
