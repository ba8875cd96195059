#include "picture/BmpLayout.h"
#include "picture/Picture.h"
#include "platform/Failure.h"
#include "platform/File.h"

#include <optional>
#include <stdexcept>

namespace zolvera::picture {

namespace {

void put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

std::uint32_t pixelBytes(const Bitmap& bitmap) {
    return static_cast<std::uint32_t>(bmpRowStride(bitmap.width, bitmap.bitsPerPixel) *
                                      std::uint64_t(bitmap.height));
}

void checkShape(const Bitmap& bitmap) {
    const bool paletted = bitmap.bitsPerPixel == 8;
    if ((!paletted && bitmap.bitsPerPixel != 24) || bitmap.width < 0 || bitmap.height < 0 ||
        bitmap.palette.size() > (paletted ? 256u : 0u) ||
        bitmap.pixels.size() != std::size_t(bitmap.width) * std::size_t(bitmap.height) *
                                    std::size_t(bitmap.bitsPerPixel / 8) ||
        bmpRowStride(bitmap.width, bitmap.bitsPerPixel) * std::uint64_t(bitmap.height) >
            kBmpMaxPixelBytes)
        throw std::invalid_argument("malformed bitmap");
}

std::uint32_t pixelOffset(const Bitmap& bitmap) {
    return kBmpFileHeaderSize + kBmpInfoHeaderSize +
           static_cast<std::uint32_t>(bitmap.palette.size()) * 4;
}

// File header, BITMAPINFOHEADER and, for 8-bit pictures, the colour table.
std::string headers(const Bitmap& bitmap) {
    const auto colours = static_cast<std::uint32_t>(bitmap.palette.size());
    const std::uint32_t offset = pixelOffset(bitmap);
    std::string out;
    out += "BM";
    put32(out, offset + pixelBytes(bitmap));
    put32(out, 0); // two reserved words
    put32(out, offset);

    put32(out, kBmpInfoHeaderSize);
    put32(out, static_cast<std::uint32_t>(bitmap.width));
    put32(out, static_cast<std::uint32_t>(bitmap.height)); // positive: rows stored bottom-up
    put16(out, 1);                                         // planes
    put16(out, static_cast<std::uint32_t>(bitmap.bitsPerPixel));
    put32(out, 0); // BI_RGB
    put32(out, pixelBytes(bitmap));
    put32(out, 0); // horizontal resolution
    put32(out, 0); // vertical resolution
    put32(out, colours);
    put32(out, 0); // important colours: all

    for (const auto& [red, green, blue] : bitmap.palette) {
        out += static_cast<char>(blue);
        out += static_cast<char>(green);
        out += static_cast<char>(red);
        out += '\0';
    }
    return out;
}

// Hands the file to sink in pieces: the headers, then one padded row at a time, so that a
// large picture is never held twice.
template <typename Sink> void emitBmp(const Bitmap& bitmap, Sink&& sink) {
    sink(headers(bitmap));
    const std::size_t rowBytes = std::size_t(bitmap.width) * std::size_t(bitmap.bitsPerPixel / 8);
    std::string row(bmpRowStride(bitmap.width, bitmap.bitsPerPixel), '\0');
    for (int y = bitmap.height - 1; y >= 0; --y) {
        const std::uint8_t* source = bitmap.pixels.data() + std::size_t(y) * rowBytes;
        if (bitmap.bitsPerPixel == 8) {
            row.replace(0, rowBytes, reinterpret_cast<const char*>(source), rowBytes);
        } else {
            for (std::size_t i = 0; i < rowBytes; i += 3) {
                row[i] = static_cast<char>(source[i + 2]);
                row[i + 1] = static_cast<char>(source[i + 1]);
                row[i + 2] = static_cast<char>(source[i]);
            }
        }
        sink(row);
    }
}

} // namespace

void writeBmp(const Bitmap& bitmap, const std::string& path) {
    checkShape(bitmap);
    std::optional<platform::StagedFile> file;
    try {
        file.emplace(path);
    } catch (const IoFailure& failure) {
        throw failures::cannotCreateFile(path, failure.reason());
    }
    try {
        emitBmp(bitmap,
                [&file](const std::string& piece) { file->write(piece.data(), piece.size()); });
        file->commit();
    } catch (const IoFailure& failure) {
        throw failures::cannotCreateFile(path, failure.what());
    }
}

} // namespace zolvera::picture
