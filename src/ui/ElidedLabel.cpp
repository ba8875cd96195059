#include "ui/ElidedLabel.h"

#include <QPainter>

namespace zolvera::ui {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {}

void ElidedLabel::setFullText(const QString& text) {
    setText(text);
    setToolTip(text);
}

QSize ElidedLabel::minimumSizeHint() const {
    return {fontMetrics().horizontalAdvance(QStringLiteral("x…x")),
            QLabel::minimumSizeHint().height()};
}

void ElidedLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.drawText(area, alignment().toInt(),
                     fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width()));
}

} // namespace zolvera::ui
