#include "ui/BitmapImage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace zolvera::ui {

namespace {

// Averages every source pixel into the target pixel that covers it (a box filter), reading
// the bitmap once. The source rows of a target row are first added up column by column, a
// plain loop over bytes that the compiler vectorises; then each target pixel sums its columns.
// Qt's smooth scaling would first convert the whole full-size picture to 32 bits, which costs
// more than decoding it. rowAt(y) gives source row y as R, G, B bytes.
template <typename RowAt> QImage shrink(const picture::Bitmap& bitmap, QSize size, RowAt rowAt) {
    QImage result(size, QImage::Format_RGB32);
    const std::size_t rowBytes = std::size_t(bitmap.width) * 3;
    // Target column c covers the source columns from firstColumn[c] up to firstColumn[c + 1].
    std::vector<std::size_t> firstColumn(std::size_t(size.width()) + 1);
    for (int c = 0; c <= size.width(); ++c)
        firstColumn[std::size_t(c)] =
            std::size_t((std::int64_t(c) * bitmap.width + size.width() - 1) / size.width());
    // Dividing by multiplying with a 48-bit fixed-point share, exact for any count below a
    // million source pixels per target pixel. A target row takes one of two row counts.
    const int fewRows = bitmap.height / size.height();
    std::array<std::vector<std::uint64_t>, 2> shares;
    for (int extra = 0; extra < 2; ++extra) {
        for (int c = 0; c < size.width(); ++c) {
            const std::uint64_t n =
                (firstColumn[std::size_t(c) + 1] - firstColumn[std::size_t(c)]) *
                std::uint64_t(fewRows + extra);
            shares[std::size_t(extra)].push_back(((std::uint64_t(1) << 48) + n - 1) / n);
        }
    }
    std::vector<std::uint32_t> columnSums(rowBytes);

    int sourceY = 0;
    for (int y = 0; y < size.height(); ++y) {
        const int end = int(std::int64_t(y + 1) * bitmap.height / size.height());
        const std::vector<std::uint64_t>& share = shares[std::size_t(end - sourceY - fewRows)];
        std::fill(columnSums.begin(), columnSums.end(), 0);
        for (; sourceY < end; ++sourceY) {
            const std::uint8_t* row = rowAt(sourceY);
            for (std::size_t i = 0; i < rowBytes; ++i)
                columnSums[i] += row[i];
        }
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (std::size_t c = 0; c < share.size(); ++c) {
            std::uint64_t r = 0, g = 0, b = 0;
            for (std::size_t x = firstColumn[c]; x < firstColumn[c + 1]; ++x) {
                r += columnSums[x * 3];
                g += columnSums[x * 3 + 1];
                b += columnSums[x * 3 + 2];
            }
            line[c] =
                qRgb(int(r * share[c] >> 48), int(g * share[c] >> 48), int(b * share[c] >> 48));
        }
    }
    return result;
}

} // namespace

QImage bitmapImage(const picture::Bitmap& bitmap) {
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

QImage stretchBitmap(const picture::Bitmap& bitmap, QSize size) {
    if (size.isEmpty() || bitmap.width <= 0 || bitmap.height <= 0)
        return QImage();
    if (size.width() > bitmap.width || size.height() > bitmap.height) {
        // Growing a small picture: Qt's smooth scaling, cheap at this size.
        return bitmapImage(bitmap).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    const std::uint8_t* pixels = bitmap.pixels.data();
    const std::size_t width = std::size_t(bitmap.width);
    if (bitmap.bitsPerPixel == 8) {
        // Each row through the palette first; every index has a colour, listed or not.
        std::array<std::array<std::uint8_t, 3>, 256> table{};
        std::copy_n(bitmap.palette.begin(), std::min<std::size_t>(bitmap.palette.size(), 256),
                    table.begin());
        std::vector<std::uint8_t> expanded(width * 3);
        return shrink(bitmap, size, [&](int y) {
            const std::uint8_t* indices = pixels + std::size_t(y) * width;
            for (std::size_t x = 0; x < width; ++x)
                std::copy_n(table[indices[x]].begin(), 3, expanded.begin() + std::ptrdiff_t(x * 3));
            return expanded.data();
        });
    }
    return shrink(bitmap, size, [&](int y) { return pixels + std::size_t(y) * width * 3; });
}

QImage decodeStretched(const picture::JpegPicture& picture, QSize size) {
    return stretchBitmap(picture.decode(), size);
}

} // namespace zolvera::ui
