#include "ui/BitmapImage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace zolvera::ui {

namespace {

// Averages every source pixel into the target pixel that covers it (a box filter), reading
// the bitmap once. Qt's smooth scaling would first convert the whole full-size picture to 32
// bits, which costs more than decoding it.
template <typename Colour>
QImage shrink(const picture::Bitmap& bitmap, QSize size, Colour colourAt) {
    QImage result(size, QImage::Format_RGB32);
    const int sourceWidth = bitmap.width;
    std::vector<int> columnOf(std::size_t(sourceWidth), 0); // target column of each source one
    for (int x = 0; x < sourceWidth; ++x)
        columnOf[std::size_t(x)] = int(std::int64_t(x) * size.width() / sourceWidth);
    std::vector<std::uint32_t> sums(std::size_t(size.width()) * 3);
    std::vector<std::uint32_t> counts(std::size_t(size.width()));

    int sourceY = 0;
    for (int y = 0; y < size.height(); ++y) {
        const int end = int(std::int64_t(y + 1) * bitmap.height / size.height());
        std::fill(sums.begin(), sums.end(), 0);
        std::fill(counts.begin(), counts.end(), 0);
        for (; sourceY < end; ++sourceY) {
            for (int x = 0; x < sourceWidth; ++x) {
                const std::size_t column = std::size_t(columnOf[std::size_t(x)]);
                const auto [r, g, b] = colourAt(sourceY, x);
                sums[column * 3] += r;
                sums[column * 3 + 1] += g;
                sums[column * 3 + 2] += b;
                ++counts[column];
            }
        }
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const std::uint32_t n = std::max<std::uint32_t>(counts[std::size_t(x)], 1);
            line[x] = qRgb(int(sums[std::size_t(x) * 3] / n), int(sums[std::size_t(x) * 3 + 1] / n),
                           int(sums[std::size_t(x) * 3 + 2] / n));
        }
    }
    return result;
}

struct Rgb {
    std::uint32_t r, g, b;
};

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
        std::array<Rgb, 256> table{}; // every index has a colour, listed in the palette or not
        for (std::size_t i = 0; i < std::min<std::size_t>(bitmap.palette.size(), 256); ++i)
            table[i] = {bitmap.palette[i][0], bitmap.palette[i][1], bitmap.palette[i][2]};
        return shrink(bitmap, size, [&](int y, int x) {
            return table[pixels[std::size_t(y) * width + std::size_t(x)]];
        });
    }
    return shrink(bitmap, size, [&](int y, int x) {
        const std::uint8_t* p = pixels + (std::size_t(y) * width + std::size_t(x)) * 3;
        return Rgb{p[0], p[1], p[2]};
    });
}

QImage decodeStretched(const picture::JpegPicture& picture, QSize size) {
    return stretchBitmap(picture.decode(), size);
}

} // namespace zolvera::ui
