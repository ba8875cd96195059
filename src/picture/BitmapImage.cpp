#include "picture/BitmapImage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace zolvera::picture {

namespace {

bool grows(const Bitmap& shape, QSize size) {
    return size.width() > shape.width || size.height() > shape.height;
}

// Shrunk by at most 1/16 both ways (1080 rows into 1051). Each target pixel then covers one or
// two source pixels, and the box filter's per-pixel sums cost more than decoding the picture.
bool nearlyUnscaled(const Bitmap& shape, QSize size) {
    return std::int64_t(size.width()) * 16 >= std::int64_t(shape.width) * 15 &&
           std::int64_t(size.height()) * 16 >= std::int64_t(shape.height) * 15;
}

// Where target pixel i of count falls between two of the source's size pixels: the first of
// them and the second's weight in 1/256ths (centres aligned, as the box filter's borders are).
struct Between {
    int first;
    int weight;
};

Between sourceOf(int i, int count, int size) {
    const std::int64_t at = std::max<std::int64_t>(
        0, (std::int64_t(2 * i + 1) * size * 256) / (2 * std::int64_t(count)) - 128);
    const int first = int(at >> 8);
    if (first >= size - 1)
        return {size - 1, 0};
    return {first, int(at & 255)};
}

// Near 1:1, each target pixel as the linear mix of the two nearest source rows and columns: a
// pass over the picture that costs a small part of its decoding, within a level or two of the
// box filter on a photograph.
QImage interpolateNearlyUnscaled(const Bitmap& bitmap, QSize size) {
    QImage result(size, QImage::Format_RGB32);
    const std::size_t rgbBytes = std::size_t(bitmap.width) * 3;
    std::vector<Between> columns;
    for (int x = 0; x < size.width(); ++x)
        columns.push_back(sourceOf(x, size.width(), bitmap.width));
    // An 8-bit picture's rows through its palette (every index has a colour, listed or not).
    std::array<std::array<std::uint8_t, 3>, 256> table{};
    std::copy_n(bitmap.palette.begin(), std::min<std::size_t>(bitmap.palette.size(), 256),
                table.begin());
    std::array<std::vector<std::uint8_t>, 2> expanded;
    const auto rgbRow = [&](int y, std::size_t slot) -> const std::uint8_t* {
        const std::uint8_t* row = bitmap.pixels.data() + std::size_t(y) *
                                                             std::size_t(bitmap.width) *
                                                             std::size_t(bitmap.bitsPerPixel / 8);
        if (bitmap.bitsPerPixel != 8)
            return row;
        expanded[slot].resize(rgbBytes);
        for (std::size_t x = 0; x < std::size_t(bitmap.width); ++x)
            std::copy_n(table[row[x]].begin(), 3, expanded[slot].begin() + std::ptrdiff_t(x * 3));
        return expanded[slot].data();
    };
    std::vector<std::uint8_t> mixed(rgbBytes + 3); // one pixel more: the last column's neighbour
    for (int y = 0; y < size.height(); ++y) {
        const Between rows = sourceOf(y, size.height(), bitmap.height);
        const std::uint8_t* top = rgbRow(rows.first, 0);
        const std::uint8_t* bottom = rgbRow(std::min(rows.first + 1, bitmap.height - 1), 1);
        const unsigned down = unsigned(rows.weight);
        for (std::size_t i = 0; i < rgbBytes; ++i) // vectorised by the compiler
            mixed[i] = std::uint8_t((top[i] * (256 - down) + bottom[i] * down + 128) >> 8);
        std::copy_n(mixed.end() - 6, 3, mixed.end() - 3);
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (std::size_t x = 0; x < columns.size(); ++x) {
            const std::uint8_t* pixel = mixed.data() + std::size_t(columns[x].first) * 3;
            const unsigned right = unsigned(columns[x].weight);
            const auto mix = [&](std::size_t c) {
                return int((pixel[c] * (256 - right) + pixel[c + 3] * right + 128) >> 8);
            };
            line[x] = qRgb(mix(0), mix(1), mix(2));
        }
    }
    return result;
}

// Averages every source pixel into the target pixel that covers it (a box filter), taking the
// source a row at a time, top-down, so that it may come straight from the decoder. The source
// rows of a target row are added up column by column, a plain loop over bytes that the compiler
// vectorises; then each target pixel sums its columns. Qt's smooth scaling would first convert
// the whole full-size picture to 32 bits, which costs more than decoding it.
class BoxShrink {
public:
    // Everything is allocated here: adding rows allocates nothing and never throws.
    BoxShrink(const Bitmap& shape, QSize size)
        : result_(size, QImage::Format_RGB32), sourceHeight_(shape.height),
          fewRows_(shape.height / size.height()), firstColumn_(std::size_t(size.width()) + 1),
          columnSums_(std::size_t(shape.width) * 3) {
        // Target column c covers the source columns from firstColumn_[c] up to
        // firstColumn_[c + 1]. Each border is the source pixel border nearest to the exact one:
        // when the source is a scaled decoding its pixels are wide, and borders rounded one way
        // would shift the whole picture by up to a pixel.
        for (int c = 0; c <= size.width(); ++c)
            firstColumn_[std::size_t(c)] = std::size_t(nearestBorder(c, shape.width, size.width()));
        // Dividing by multiplying with a 48-bit fixed-point share, exact for any count below a
        // million source pixels per target pixel. A target row takes one of two row counts.
        for (int extra = 0; extra < 2; ++extra) {
            for (int c = 0; c < size.width(); ++c) {
                const std::uint64_t n =
                    (firstColumn_[std::size_t(c) + 1] - firstColumn_[std::size_t(c)]) *
                    std::uint64_t(fewRows_ + extra);
                shares_[std::size_t(extra)].push_back(((std::uint64_t(1) << 48) + n - 1) / n);
            }
        }
        if (shape.bitsPerPixel == 8)
            expanded_.resize(columnSums_.size());
    }

