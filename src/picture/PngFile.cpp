#include "picture/PngFile.h"

#include "platform/Failure.h"

#include <png.h>

namespace zolvera::picture {

namespace {

// What libpng's callbacks reach: the bytes written so far and whether adding to them failed.
struct PngOutput {
    std::string bytes;
    bool outOfMemory = false;
};

void appendBytes(png_structp png, png_bytep data, std::size_t length) {
    auto* output = static_cast<PngOutput*>(png_get_io_ptr(png));
    try {
        output->bytes.append(reinterpret_cast<const char*>(data), length);
    } catch (const std::bad_alloc&) {
        output->outOfMemory = true;
    }
    if (output->outOfMemory) // outside the handler: the jump must leave no exception behind
        png_error(png, "out of memory");
}

[[noreturn]] void jumpBack(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

// Writes the whole file; libpng's errors jump back here, into a frame that owns no C++ objects,
// and the call returns false.
bool writePng(png_structp png, png_infop info, png_uint_32 width, png_uint_32 height,
              png_textp texts, int textCount, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Thumbnails are written while the grid still decodes: zlib's fastest level with the Sub
    // filter writes a photograph's several times faster than libpng's defaults, the file up to
    // a fifth larger.
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_text(png, info, texts, textCount);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}

} // namespace

std::string pngBytes(const QImage& image, const std::vector<PngText>& texts) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    std::vector<png_bytep> rows;
    for (int y = 0; y < rgb.height(); ++y)
        rows.push_back(const_cast<png_bytep>(rgb.constScanLine(y)));
    std::vector<png_text> chunks(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        chunks[i].compression = PNG_TEXT_COMPRESSION_NONE;
        chunks[i].key = const_cast<png_charp>(texts[i].first.c_str());
        chunks[i].text = const_cast<png_charp>(texts[i].second.c_str());
        chunks[i].text_length = texts[i].second.size();
    }

    PngOutput output;
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, jumpBack, ignoreWarning);
    png_infop info = png == nullptr ? nullptr : png_create_info_struct(png);
    bool written = false;
    if (info != nullptr) {
        png_set_write_fn(png, &output, appendBytes, nullptr);
        written = writePng(png, info, png_uint_32(rgb.width()), png_uint_32(rgb.height()),
                           chunks.data(), int(chunks.size()), rows.data());
    }
    png_destroy_write_struct(&png, &info);
    if (!written)
        throw Failure("PNG error");
    return std::move(output.bytes);
}

} // namespace zolvera::picture
