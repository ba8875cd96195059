#include "ui/Tile.h"

namespace zolvera::ui {

Tile::Tile(int index, QPoint position, QWidget* parent)
    : Panel(Bevel::Raised, Bevel::Lowered, parent), image_(new PictureView(this)) {
    tag = index;
    setGeometry(QRect(position, QSize(kWidth, kHeight)));
    image_->tag = index;
    image_->setGeometry(clientRect());
    image_->setCursor(Qt::PointingHandCursor);
}

} // namespace zolvera::ui
