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

void ScrollBox::setTileDecoder(std::unique_ptr<TileDecoder> decoder) {
    decoder_ = std::move(decoder);
}

void ScrollBox::addTile(std::unique_ptr<Tile> tile) {
    Tile* placed = tile.release();
    if (decoder_)
        placed->image()->setDecoder(decoder_.get());
    placed->setParent(area_);
    placed->show();
    tiles_.push_back(placed);
    const QRect reach = placed->geometry();
    area_->setMinimumSize(area_->minimumSize().expandedTo(
        QSize(reach.x() + reach.width(), reach.y() + reach.height())));
}

void ScrollBox::clear() {
    for (Tile* tile : tiles_) {
        tile->image()->dropPendingDecode();
        tile->hide();
        tile->deleteLater();
    }
    tiles_.clear();
    area_->setMinimumSize(0, 0);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void ScrollBox::scrollContentsBy(int dx, int dy) {
    QScrollArea::scrollContentsBy(dx, dy);
    // Only the tiles in view are decoded, and those that the newest view brings in (asked for
    // when they are painted) first; those that it takes away are forgotten.
    if (!decoder_)
        return;
    const QRect view(-area_->pos(), viewport()->size());
    for (Tile* tile : tiles_)
        if (!view.intersects(tile->geometry()))
            tile->image()->dropPendingDecode();
    decoder_->beginView();
}

Tile* ScrollBox::tile(int index) const {
    return index >= 0 && index < count() ? tiles_[std::size_t(index)] : nullptr;
}

} // namespace zolvera::ui