    // Source row y: R, G, B bytes, or palette indices for an 8-bit picture (the palette in
    // shape).
    void addRow(const Bitmap& shape, const std::uint8_t* row) noexcept {
        if (shape.bitsPerPixel == 8) {
            if (sourceY_ == 0) // every index has a colour, listed in the palette or not
                std::copy_n(shape.palette.begin(), std::min<std::size_t>(shape.palette.size(), 256),
                            table_.begin());
            for (std::size_t x = 0; x < expanded_.size() / 3; ++x)
                std::copy_n(table_[row[x]].begin(), 3, expanded_.begin() + std::ptrdiff_t(x * 3));
            row = expanded_.data();
        }
        for (std::size_t i = 0; i < columnSums_.size(); ++i)
            columnSums_[i] += row[i];
        ++sourceY_;
        if (sourceY_ == nearestBorder(targetY_ + 1, sourceHeight_, result_.height()))
            finishTargetRow();
    }

    const QImage& result() const { return result_; }

private:
    // The source border nearest to target border i of count over a source of size.
    static std::int64_t nearestBorder(int i, int size, int count) {
        return (2 * std::int64_t(i) * size + count) / (2 * std::int64_t(count));
    }

    void finishTargetRow() noexcept {
        const auto& share = shares_[std::size_t(sourceY_ - bandStart_ - fewRows_)];
        auto* line = reinterpret_cast<QRgb*>(result_.scanLine(targetY_));
        for (std::size_t c = 0; c < share.size(); ++c) {
            std::uint64_t r = 0, g = 0, b = 0;
            for (std::size_t x = firstColumn_[c]; x < firstColumn_[c + 1]; ++x) {
                r += columnSums_[x * 3];
                g += columnSums_[x * 3 + 1];
                b += columnSums_[x * 3 + 2];
            }
            line[c] =
                qRgb(int(r * share[c] >> 48), int(g * share[c] >> 48), int(b * share[c] >> 48));
        }
        std::fill(columnSums_.begin(), columnSums_.end(), 0);
        bandStart_ = sourceY_;
        ++targetY_;
    }

    QImage result_;
    int sourceHeight_;
    int fewRows_; // source rows per target row, rounded down
    std::vector<std::size_t> firstColumn_;
    std::array<std::vector<std::uint64_t>, 2> shares_;
    std::vector<std::uint32_t> columnSums_;
    std::array<std::array<std::uint8_t, 3>, 256> table_{};
    std::vector<std::uint8_t> expanded_; // an 8-bit row through the palette
    int sourceY_ = 0;
    int bandStart_ = 0;
    int targetY_ = 0;
};

// Stretches a picture while it is decoded: shrinks its rows as they come, or keeps a picture
// smaller than the target whole, to be grown by Qt.
class StretchingReader final : public RowReader {
public:
    explicit StretchingReader(QSize size) : size_(size) {}

