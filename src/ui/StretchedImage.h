#pragma once

#include "picture/Picture.h"

#include <QPixmap>
#include <QWidget>

#include <optional>

namespace zolvera::ui {

// An image control that keeps one decoded picture and shows it stretched to its own size,
// without keeping the aspect ratio. The copy at the control's size is made when it is painted
// and again only when the size changes: a resize scales, it never decodes.
class StretchedImage : public QWidget {
    Q_OBJECT
public:
    explicit StretchedImage(QWidget* parent = nullptr);

    void setPicture(picture::Bitmap picture);
    // Frees the full-size picture and keeps only what is on screen, so that the next picture
    // can be decoded without two of them in memory. Should that decoding fail, the old picture
    // stays on show (scaled from its screen copy if the size changes meanwhile).
    void releasePicture();
    bool hasPicture() const { return picture_.has_value(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void rescale();

    std::optional<picture::Bitmap> picture_;
    QPixmap shown_; // the picture at the control's size; null until made
};

} // namespace zolvera::ui
