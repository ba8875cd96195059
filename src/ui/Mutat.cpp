#include "ui/Mutat.h"

#include "desktop/Wallpaper.h"
#include "picture/BitmapImage.h"
#include "picture/Picture.h"
#include "ui/DialogFrame.h"
#include "ui/Guard.h"
#include "ui/Placement.h"
#include "ui/Resources.h"
#include "ui/Runner.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include <memory>

namespace zolvera::ui {

namespace {

constexpr QSize kClientSize(654, 519);
constexpr int kCoolBarHeight = 29;
constexpr QSize kPictureSize(kClientSize.width(), kClientSize.height() - kCoolBarHeight);

QAction* makeAction(QWidget* owner, const QString& caption, const char* icon,
                    const QList<QKeySequence>& shortcuts) {
    auto* action = new QAction(iconNamed(icon), caption, owner);
    action->setToolTip(caption);
    action->setShortcuts(shortcuts);
    owner->addAction(action); // the shortcuts work anywhere in the window
    return action;
}

} // namespace

Tfrm_mutat::Tfrm_mutat(QWidget* owner, const WindowContext& context)
    : QDialog(owner, kDialogFrame), CoolBar1(new QFrame(this)), ToolBar1(new QToolBar(CoolBar1)),
      aBeallit(makeAction(
          this, tr("Beállítás tapétaként"), "monitor-picture",
          {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)})),
      aBezar(makeAction(this, tr("Bezár"), "red-cross", {QKeySequence(Qt::Key_Escape)})),
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
    const QImage shown = picture::decodeStretched(picture::JpegPicture::load(path), kPictureSize);
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
