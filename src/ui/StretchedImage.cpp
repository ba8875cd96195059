#include "ui/StretchedImage.h"

#include "picture/BitmapImage.h"
#include "platform/Failure.h"

#include <QPainter>
#include <QScreen>

namespace zolvera::ui {

StretchedImage::StretchedImage(QWidget* parent) : QWidget(parent) {}

void StretchedImage::setPicture(const picture::JpegPicture& picture) {
    // Before the control is first shown its size is a placeholder and the window may still be
    // maximised: the picture is decoded for the whole screen, which the first paint then only
    // shrinks, instead of small now and once more at the first paint.
    const QScreen* onScreen = screen(); // none while no monitor is connected
    const QSize target = isVisible() || onScreen == nullptr ? size() : onScreen->size();
    decoded_ = picture.decodeToShow(target.width(), target.height());
    picture_ = picture;
    shown_ = QPixmap();
    update();
}

void StretchedImage::releasePicture() {
    if (!decoded_)
        return;
    if (shown_.size() != size())
        rescale();
    decoded_.reset();
    picture_.reset();
}

void StretchedImage::showPrepared(picture::JpegPicture picture, picture::Bitmap decoded,
                                  QImage shown) {
    picture_ = std::move(picture);
    decoded_ = std::move(decoded);
    shown_ = QPixmap::fromImage(std::move(shown));
    update();
}

void StretchedImage::rescale() {
    if (size().isEmpty())
        return;
    // Grown past a scaled decoding: decoded again for the new size. Should the file have gone
    // meanwhile, what was decoded is stretched instead.
    if (decoded_ && (decoded_->width < width() || decoded_->height < height()) &&
        (decoded_->width < picture_->width() || decoded_->height < picture_->height())) {
        try {
            decoded_ = picture_->decodeToShow(width(), height());
        } catch (const Failure&) {
        }
    }
    if (decoded_)
        shown_ = QPixmap::fromImage(picture::stretchBitmap(*decoded_, size()));
    else if (!shown_.isNull())
        shown_ = shown_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void StretchedImage::resizeEvent(QResizeEvent*) {
    Q_EMIT resized();
}

void StretchedImage::paintEvent(QPaintEvent*) {
    if (shown_.size() != size())
        rescale();
    if (!shown_.isNull())
        QPainter(this).drawPixmap(0, 0, shown_);
}

} // namespace zolvera::ui
