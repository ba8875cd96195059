#pragma once

#include <string>

namespace zolvera::picture {

// The picture of a JPEG file made into a group's cover: stretched (mostly shrunk) to exactly
// width × height, as the cover is shown, and written as a colour JPEG file's bytes. Only about
// the cover's size is decoded. Fails as JpegPicture::load and decode do.
std::string coverJpeg(const std::string& path, int width, int height);

} // namespace zolvera::picture
