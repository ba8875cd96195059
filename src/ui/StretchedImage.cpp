#include "ui/StretchedImage.h"

#include "ui/BitmapImage.h"

#include <QPainter>

namespace zolvera::ui {

StretchedImage::StretchedImage(QWidget* parent) : QWidget(parent) {}

void StretchedImage::setPicture(picture::Bitmap picture) {
    picture_ = std::move(picture);
    shown_ = QPixmap();
    update();
}

void StretchedImage::releasePicture() {
    if (!picture_)
        return;
    if (shown_.size() != size())
        rescale();
    picture_.reset();
}

void StretchedImage::rescale() {
    if (size().isEmpty())
        return;
    if (picture_)
        shown_ = QPixmap::fromImage(stretchBitmap(*picture_, size()));
    else if (!shown_.isNull())
        shown_ = shown_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void StretchedImage::paintEvent(QPaintEvent*) {
    if (shown_.size() != size())
        rescale();
    if (!shown_.isNull())
        QPainter(this).drawPixmap(0, 0, shown_);
}

} // namespace zolvera::ui
