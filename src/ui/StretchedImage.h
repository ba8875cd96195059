#pragma once

#include "picture/Picture.h"

#include <QPixmap>
#include <QWidget>

#include <optional>

namespace zolvera::ui {

// An image control that keeps one picture, decoded only as large as the control needs
// (JpegPicture::decodeToShow), and shows it stretched to its own size, without keeping the
// aspect ratio. The copy at the control's size is made when it is painted and again only when
// the size changes: a resize scales, and decodes again only when the control has grown past
// what the decoded picture covers.
class StretchedImage : public QWidget {
    Q_OBJECT
public:
    explicit StretchedImage(QWidget* parent = nullptr);

    // Decodes the picture for the control's current size (its screen's before it is first
    // shown); throws as JpegPicture::decode, and the earlier picture then stays.
    void setPicture(const picture::JpegPicture& picture);
    // Frees the decoded picture and keeps only what is on screen, so that the next picture
    // can be decoded without two of them in memory. Should that decoding fail, the old picture
    // stays on show (scaled from its screen copy if the size changes meanwhile).
    void releasePicture();
    // Shows a picture decoded elsewhere for the control's current size, with its copy at that
    // size (see DecodeAhead): nothing is left to do but paint it.
    void showPrepared(picture::JpegPicture picture, picture::Bitmap decoded, QImage shown);
    bool hasPicture() const { return decoded_.has_value(); }

Q_SIGNALS:
    // The control's size has changed: a picture prepared for the old size no longer fits.
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void rescale();

    std::optional<picture::JpegPicture> picture_;
    std::optional<picture::Bitmap> decoded_; // at a scale that covered the size when decoded
    QPixmap shown_;                          // the picture at the control's size; null until made
};

} // namespace zolvera::ui
