#include "ui/PictureView.h"

#include "picture/BitmapImage.h"
#include "picture/Picture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace zolvera::ui {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {}

PictureView::~PictureView() {
    dropPendingDecode();
}

void PictureView::load(const std::string& path) {
    show(path, picture::JpegPicture::load(path));
}

void PictureView::showPictureOf(const PictureView& other) {
    show(other.path_, other.picture_);
}

void PictureView::clear() {
    show(std::string(), std::nullopt);
}

void PictureView::setDecoder(TileDecoder* decoder) {
    dropPendingDecode();
    decoder_ = decoder;
}

void PictureView::dropPendingDecode() {
    if (pending_ != 0 && decoder_)
        decoder_->cancel(pending_);
    pending_ = 0;
}

void PictureView::stayBlank() {
    dropPendingDecode();
    stretched_ = QPixmap();
    failed_ = true;
    update();
}

void PictureView::show(std::string path, std::optional<picture::JpegPicture> picture) {
    dropPendingDecode();
    path_ = std::move(path);
    picture_ = std::move(picture);
    stretched_ = QPixmap();
    failed_ = false;
    update();
}

void PictureView::decode() {
    try {
        stretched_ = QPixmap::fromImage(picture::decodeStretched(*picture_, size()));
    } catch (const std::exception& failure) {
        // Reported after the paint has finished: a modal box inside a paint event would
        // repaint this control and ask again.
        failed_ = true;
        QTimer::singleShot(0, this, [this, message = QString::fromStdString(failure.what())] {
            Q_EMIT decodeFailed(message);
        });
    }
}

void PictureView::requestDecode() {
    if (pending_ == 0)
        pending_ = decoder_->request(*picture_, size(),
                                     [this](const TileResult& result) { takeResult(result); });
}

void PictureView::takeResult(const TileResult& result) {
    pending_ = 0;
    if (result.failure) {
        failed_ = true;
        Q_EMIT decodeFailed(*result.failure);
        return;
    }
    if (result.image.isNull()) { // failed in an earlier showing, and reported then
        failed_ = true;
        return;
    }
    stretched_ = QPixmap::fromImage(result.image);
    update();
}

void PictureView::paintEvent(QPaintEvent*) {
    if (!picture_ || failed_ || size().isEmpty())
        return;
    if (stretched_.isNull() && decoder_) {
        requestDecode();
        return;
    }
    if (stretched_.isNull())
        decode();
    if (!stretched_.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(0, 0, stretched_);
    }
}

void PictureView::resizeEvent(QResizeEvent*) {
    dropPendingDecode();
    stretched_ = QPixmap();
}

void PictureView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        leftPressed_ = true;
    else if (event->button() == Qt::RightButton)
        Q_EMIT rightButtonPressed();
}

void PictureView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !leftPressed_)
        return;
    leftPressed_ = false;
    if (rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

// The second press of a double click is no new click: one click opens one window.
void PictureView::mouseDoubleClickEvent(QMouseEvent*) {}

} // namespace zolvera::ui
