#pragma once

#include "picture/Picture.h"
#include "ui/TileDecoder.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <optional>
#include <string>

namespace zolvera::ui {

// An image control that shows a JPEG picture stretched to its own size. The picture's header
// is read when it is loaded; the file is read again and decoded when the control is first
// painted, and only a copy at the control's size is kept: a grid of hundreds of photographs
// holds neither their files nor their full-size bitmaps. With a decoder the decoding runs on
// the decoder's threads and the control stays blank until the picture is ready; without one it
// runs inside the paint. A picture that fails is announced once through decodeFailed, outside
// the paint, and the control stays blank.
class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);
    ~PictureView() override;

    // Reads the file's header; throws "Cannot open file…" or "JPEG error #n".
    void load(const std::string& path);
    // Shows the picture that another control shows.
    void showPictureOf(const PictureView& other);
    void clear();
    // Decodes through the decoder from now on instead of inside the paint.
    void setDecoder(TileDecoder* decoder);
    // Forgets a decoding asked for and not yet done; the next paint asks again.
    void dropPendingDecode();
    // Shows nothing from now on, as after a failed decoding, and never decodes the picture:
    // one that failed before need not fail and be reported again.
    void stayBlank();
    // The file shown; empty when there is none.
    const std::string& path() const { return path_; }
    // True once the picture has been decoded for painting.
    bool isDecoded() const { return !stretched_.isNull(); }

    // The index of the tile this image belongs to.
    int tag = 0;

Q_SIGNALS:
    // A left click: pressed and released over the control.
    void clicked();
    void rightButtonPressed();
    // The picture could not be decoded for painting; message is the failure's text.
    void decodeFailed(const QString& message);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void show(std::string path, std::optional<picture::JpegPicture> picture);
    void decode();
    void requestDecode();
    void takeResult(const TileResult& result);

    std::string path_;
    std::optional<picture::JpegPicture> picture_; // the loaded header; decoding reads the file
    QPixmap stretched_;
    QPointer<TileDecoder> decoder_;
    TileDecoder::Ticket pending_ = 0; // the decoder's request for this picture, 0 when none
    bool failed_ = false;
    bool leftPressed_ = false;
};

} // namespace zolvera::ui