    void begin(const Bitmap& shape) override {
        if (size_.isEmpty() || shape.width <= 0 || shape.height <= 0)
            return;
        if (!grows(shape, size_)) {
            shrink_.emplace(shape, size_);
            row_.resize(std::size_t(shape.width) * std::size_t(shape.bitsPerPixel / 8));
            return;
        }
        whole_ = shape;
        whole_.pixels.resize(rowBytes() * std::size_t(shape.height));
        whole_.palette.reserve(256); // taken over from the first row without allocating
    }

    void row(const Bitmap& shape, int y, const std::uint8_t* pixels) noexcept override {
        if (shrink_) {
            // Measured: summing a copy of the row takes far less time than summing the
            // decoder's own row buffer.
            std::copy_n(pixels, row_.size(), row_.data());
            shrink_->addRow(shape, row_.data());
        } else if (!whole_.pixels.empty()) {
            if (y == 0)
                whole_.palette = shape.palette;
            std::copy_n(pixels, rowBytes(), whole_.pixels.data() + std::size_t(y) * rowBytes());
        }
    }

    QImage result() const {
        if (shrink_)
            return shrink_->result();
        return whole_.pixels.empty() ? QImage() : stretchBitmap(whole_, size_);
    }

private:
    std::size_t rowBytes() const {
        return std::size_t(whole_.width) * std::size_t(whole_.bitsPerPixel / 8);
    }

    QSize size_;
    std::optional<BoxShrink> shrink_;
    std::vector<std::uint8_t> row_;
    Bitmap whole_;
};

} // namespace

QImage bitmapImage(const Bitmap& bitmap) {
    if (bitmap.bitsPerPixel == 8) {
        QImage image(bitmap.pixels.data(), bitmap.width, bitmap.height, bitmap.width,
                     QImage::Format_Indexed8);
        QList<QRgb> table;
        table.reserve(qsizetype(bitmap.palette.size()));
        for (const auto& entry : bitmap.palette)
            table.append(qRgb(entry[0], entry[1], entry[2]));
        image.setColorTable(table);
        return image;
    }
    return QImage(bitmap.pixels.data(), bitmap.width, bitmap.height, bitmap.width * 3,
                  QImage::Format_RGB888);
}

QImage stretchBitmap(const Bitmap& bitmap, QSize size) {
    if (size.isEmpty() || bitmap.width <= 0 || bitmap.height <= 0)
        return QImage();
    if (grows(bitmap, size)) {
        // Growing a small picture: Qt's smooth scaling, cheap at this size.
        return bitmapImage(bitmap).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (nearlyUnscaled(bitmap, size))
        return interpolateNearlyUnscaled(bitmap, size);
    BoxShrink shrink(bitmap, size);
    const std::size_t rowBytes = std::size_t(bitmap.width) * std::size_t(bitmap.bitsPerPixel / 8);
    for (int y = 0; y < bitmap.height; ++y)
        shrink.addRow(bitmap, bitmap.pixels.data() + std::size_t(y) * rowBytes);
    return shrink.result();
}

QImage decodeStretched(const JpegPicture& picture, QSize size) {
    StretchingReader reader(size);
    picture.decodeToShow(size.width(), size.height(), reader);
    return reader.result();
}

std::pair<QImage, QImage> decodeStretched(const JpegPicture& picture, QSize first, QSize second) {
    // Both readers take every row; neither throws, as the decoder requires.
    class BothReaders final : public RowReader {
    public:
        BothReaders(QSize a, QSize b) : first(a), second(b) {}
        void begin(const Bitmap& shape) override {
            first.begin(shape);
            second.begin(shape);
        }
        void row(const Bitmap& shape, int y, const std::uint8_t* pixels) noexcept override {
            first.row(shape, y, pixels);
            second.row(shape, y, pixels);
        }
        StretchingReader first;
        StretchingReader second;
    } both(first, second);
    const QSize covering = first.expandedTo(second);
    picture.decodeToShow(covering.width(), covering.height(), both);
    return {both.first.result(), both.second.result()};
}

QImage stretchImage(const QImage& image, QSize size) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    Bitmap shape;
    shape.width = rgb.width();
    shape.height = rgb.height();
    StretchingReader reader(size);
    reader.begin(shape);
    for (int y = 0; y < rgb.height(); ++y)
        reader.row(shape, y, rgb.constScanLine(y));
    return reader.result();
}

} // namespace zolvera::picture
