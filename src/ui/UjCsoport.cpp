#include "ui/UjCsoport.h"

#include "library/GroupLibrary.h"
#include "library/LibraryLayout.h"
#include "library/NameRules.h"
#include "picture/BitmapImage.h"
#include "picture/Picture.h"
#include "platform/Failure.h"
#include "platform/FileSystem.h"
#include "ui/DialogFrame.h"
#include "ui/Guard.h"
#include "ui/Placement.h"
#include "ui/Seged.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

namespace zolvera::ui {

namespace {

constexpr QSize kClientSize(403, 229);
constexpr QSize kCoverSize(142, 100);

// The file names of the folder's *.jpg files (not folders), in the order of every listing of
// pictures.
QStringList templateNames(const std::string& folder) {
    QStringList names;
    for (const std::string& name : platform::listByMask(folder + "/*.jpg"))
        if (platform::fileExists(folder + "/" + name))
            names.append(QString::fromStdString(name));
    return names;
}

// A green check mark, the glyph of the OK button.
QIcon checkMark() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 150, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF{{3, 8.5}, {6.5, 12}, {13, 4}});
    return QIcon(pixmap);
}

} // namespace

Tfrm_UjCsoport::Tfrm_UjCsoport(QWidget* owner, const WindowContext& context,
                               library::GroupLibrary& library, Asks asks)
    : QDialog(owner, kDialogFrame), Label1(new QLabel(tr("Csoport neve"), this)),
      edtCsopNev(new QLineEdit(this)), Label2(new QLabel(tr("Kép választás"), this)),
      lb(new QListWidget(this)), Img(new QLabel(this)),
      btnOK(new QPushButton(checkMark(), tr("OK"), this)),
      btnCancel(new QPushButton(tr("Mégsem"), this)), context_(context), library_(library),
      asks_(asks) {
    setObjectName(QStringLiteral("frm_UjCsoport"));
    setWindowTitle(tr("Új csoport létrehozása"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(kClientSize);

    Label1->move(8, 12);
    edtCsopNev->setGeometry(84, 8, 153, 21);
    Label2->move(8, 36);
    lb->setGeometry(84, 32, 153, 189);
    // One column in view; further entries continue in columns to the right.
    lb->setFlow(QListView::TopToBottom);
    lb->setWrapping(true);
    lb->setResizeMode(QListView::Adjust);
    lb->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Img->setGeometry(QRect(QPoint(252, 8), kCoverSize));
    Img->setAlignment(Qt::AlignLeft | Qt::AlignTop); // natural size, clipped to the area
    btnOK->setGeometry(308, 164, 83, 25);
    // Enter presses OK, unless another button has the focus: then that button.
    btnOK->setDefault(true);
    btnCancel->setGeometry(308, 196, 83, 25);

    setTabOrder(edtCsopNev, lb);
    setTabOrder(lb, btnOK);
    setTabOrder(btnOK, btnCancel);
    edtCsopNev->setFocus();

    connect(lb, &QListWidget::currentRowChanged, this, guarded(this, &Tfrm_UjCsoport::lbClick));
    connect(btnOK, &QPushButton::clicked, this, guarded(this, &Tfrm_UjCsoport::btnOKClick));
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    for (QWidget* control :
         {static_cast<QWidget*>(Label2), static_cast<QWidget*>(lb), static_cast<QWidget*>(Img)})
        control->setVisible(asks_ == Asks::NameAndCover);

    centreOnScreen(*this);
}

std::string Tfrm_UjCsoport::templateFolder() const {
    return library::templatesFolder(library_.appFolder());
}

void Tfrm_UjCsoport::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Filled once the dialog is on screen, so that a template reported as unusable is
    // reported over the dialog.
    if (!event->spontaneous())
        QTimer::singleShot(0, this, guarded(this, &Tfrm_UjCsoport::FormShow));
}

void Tfrm_UjCsoport::FormShow() {
    if (asks_ == Asks::NameOnly)
        return;
    lb->clear();
    lb->addItems(templateNames(templateFolder()));
    lb->setCurrentRow(0); // shows it through lbClick
}

void Tfrm_UjCsoport::lbClick() {
    templateShown_ = false;
    Img->clear();
    const QListWidgetItem* item = lb->currentItem();
    if (item == nullptr)
        return;
    const std::string path = templateFolder() + "/" + item->text().toStdString();
    picture::Bitmap bitmap;
    try {
        bitmap = picture::JpegPicture::load(path).decode();
    } catch (const Failure& failure) {
        ShowError(context_.dialogs,
                  tr("A(z) \"%1\" kép nem használható borítónak: %2")
                      .arg(item->text(), QString::fromStdString(errorReportText(failure.what()))),
                  this);
        return;
    }
    // Only the part in view is kept; a smaller picture keeps its own size.
    const QImage image = picture::bitmapImage(bitmap);
    Img->setPixmap(QPixmap::fromImage(image.copy(image.rect() & QRect(QPoint(0, 0), kCoverSize))));
    templateShown_ = true;
}

std::optional<std::string> Tfrm_UjCsoport::typedName() {
    const std::string typed = edtCsopNev->text().toStdString();
    if (typed.empty()) {
        ShowInfo(context_.dialogs, tr("Add meg a csoport nevét!"), this);
        edtCsopNev->setFocus();
        return std::nullopt;
    }
    // Asking only for the name, the folder is made later: a name in use is refused now.
    const bool taken =
        asks_ == Asks::NameOnly &&
        (library_.lists(typed) || platform::folderExists(library_.groupFolder(typed)));
    if (!library::isNewGroupName(typed) || taken) {
        ShowInfo(context_.dialogs, tr("Hibás csoportnév megadás."), this);
        return std::nullopt;
    }
    return typed;
}

void Tfrm_UjCsoport::btnOKClick() {
    const std::optional<std::string> typed = typedName();
    if (!typed)
        return;
    if (asks_ == Asks::NameOnly) {
        accept();
        return;
    }
    if (!templateShown_) {
        ShowInfo(context_.dialogs,
                 lb->count() == 0
                     ? tr("A Template könyvtárban nincs borítónak való kép (*.jpg), "
                          "ezért csoport nem hozható létre.")
                     : tr("A kiválasztott kép nem olvasható, válasszon másik borítót."),
                 this);
        return;
    }
    const std::string templatePath =
        templateFolder() + "/" + lb->currentItem()->text().toStdString();
    switch (library_.createGroup(*typed, templatePath)) {
    case library::NewGroupOutcome::Created:
        accept();
        break;
    case library::NewGroupOutcome::NameRefused:
        ShowInfo(context_.dialogs, tr("Hibás csoportnév megadás."), this);
        break;
    case library::NewGroupOutcome::CoverNotCopied:
        ShowError(context_.dialogs,
                  tr("A(z) \"%1\" kép nem másolható a csoport könyvtárába, ezért a "
                     "csoport nem jött létre.")
                      .arg(QString::fromStdString(templatePath)),
                  this);
        break;
    }
}

void ShowNewGroupDialog(QWidget* owner, const WindowContext& context,
                        library::GroupLibrary& library) {
    Tfrm_UjCsoport dialog(owner, context, library);
    dialog.exec();
}

std::optional<std::string> AskNewGroupName(QWidget* owner, const WindowContext& context,
                                           library::GroupLibrary& library,
                                           const std::string& prefilled) {
    Tfrm_UjCsoport dialog(owner, context, library, Tfrm_UjCsoport::Asks::NameOnly);
    dialog.edtCsopNev->setText(QString::fromStdString(prefilled));
    dialog.edtCsopNev->selectAll();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.edtCsopNev->text().toStdString();
}

} // namespace zolvera::ui
