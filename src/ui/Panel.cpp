#include "ui/Panel.h"

#include <QFrame>
#include <QPainter>

namespace zolvera::ui {

namespace {

int bevelWidth(Bevel bevel) {
    return bevel == Bevel::None ? 0 : 1;
}

// A one-pixel frame lit from the top left (raised) or from the bottom right (lowered).
void drawBevel(QPainter& painter, const QRect& rect, Bevel bevel, const QPalette& palette) {
    if (bevel == Bevel::None)
        return;
    const QColor light = palette.color(QPalette::Light);
    const QColor dark = palette.color(QPalette::Dark);
    const QColor& topLeft = bevel == Bevel::Raised ? light : dark;
    const QColor& bottomRight = bevel == Bevel::Raised ? dark : light;
    painter.setPen(topLeft);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
}

} // namespace

Panel::Panel(Bevel outer, Bevel inner, QWidget* parent)
    : QWidget(parent), outer_(outer), inner_(inner) {
    setAutoFillBackground(true);
}

QRect Panel::clientRect() const {
    const int inset = bevelWidth(outer_) + bevelWidth(inner_);
    return rect().adjusted(inset, inset, -inset, -inset);
}

void Panel::setCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void Panel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect outerRect = rect();
    drawBevel(painter, outerRect, outer_, palette());
    const int outerWidth = bevelWidth(outer_);
    drawBevel(painter, outerRect.adjusted(outerWidth, outerWidth, -outerWidth, -outerWidth), inner_,
              palette());
    if (!caption_.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(clientRect(), Qt::AlignCenter, caption_);
    }
}

QWidget* toolSeparator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    line->setFixedWidth(8);
    return line;
}

} // namespace zolvera::ui
