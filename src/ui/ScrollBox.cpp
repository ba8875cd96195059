#include "ui/ScrollBox.h"

#include <QScrollBar>

namespace zolvera::ui {

ScrollBox::ScrollBox(const QColor& colour, QWidget* parent)
    : QScrollArea(parent), area_(new QWidget) {
    setFrameShape(QFrame::NoFrame);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour);
    viewport()->setPalette(palette);
    area_->setPalette(palette);
    area_->setAutoFillBackground(true);
    // The area fills the view and grows beyond it only as far as the tiles reach.
    setWidgetResizable(true);
    setWidget(area_);
}

void ScrollBox::addTile(std::unique_ptr<Tile> tile) {
    Tile* placed = tile.release();
    placed->setParent(area_);
    placed->show();
    tiles_.push_back(placed);
    const QRect reach = placed->geometry();
    area_->setMinimumSize(area_->minimumSize().expandedTo(
        QSize(reach.x() + reach.width(), reach.y() + reach.height())));
}

void ScrollBox::clear() {
    for (Tile* tile : tiles_) {
        tile->hide();
        tile->deleteLater();
    }
    tiles_.clear();
    area_->setMinimumSize(0, 0);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

Tile* ScrollBox::tile(int index) const {
    return index >= 0 && index < count() ? tiles_[std::size_t(index)] : nullptr;
}

} // namespace zolvera::ui
