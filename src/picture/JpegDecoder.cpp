#include "picture/JpegDecoder.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE

#include "picture/ExifOrientation.h"
#include "picture/JpegErrors.h"

#include <jerror.h>
#include <jpeglib.h>

namespace zolvera::picture {

namespace {

constexpr int kGrayColours = 236;
// Progressive pictures have about ten scans (libjpeg's own script: 10 for colour, 6 for gray,
// 18 for CMYK). A damaged or hostile file can repeat scans by the hundred, each of them a pass
// over the whole picture, and keep the decoder busy for seconds per paint; such a file is
// refused instead.
constexpr int kMaxScans = 64;
// The file is read in pieces of this size: a header usually fits in the first.
constexpr std::size_t kInputBufferSize = 64 * 1024;

// A libjpeg data source that reads through a JpegInput.
struct InputSource {
    jpeg_source_mgr pub;
    JpegInput input;
    JOCTET* buffer;
    bool startOfFile;
};

// Lives in the frame of the caller of runGuarded, so that nothing in it is a local of the frame
// that setjmp returns to twice.
struct Session {
    jpeg_decompress_struct cinfo;
    ErrorManager error;
    jpeg_progress_mgr progress;
    InputSource source;
};

// Called while the decoder reads the file; stops it at a scan beyond the limit.
void limitScans(j_common_ptr cinfo) {
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
        ERREXIT(cinfo, JERR_BAD_PROGRESSION);
}

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

// As libjpeg's own sources do: a file without a byte is refused, and one that ends early gets
// an end marker, with a warning, so that what arrived is decoded.
boolean fillInput(j_decompress_ptr cinfo) {
    auto* source = reinterpret_cast<InputSource*>(cinfo->src);
    std::ptrdiff_t got =
        source->input.read(source->input.context, source->buffer, kInputBufferSize);
    if (got < 0)
        ERREXIT(cinfo, JERR_FILE_READ);
    if (got == 0) {
        if (source->startOfFile)
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        WARNMS(cinfo, JWRN_JPEG_EOF);
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        got = 2;
    }
    source->startOfFile = false;
    source->pub.next_input_byte = source->buffer;
    source->pub.bytes_in_buffer = static_cast<std::size_t>(got);
    return TRUE;
}

void skipInput(j_decompress_ptr cinfo, long count) {
    jpeg_source_mgr* source = cinfo->src;
    if (count <= 0)
        return;
    while (static_cast<std::size_t>(count) > source->bytes_in_buffer) {
        count -= static_cast<long>(source->bytes_in_buffer);
        fillInput(cinfo);
    }
    source->next_input_byte += count;
    source->bytes_in_buffer -= static_cast<std::size_t>(count);
}

void useInput(j_decompress_ptr cinfo, InputSource* source, const JpegInput& input) {
    source->input = input;
    source->buffer = static_cast<JOCTET*>((*cinfo->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, kInputBufferSize));
    source->startOfFile = true;
    source->pub.init_source = initSource;
    source->pub.fill_input_buffer = fillInput;
    source->pub.skip_input_data = skipInput;
    source->pub.resync_to_restart = jpeg_resync_to_restart;
    source->pub.term_source = termSource;
    source->pub.bytes_in_buffer = 0;
    source->pub.next_input_byte = nullptr;
    cinfo->src = &source->pub;
}

// The work done once the header has been read. It must not own anything with a destructor
// either: a fatal error jumps over its frame.
using Step = void (*)(j_decompress_ptr cinfo, void* context);

// Sets up a decompressor on the input, reads the header, runs the step and releases the
// decompressor. Returns 0, or the message code of the fatal error that ended it.
int runGuarded(Session* session, const JpegInput& input, Step step, void* context) {
    j_decompress_ptr cinfo = &session->cinfo;
    cinfo->err = jumpingErrors(session->error);
    if (setjmp(session->error.jump) != 0) {
        jpeg_destroy_decompress(cinfo);
        return session->error.pub.msg_code;
    }
    jpeg_create_decompress(cinfo);
    session->progress.progress_monitor = limitScans;
    cinfo->progress = &session->progress; // after the create, which clears it
    useInput(cinfo, &session->source, input);
    // EXIF (orientation) and the colour profile, kept for a picture that is encoded again.
    jpeg_save_markers(cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_save_markers(cinfo, JPEG_APP0 + 2, 0xFFFF);
    jpeg_read_header(cinfo, TRUE);
    step(cinfo, context);
    jpeg_destroy_decompress(cinfo);
    return 0;
}

bool isGray(j_decompress_ptr cinfo) {
    return cinfo->jpeg_color_space == JCS_GRAYSCALE;
}

void copyHeader(j_decompress_ptr cinfo, void* context) {
    auto* header = static_cast<JpegHeader*>(context);
    // libjpeg refuses sizes of 0 and above 65500, so these fit.
    header->width = static_cast<int>(cinfo->image_width);
    header->height = static_cast<int>(cinfo->image_height);
    header->gray = isGray(cinfo);
    for (jpeg_saved_marker_ptr marker = cinfo->marker_list; marker; marker = marker->next)
        if (marker->marker == JPEG_APP0 + 1) {
            header->orientation = exifOrientation(marker->data, marker->data_length);
            break;
        }
}

std::uint8_t product(unsigned a, unsigned b) {
    return static_cast<std::uint8_t>((2 * a * b + 255) / 510); // a * b / 255, rounded
}

// Adobe's programs store CMYK inverted (0 is full ink) and mark their files with the Adobe
// marker; other writers store plain CMYK.
void cmykToRgb(const JSAMPLE* cmyk, std::uint8_t* rgb, JDIMENSION width, bool inverted) {
    const unsigned flip = inverted ? 0 : 255;
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const unsigned k = cmyk[3] ^ flip;
        for (int i = 0; i < 3; ++i)
            rgb[i] = product(cmyk[i] ^ flip, k);
    }
}

void decodeRows(j_decompress_ptr cinfo, void* context) {
    auto* target = static_cast<JpegTarget*>(context);
    JpegHeader header;
    copyHeader(cinfo, &header);
    if (const int refused = target->begin(target->context, header))
        ERREXIT(cinfo, refused);
    const bool gray = isGray(cinfo);
    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    const int numerator = target->scaleNumerator;
    const int denominator = target->scaleDenominator;
    cinfo->scale_num = static_cast<unsigned>(numerator);
    cinfo->scale_denom = static_cast<unsigned>(denominator);
    cinfo->dct_method = JDCT_ISLOW;
    cinfo->do_block_smoothing = TRUE;
    // The dither of the quantiser is noise that a shrinking box filter averages away over a
    // full-size picture but not over a scaled one, and a scaled picture is only ever shown.
    const bool quantise = gray && numerator == denominator && !target->grayLevels;
    if (gray) {
        cinfo->out_color_space = JCS_GRAYSCALE;
        cinfo->quantize_colors = quantise ? TRUE : FALSE;
        cinfo->desired_number_of_colors = kGrayColours;
        cinfo->two_pass_quantize = FALSE; // the dither mode stays libjpeg's default
    } else {
        cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    }
    if (target->wantIccProfile && !cmyk)
        jpeg_read_icc_profile(cinfo, &target->iccProfile, &target->iccProfileSize);
    jpeg_start_decompress(cinfo);
    // begin sized the pixels by scaledSide; a libjpeg that rounds otherwise is refused
    // rather than written past them.
    if (cinfo->output_width !=
            JDIMENSION(scaledSide(int(cinfo->image_width), denominator, numerator)) ||
        cinfo->output_height !=
            JDIMENSION(scaledSide(int(cinfo->image_height), denominator, numerator)))
        ERREXIT(cinfo, JERR_BAD_DCTSIZE);

    if (quantise) {
        target->paletteSize = cinfo->actual_number_of_colors;
        for (int i = 0; i < target->paletteSize; ++i) {
            const std::uint8_t level = cinfo->colormap[0][i];
            target->palette[static_cast<std::size_t>(i)] = {level, level, level};
        }
    } else if (gray) {
        target->paletteSize = 256;
        for (int i = 0; i < 256; ++i)
            target->palette[static_cast<std::size_t>(i)].fill(static_cast<std::uint8_t>(i));
    }
    const std::size_t rowBytes = std::size_t{cinfo->output_width} * (gray ? 1 : 3);
    JSAMPROW cmykRow = nullptr;
    if (cmyk)
        cmykRow = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                              cinfo->output_width * 4, 1)[0];
    JSAMPROW rowBuffer = nullptr;
    if (target->pixels == nullptr)
        rowBuffer = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                                JDIMENSION(rowBytes), 1)[0];
    // The input source never suspends, so every call delivers a row.
    while (cinfo->output_scanline < cinfo->output_height) {
        const JDIMENSION y = cinfo->output_scanline;
        std::uint8_t* row = rowBuffer != nullptr ? rowBuffer : target->pixels + y * rowBytes;
        JSAMPROW into = cmyk ? cmykRow : row;
        jpeg_read_scanlines(cinfo, &into, 1);
        if (cmyk)
            cmykToRgb(cmykRow, row, cinfo->output_width, cinfo->saw_Adobe_marker);
        if (rowBuffer != nullptr)
            target->rows(target->context, int(y), row);
    }
    // The rows are complete; whatever follows the last one in the file is not looked at.
}

} // namespace

int readJpegHeader(const JpegInput& input, JpegHeader* header) noexcept {
    Session session{};
    return runGuarded(&session, input, copyHeader, header);
}

int decodeJpeg(const JpegInput& input, JpegTarget* target) noexcept {
    Session session{};
    return runGuarded(&session, input, decodeRows, target);
}

} // namespace zolvera::picture
