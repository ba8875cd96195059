#include "ui/Mutat.h"

#include "desktop/Wallpaper.h"
#include "picture/Picture.h"
#include "ui/BitmapImage.h"
#include "ui/Guard.h"
#include "ui/Placement.h"
#include "ui/Runner.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>

#include <memory>

namespace zolvera::ui {

namespace {

constexpr QSize kClientSize(654, 519);
constexpr int kCoolBarHeight = 29;
constexpr QSize kPictureSize(kClientSize.width(), kClientSize.height() - kCoolBarHeight);

// imgl: the two 16 x 16 icons, drawn here. 0: a picture on a monitor, 1: a red cross.
QIcon iconOf(int index) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (index == 0) {
        painter.setPen(QPen(QColor(60, 60, 60), 1));
        painter.setBrush(QColor(90, 90, 90));
        painter.drawRect(QRectF(1.5, 1.5, 13, 10));                // the monitor
        painter.fillRect(QRectF(6, 12, 4, 2), QColor(90, 90, 90)); // its neck
        painter.fillRect(QRectF(4, 14, 8, 1.5), QColor(60, 60, 60));
        painter.fillRect(QRectF(3, 3, 10, 7), QColor(120, 190, 240)); // sky
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(250, 210, 60));
        painter.drawEllipse(QPointF(10.5, 5), 1.5, 1.5); // sun
        painter.setBrush(QColor(70, 150, 60));
        painter.drawPolygon(QPolygonF{{3, 10}, {6.5, 5.5}, {9, 8}, {10.5, 7}, {13, 10}}); // hills
    } else {
        painter.setPen(QPen(QColor(200, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(4, 4), QPointF(12, 12));
        painter.drawLine(QPointF(12, 4), QPointF(4, 12));
    }
    return QIcon(pixmap);
}

QAction* makeAction(QWidget* owner, const QString& caption, int icon,
                    const QList<QKeySequence>& shortcuts) {
    auto* action = new QAction(iconOf(icon), caption, owner);
    action->setToolTip(caption);
    action->setShortcuts(shortcuts);
    owner->addAction(action); // the shortcuts work anywhere in the window
    return action;
}

} // namespace

Tfrm_mutat::Tfrm_mutat(QWidget* owner, const WindowContext& context)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      CoolBar1(new QFrame(this)), ToolBar1(new QToolBar(CoolBar1)),
      aBeallit(makeAction(
          this, QStringLiteral("Beállítás tapétaként"), 0,
          {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)})),
      aBezar(makeAction(this, QStringLiteral("Bezár"), 1, {QKeySequence(Qt::Key_Escape)})),
      ToolButton1(nullptr), ToolButton2(nullptr), img(new QLabel(this)), PopupMenu1(new QMenu(img)),
      context_(context) {
    setObjectName(QStringLiteral("frm_mutat"));
    setFixedSize(kClientSize);

    CoolBar1->setGeometry(0, 0, kClientSize.width(), kCoolBarHeight);
    CoolBar1->setFrameShape(QFrame::StyledPanel);
    ToolBar1->setGeometry(2, 2, kClientSize.width() - 4, 25);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->addAction(aBeallit);
    ToolBar1->addAction(aBezar);
    ToolButton1 = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(aBeallit));
    ToolButton2 = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(aBezar));

    img->setGeometry(QRect(QPoint(0, kCoolBarHeight), kPictureSize));
    img->setScaledContents(true); // stretched, proportions not kept
    PopupMenu1->addAction(aBeallit);
    PopupMenu1->addAction(aBezar);
    img->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(img, &QLabel::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(img->mapToGlobal(at)); });

    connect(aBeallit, &QAction::triggered, this, guarded(this, &Tfrm_mutat::aBeallitExecute));
    connect(aBezar, &QAction::triggered, this, guarded(this, &Tfrm_mutat::aBezarExecute));

    centreOnScreen(*this);
}

void Tfrm_mutat::aBeallitExecute() {
    accept();
}

void Tfrm_mutat::aBezarExecute() {
    reject();
}

void ShowPicturePreview(QWidget* owner, const WindowContext& context, const std::string& folder,
                        const std::string& name) {
    const std::string path = folder + name;
    // The window has a fixed size: the picture is decoded and stretched for it at once.
    const QImage shown = decodeStretched(picture::JpegPicture::load(path), kPictureSize);
    Tfrm_mutat window(owner, context);
    window.img->setPixmap(QPixmap::fromImage(shown));
    window.setWindowTitle(QStringLiteral("Zolvera : ") + QString::fromStdString(name));
    if (window.exec() != QDialog::Accepted)
        return;
    // The decoding, the files and the desktop's tools (each with its own time limit) take their
    // time off the window's thread; the windows keep painting and answering the desktop
    // meanwhile. The closed window still exists until the wallpaper is set.
    const std::unique_ptr<desktop::DesktopApplier> applier = context.applierFor();
    runOffThread([&] { desktop::SetWallpaper(path, context.registry, *applier); });
}

} // namespace zolvera::ui
