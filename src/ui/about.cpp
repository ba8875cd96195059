#include "ui/about.h"

#include "platform/UiLanguage.h"
#include "ui/DialogFrame.h"
#include "ui/Panel.h"
#include "ui/Placement.h"
#include "ui/Resources.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>

namespace zolvera::ui {

Tfrm_About::Tfrm_About(QWidget* owner, const WindowContext& context)
    : QDialog(owner, kDialogFrame), Panel1(new Panel(Bevel::None, Bevel::Lowered, this)),
      Image1(new QLabel(Panel1)), context_(context) {
    setObjectName(QStringLiteral("frm_About"));
    setWindowTitle(tr("Névjegy"));
    setFixedSize(347, 264);
    QPalette maroon = palette();
    maroon.setColor(QPalette::Window, QColor(128, 0, 0));
    setPalette(maroon);
    setAutoFillBackground(true);

    Panel1->setGeometry(4, 4, 341, 257);
    // The panel keeps the usual face colour; only the margin around it is maroon.
    QPalette face = Panel1->palette();
    face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    Panel1->setPalette(face);
    Panel1->setAutoFillBackground(true);
    Image1->setGeometry(Panel1->clientRect());
    Image1->setAlignment(Qt::AlignCenter);
    useResources();
    // The picture in the language of the user interface, when the build painted one for it.
    const QString translated = QStringLiteral(":/about/about_%1.jpg").arg(platform::uiLanguage());
    Image1->setPixmap(
        QPixmap(QFile::exists(translated) ? translated : QStringLiteral(":/about/about.jpg")));

    centreOnScreen(*this);
}

void Tfrm_About::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ShowAbout(QWidget* owner, const WindowContext& context) {
    Tfrm_About box(owner, context);
    box.exec();
}

} // namespace zolvera::ui
