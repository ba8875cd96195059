#include "ui/Tile.h"

namespace zolvera::ui {

Tile::Tile(int tag, QPoint position, QWidget* parent)
    : Panel(Bevel::Raised, Bevel::Lowered, parent), image_(new PictureView(this)) {
    this->tag = tag;
    setGeometry(QRect(position, QSize(kWidth, kHeight)));
    image_->tag = tag;
    image_->setGeometry(clientRect());
    image_->setCursor(Qt::PointingHandCursor);
}

} // namespace zolvera::ui
