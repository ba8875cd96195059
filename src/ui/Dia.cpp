#include "ui/Dia.h"

#include "library/Seged.h"
#include "library/Settings.h"
#include "picture/Picture.h"
#include "ui/DecodeAhead.h"
#include "ui/ElidedLabel.h"
#include "ui/Guard.h"
#include "ui/Panel.h"
#include "ui/Placement.h"
#include "ui/Resources.h"
#include "ui/StretchedImage.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QShowEvent>
#include <QSlider>
#include <QToolBar>
#include <QVBoxLayout>

#include <initializer_list>
#include <optional>

namespace zolvera::ui {

namespace {

// The client area of the 662 x 546 window with its frame.
constexpr QSize kNormalClientSize(654, 519);
constexpr int kCoolBarHeight = 29;
constexpr int kToolBarHeight = 25;
constexpr int kStartingStep = 5; // seconds, the slider's position when the window is made

QAction* makeAction(QWidget* window, const QString& caption, Qt::Key shortcut, const char* icon) {
    auto* action = new QAction(iconNamed(icon), caption, window);
    action->setToolTip(action->text());
    action->setShortcut(shortcut);
    window->addAction(action); // the shortcuts work anywhere in the window
    return action;
}

} // namespace

Tfrm_dia::Tfrm_dia(QWidget* owner, const WindowContext& context, StepTimer::Ticks ticks)
    : QDialog(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      CoolBar1(new QFrame(this)), ToolBar1(new QToolBar(CoolBar1)),
      aIndit(makeAction(this, tr("Dia indítása"), Qt::Key_F2, "play")),
      aElozo(makeAction(this, tr("Előző kép"), Qt::Key_F3, "step-back")),
      aKovetkezo(makeAction(this, tr("Következő kép"), Qt::Key_F4, "step-forward")),
      aLeallit(makeAction(this, tr("Leállít"), Qt::Key_F5, "stop")),
      aBezar(makeAction(this, tr("Bezár"), Qt::Key_Escape, "red-cross")),
      Track(new QSlider(Qt::Horizontal, ToolBar1)), lbl(new QLabel(ToolBar1)),
      lbl2(new ElidedLabel(ToolBar1)), img(new StretchedImage(this)), PopupMenu1(new QMenu(img)),
      Timer(new StepTimer(ticks, this)), Ahead(new DecodeAhead(this)), context_(context) {
    setObjectName(QStringLiteral("frm_dia"));
    aIndit->setCheckable(true);

    Track->setFixedSize(150, 22);
    Track->setRange(1, 10);
    Track->setValue(kStartingStep);
    Track->setTickPosition(QSlider::TicksBelow);
    Track->setCursor(Qt::PointingHandCursor);
    Track->setToolTip(tr("Léptetési idő beállítás"));
    lbl->setFixedWidth(64);
    lbl->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lbl2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    ToolBar1->setFixedHeight(kToolBarHeight);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->addActions({aIndit, aElozo, aKovetkezo, aLeallit});
    for (QWidget* item : std::initializer_list<QWidget*>{Track, lbl, lbl2}) {
        ToolBar1->addWidget(toolSeparator(ToolBar1));
        ToolBar1->addWidget(item);
    }
    ToolBar1->addWidget(toolSeparator(ToolBar1));
    ToolBar1->addAction(aBezar);

    CoolBar1->setFrameShape(QFrame::StyledPanel);
    CoolBar1->setFixedHeight(kCoolBarHeight);
    auto* band = new QHBoxLayout(CoolBar1);
    band->setContentsMargins(2, 2, 2, 2);
    band->addWidget(ToolBar1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(CoolBar1);
    column->addWidget(img, 1);

    PopupMenu1->addActions({aIndit, aElozo, aKovetkezo, aLeallit});
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(aBezar);
    img->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(img, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(img->mapToGlobal(at)); });
    // A picture decoded ahead for the old size would have to be shrunk again at the step.
    connect(img, &StretchedImage::resized, this, [this] { prepareNext(); });

    connect(Timer, &StepTimer::timeout, this, guardedStep(&Tfrm_dia::TimerTimer));
    connect(aElozo, &QAction::triggered, this, guardedStep(&Tfrm_dia::aElozoExecute));
    connect(aKovetkezo, &QAction::triggered, this, guardedStep(&Tfrm_dia::aKovetkezoExecute));
    connect(aIndit, &QAction::triggered, this, guarded(this, &Tfrm_dia::aInditExecute));
    connect(aLeallit, &QAction::triggered, this, guarded(this, &Tfrm_dia::aLeallitExecute));
    connect(aBezar, &QAction::triggered, this, guarded(this, &Tfrm_dia::aBezarExecute));
    connect(Track, &QSlider::valueChanged, this, guarded(this, &Tfrm_dia::TrackChange));

    resize(kNormalClientSize);
}

std::function<void()> Tfrm_dia::guardedStep(void (Tfrm_dia::*handler)()) {
    // The error box of a failed step runs an event loop that delivers further ticks; they are
    // dropped until it is dismissed, so boxes never pile up. The timer keeps its state.
    return [this, handler] {
        if (stepping_)
            return;
        stepping_ = true;
        runGuarded(context_.dialogs, this, [&] { (this->*handler)(); });
        stepping_ = false;
    };
}

void Tfrm_dia::LoadAndRun(const std::string& groupFolder) {
    folder_ = groupFolder;
    library::ListPictureFiles(folder_ + "/*.jpg", list_);
    index_ = 0;
    ShowPicture();
    Timer->setInterval(Track->value() * 1000);
    aInditExecute();
    exec();
    list_.clear();
}

void Tfrm_dia::ShowPicture() {
    const std::string& name = list_.at(index_);
    const std::string path = folder_ + "/" + name;
    if (std::optional<DecodeAhead::Prepared> prepared = Ahead->take(path, img->size())) {
        img->showPrepared(std::move(prepared->picture), std::move(prepared->decoded),
                          std::move(prepared->shown));
    } else {
        img->releasePicture();
        img->setPicture(picture::JpegPicture::load(path));
    }
    lbl->setText(QStringLiteral("%1 / %2").arg(index_ + 1).arg(list_.count()));
    lbl2->setFullText(QString::fromStdString(name));
    prepareNext();
}

void Tfrm_dia::prepareNext() {
    // The first picture is decoded before the window is laid out: the next one waits for the
    // size the window takes.
    if (!isVisible() || list_.count() == 0 || img->size().isEmpty()) {
        Ahead->forget();
        return;
    }
    const int count = list_.count();
    const int next = forward_ ? (index_ + 1) % count : (index_ + count - 1) % count;
    Ahead->prepare(folder_ + "/" + list_.at(next), img->size());
}

void Tfrm_dia::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        runGuarded(context_.dialogs, this, [this] { FormShow(); });
}

void Tfrm_dia::FormShow() {
    const library::TBeall& settings = context_.settings;
    if (settings.Teljes) {
        setWindowState(Qt::WindowMaximized);
    } else {
        setWindowState(Qt::WindowNoState);
        resize(kNormalClientSize);
        centreOnScreen(*this);
    }
    // The slider keeps the position within its range and reports only a change.
    Track->setValue(settings.Leptet);
    prepareNext();
}

void Tfrm_dia::TimerTimer() {
    aKovetkezoExecute();
}

void Tfrm_dia::aKovetkezoExecute() {
    step(true);
}

void Tfrm_dia::aElozoExecute() {
    step(false);
}

void Tfrm_dia::step(bool forward) {
    if (forward != forward_) {
        forward_ = forward;
        Ahead->forget(); // decoded for the other direction
    }
    if (forward)
        index_ = index_ < list_.count() - 1 ? index_ + 1 : 0;
    else
        index_ = index_ > 0 ? index_ - 1 : list_.count() - 1;
    ShowPicture();
}

void Tfrm_dia::TrackChange() {
    const bool running = Timer->enabled();
    Timer->setEnabled(false);
    Timer->setInterval(Track->value() * 1000);
    Timer->setEnabled(running);
}

void Tfrm_dia::aInditExecute() {
    Timer->setEnabled(true);
    aIndit->setChecked(true);
}

void Tfrm_dia::aLeallitExecute() {
    Timer->setEnabled(false);
    aIndit->setChecked(false);
}

void Tfrm_dia::aBezarExecute() {
    done(QDialog::Accepted);
}

void Tfrm_dia::done(int result) {
    FormClose();
    QDialog::done(result);
}

void Tfrm_dia::FormClose() {
    Timer->setEnabled(false);
    Ahead->forget();
}

void ShowSlideshow(QWidget* owner, const WindowContext& context, const std::string& groupFolder,
                   const std::string& groupName, StepTimer::Ticks ticks) {
    Tfrm_dia window(owner, context, ticks);
    window.setWindowTitle(QString::fromStdString(groupName));
    window.LoadAndRun(groupFolder);
}

} // namespace zolvera::ui
