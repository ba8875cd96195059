#include "ui/logo.h"

#include "artwork/LogoArt.h"
#include "ui/Guard.h"
#include "ui/Placement.h"

#include <QBitmap>
#include <QLabel>
#include <QTimer>

namespace zolvera::ui {

Tfrm_Logo::Tfrm_Logo(QWidget* owner, const WindowContext& context)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      Image1(new QLabel(this)), Timer1(new QTimer(this)), context_(context) {
    setObjectName(QStringLiteral("frm_Logo"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(400, 240);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(kLogoKeyColour));
    setPalette(grey);
    setAutoFillBackground(true);

    const QImage art = paintLogoArt();
    Image1->setGeometry(0, 0, 400, 240);
    Image1->setPixmap(QPixmap::fromImage(art));
    // The colour key: every pixel of exactly the background grey is see-through.
    setMask(QBitmap::fromImage(art.createMaskFromColor(kLogoKeyColour, Qt::MaskInColor)));

    centreOnScreen(*this);

    Timer1->setInterval(4000);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, guarded(this, &Tfrm_Logo::Timer1Timer));
}

void Tfrm_Logo::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Timer1->start();
}

void Tfrm_Logo::Timer1Timer() {
    close();
}

} // namespace zolvera::ui
