#include "picture/JpegEncoder.h"

#include "picture/JpegErrors.h"

#include <jerror.h>

namespace zolvera::picture {

namespace {

// Lives in encodeJpeg's frame, so that nothing in it is a local of the frame that setjmp
// returns to twice.
struct Session {
    jpeg_compress_struct cinfo;
    ErrorManager error;
    jpeg_destination_mgr destination;
    bool tooLarge;
};

void startDestination(j_compress_ptr) {}

// Called only when the buffer is full and more is to come: the file does not fit.
boolean bufferFull(j_compress_ptr cinfo) {
    static_cast<Session*>(cinfo->client_data)->tooLarge = true;
    ERREXIT(cinfo, JERR_BUFFER_SIZE);
    return FALSE;
}

void endDestination(j_compress_ptr) {}

void compress(j_compress_ptr cinfo, const JpegImage* image, int quality) {
    cinfo->image_width = JDIMENSION(image->width);
    cinfo->image_height = JDIMENSION(image->height);
    cinfo->input_components = image->gray ? 1 : 3;
    cinfo->in_color_space = image->gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, quality, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    if (image->iccProfile != nullptr)
        jpeg_write_icc_profile(cinfo, image->iccProfile, image->iccProfileSize);
    const std::size_t rowBytes = std::size_t(image->width) * (image->gray ? 1 : 3);
    while (cinfo->next_scanline < cinfo->image_height) {
        // libjpeg only reads the rows it is given.
        JSAMPROW row = const_cast<JSAMPROW>(image->pixels + cinfo->next_scanline * rowBytes);
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
}

int runGuarded(Session* session, const JpegImage* image, int quality, std::uint8_t* buffer,
               std::size_t capacity, std::size_t* size) {
    j_compress_ptr cinfo = &session->cinfo;
    cinfo->err = jumpingErrors(session->error);
    if (setjmp(session->error.jump) != 0) {
        jpeg_destroy_compress(cinfo);
        return session->tooLarge ? kJpegTooLarge : session->error.pub.msg_code;
    }
    jpeg_create_compress(cinfo);
    cinfo->client_data = session;
    session->destination.next_output_byte = buffer;
    session->destination.free_in_buffer = capacity;
    session->destination.init_destination = startDestination;
    session->destination.empty_output_buffer = bufferFull;
    session->destination.term_destination = endDestination;
    cinfo->dest = &session->destination;
    compress(cinfo, image, quality);
    *size = capacity - session->destination.free_in_buffer;
    jpeg_destroy_compress(cinfo);
    return 0;
}

} // namespace

int encodeJpeg(const JpegImage* image, int quality, std::uint8_t* buffer, std::size_t capacity,
               std::size_t* size) noexcept {
    Session session{};
    return runGuarded(&session, image, quality, buffer, capacity, size);
}

} // namespace zolvera::picture
