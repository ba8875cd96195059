#include "ScriptedDialogs.h"

#include "support/JpegFixtures.h"
#include "support/TempDir.h"

#include "platform/Failure.h"
#include "ui/Guard.h"
#include "ui/QtDialogs.h"
#include "ui/Seged.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace zolvera::ui {
namespace {

using test::ScriptedDialogs;

TEST(MessageBoxes, BoxesCarryTheirCaptionIconButtonsAndOwner) {
    ScriptedDialogs dialogs;
    dialogs.answers = {false, true};
    QWidget owner;

    const QString question = QStringLiteral("Törlöd?");
    EXPECT_FALSE(ShowConfirm(dialogs, question, QStringLiteral("Megerősítés"), &owner));
    EXPECT_TRUE(ShowConfirm(dialogs, question, QStringLiteral("Megerősítés"), &owner));
    ShowError(dialogs, QStringLiteral("Rossz név"), &owner);
    ShowInfo(dialogs, QStringLiteral("Kész"), &owner);

    ASSERT_EQ(dialogs.messages.size(), 4u);
    const MessageRequest& confirm = dialogs.messages[0];
    EXPECT_EQ(confirm.caption, QStringLiteral("Megerősítés"));
    EXPECT_EQ(confirm.icon, MessageIcon::Question);
    EXPECT_TRUE(confirm.yesNo);
    EXPECT_EQ(confirm.owner, &owner);
    const MessageRequest& error = dialogs.messages[2];
    EXPECT_EQ(error.caption, QStringLiteral("Hiba"));
    EXPECT_EQ(error.icon, MessageIcon::Error);
    EXPECT_FALSE(error.yesNo);
    const MessageRequest& info = dialogs.messages[3];
    EXPECT_EQ(info.caption, QStringLiteral("Üzenet"));
    EXPECT_EQ(info.icon, MessageIcon::Information);
    EXPECT_EQ(info.text, QStringLiteral("Kész"));
}

TEST(MessageBoxes, GuardTurnsAnEscapingFailureIntoTheGeneralErrorReport) {
    // guarded() reports through its owner's dialog provider, as every window has one.
    struct Window : QWidget {
        ScriptedDialogs& dialogs() { return scripted; }
        ScriptedDialogs scripted;
    } owner;
    ScriptedDialogs& dialogs = owner.scripted;

    EXPECT_FALSE(runGuarded(dialogs, &owner, [] { throw failures::listIndexOutOfBounds(0); }));
    EXPECT_FALSE(runGuarded(dialogs, &owner, [] { throw Failure("Nem sikerült!"); }));
    EXPECT_TRUE(runGuarded(dialogs, &owner, [] {}));

    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Zolvera"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("List index out of bounds (0)"));
    EXPECT_EQ(dialogs.messages[1].text, QStringLiteral("Nem sikerült!"));

    // A guarded slot keeps the failure on this side of Qt's signal machinery.
    QAction action;
    QObject::connect(&action, &QAction::triggered, &owner,
                     guarded(&owner, [] { throw failures::jpegError(42); }));
    action.trigger();
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[2].text, QStringLiteral("JPEG error #42."));
}

// Runs the action on the modal box or dialog as soon as it is open.
void whenModalOpens(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        action(modal);
    });
}

TEST(MessageBoxes, QtMessageBoxesAnswerYesOnlyForTheYesButton) {
    QtDialogs qt;
    QWidget owner;
    const MessageRequest question{&owner, QStringLiteral("Megerősítés"), QStringLiteral("Biztos?"),
                                  MessageIcon::Question, true};

    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenModalOpens([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        icon = box->icon();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(qt.message(question));
    EXPECT_EQ(caption, QStringLiteral("Megerősítés"));
    EXPECT_EQ(icon, QMessageBox::Question);

    whenModalOpens([](QWidget* modal) {
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
    });
    EXPECT_TRUE(qt.message(question));

    // A box that ends without any button pressed (its loop quit) is no Yes.
    whenModalOpens([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->done(0); });
    EXPECT_FALSE(qt.message(question));

    // Names in the text (pictures, groups, paths) are shown as written, never as markup.
    Qt::TextFormat format = Qt::RichText;
    whenModalOpens([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        icon = box->icon();
        format = box->textFormat();
        EXPECT_EQ(box->button(QMessageBox::Yes), nullptr);
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_TRUE(qt.message({&owner, QStringLiteral("Hiba"),
                            QStringLiteral("Cannot open file \"<b>kep</b>.jpg\"."),
                            MessageIcon::Error, false}));
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(format, Qt::PlainText);
}

TEST(MessageBoxes, QtPictureDialogFiltersWithoutRegardToCaseAndPreviewsTheSelection) {
    test::TempDir folder;
    const std::string picture = folder / "Nyár.jpg";
    test::writeJpeg(picture, {.width = 320, .height = 200});
    QtDialogs qt;
    FileDialogRequest request;
    request.title = QStringLiteral("Kép megnyitása");
    request.filter = QStringLiteral("JPEG képek (*.jpg;*.jpeg)|*.jpg;*.jpeg");
    request.directory = QString::fromStdString(folder.path());
    request.picturePreview = true;

    QString title;
    QString filter;
    bool previewShown = false;
    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        filter = dialog->nameFilters().value(0);
        Q_EMIT dialog->currentChanged(QString::fromStdString(picture));
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            previewShown = previewShown || !label->pixmap().isNull();
        dialog->reject();
    });
    EXPECT_EQ(qt.chooseFile(request), std::nullopt);
    EXPECT_EQ(title, QStringLiteral("Kép megnyitása"));
    EXPECT_TRUE(previewShown);

    // The description is shown as written; the patterns behind it take any letter case.
    EXPECT_TRUE(filter.startsWith(QStringLiteral("JPEG képek (*.jpg;*.jpeg) (")));
    const QStringList patterns =
        filter.section(QLatin1Char('('), -1).chopped(1).split(QLatin1Char(' '));
    auto matches = [&](const char* name) {
        return std::any_of(patterns.begin(), patterns.end(), [&](const QString& pattern) {
            return QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern))
                .match(QLatin1String(name))
                .hasMatch();
        });
    };
    EXPECT_TRUE(matches("a.jpg"));
    EXPECT_TRUE(matches("B.JPG"));
    EXPECT_TRUE(matches("c.Jpeg"));
    EXPECT_FALSE(matches("d.png"));
}

} // namespace
} // namespace zolvera::ui
