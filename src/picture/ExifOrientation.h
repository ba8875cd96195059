#pragma once

#include <cstddef>
#include <cstdint>

namespace zolvera::picture {

// The orientation that an APP1 marker's EXIF data gives the picture: 1 (as stored) to 8, the
// TIFF values (6: the stored picture is shown turned a quarter clockwise). 1 for a marker
// that is no EXIF data, holds no orientation, or is damaged; nothing outside data is read.
int exifOrientation(const std::uint8_t* data, std::size_t size) noexcept;

} // namespace zolvera::picture
