#include "picture/FitJpeg.h"

#include "picture/JpegDecoder.h"
#include "picture/JpegEncoder.h"
#include "platform/Failure.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include <jerror.h>

namespace zolvera::picture {

namespace {

constexpr int kBestQuality = 92;
constexpr int kLowestFullSizeQuality = 75;
constexpr int kLowestScaledQuality = 85;
// The sizes tried, in eighths, while decoding; smaller ones are halved from the last.
constexpr int kScaledEighths[] = {7, 6, 5, 4, 2, 1};

struct Pixels {
    int width = 0;
    int height = 0;
    int channels = 3; // 3: R, G, B; 1: gray levels
    std::vector<std::uint8_t> data;

    std::size_t offset(int x, int y) const {
        return (std::size_t(y) * std::size_t(width) + std::size_t(x)) * std::size_t(channels);
    }
};

Pixels blank(int width, int height, int channels) {
    Pixels pixels{width, height, channels, {}};
    try {
        pixels.data.resize(std::size_t(width) * std::size_t(height) * std::size_t(channels));
    } catch (const std::bad_alloc&) {
        throw failures::jpegError(JERR_OUT_OF_MEMORY);
    }
    return pixels;
}

struct FreeBytes {
    void operator()(std::uint8_t* bytes) const { std::free(bytes); }
};

// A colour profile as libjpeg hands it over.
struct Profile {
    std::unique_ptr<std::uint8_t, FreeBytes> bytes;
    unsigned size = 0;
};

// The decoder's input from bytes in memory.
struct Memory {
    const std::string& bytes;
    std::size_t at = 0;

    static std::ptrdiff_t read(void* context, std::uint8_t* buffer, std::size_t size) noexcept {
        auto* memory = static_cast<Memory*>(context);
        const std::size_t count = std::min(size, memory->bytes.size() - memory->at);
        std::memcpy(buffer, memory->bytes.data() + memory->at, count);
        memory->at += count;
        return std::ptrdiff_t(count);
    }
    JpegInput input() { return {&Memory::read, this}; }
};

// The picture decoded at eighths / 8 of its size, gray levels unchanged; with profile, its
// colour profile as well.
Pixels decodeAt(const std::string& jpeg, const JpegHeader& header, int eighths,
                Profile* profile = nullptr) {
    Pixels pixels = blank(scaledSide(header.width, 8, eighths),
                          scaledSide(header.height, 8, eighths), header.gray ? 1 : 3);
    JpegTarget target;
    target.scaleNumerator = eighths;
    target.scaleDenominator = 8;
    target.grayLevels = true;
    target.pixels = pixels.data.data();
    target.begin = [](void*, const JpegHeader&) noexcept { return 0; }; // sized above
    target.wantIccProfile = profile != nullptr;
    Memory memory{jpeg};
    const int code = decodeJpeg(memory.input(), &target);
    if (profile != nullptr) {
        profile->bytes.reset(target.iccProfile);
        profile->size = target.iccProfileSize;
    }
    if (code != 0)
        throw failures::jpegError(code);
    return pixels;
}

// The stored pixels as the EXIF orientation says they are shown (see exifOrientation).
Pixels upright(Pixels stored, int orientation) {
    if (orientation == 1)
        return stored;
    const int w = stored.width;
    const int h = stored.height;
    const bool turned = orientation >= 5; // a quarter turn swaps the sides
    Pixels shown = blank(turned ? h : w, turned ? w : h, stored.channels);
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x) {
            int sx = x;
            int sy = y;
            switch (orientation) {
            case 2:
                sx = w - 1 - x;
                break;
            case 3:
                sx = w - 1 - x, sy = h - 1 - y;
                break;
            case 4:
                sy = h - 1 - y;
                break;
            case 5:
                sx = y, sy = x;
                break;
            case 6:
                sx = y, sy = h - 1 - x;
                break;
            case 7:
                sx = w - 1 - y, sy = h - 1 - x;
                break;
            default:
                sx = w - 1 - y, sy = x;
                break; // 8
            }
            std::memcpy(&shown.data[shown.offset(x, y)], &stored.data[stored.offset(sx, sy)],
                        std::size_t(stored.channels));
        }
    return shown;
}

// Half the size each way (an odd side's last pixel kept alone), each pixel the average of the
// ones it stands for.
Pixels halved(const Pixels& from) {
    Pixels half = blank((from.width + 1) / 2, (from.height + 1) / 2, from.channels);
    for (int y = 0; y < half.height; ++y)
        for (int x = 0; x < half.width; ++x)
            for (int c = 0; c < from.channels; ++c) {
                unsigned sum = 0;
                unsigned count = 0;
                for (int sy = 2 * y; sy < std::min(2 * y + 2, from.height); ++sy)
                    for (int sx = 2 * x; sx < std::min(2 * x + 2, from.width); ++sx, ++count)
                        sum += from.data[from.offset(sx, sy) + std::size_t(c)];
                half.data[half.offset(x, y) + std::size_t(c)] =
                    std::uint8_t((sum + count / 2) / count);
            }
    return half;
}

// The file of the pixels at quality, or nothing when it holds more than maxBytes.
std::optional<std::string> encodeAt(const Pixels& pixels, const Profile& profile, int quality,
                                    std::size_t maxBytes) {
    JpegImage image;
    image.width = pixels.width;
    image.height = pixels.height;
    image.gray = pixels.channels == 1;
    image.pixels = pixels.data.data();
    image.iccProfile = profile.bytes.get();
    image.iccProfileSize = profile.size;
    std::string file(maxBytes, '\0');
    std::size_t size = 0;
    const int code =
        encodeJpeg(&image, quality, reinterpret_cast<std::uint8_t*>(file.data()), maxBytes, &size);
    if (code == kJpegTooLarge)
        return std::nullopt;
    if (code != 0)
        throw failures::jpegError(code);
    file.resize(size);
    return file;
}

// The pixels at the highest quality from lowest to kBestQuality that fits; nothing when even
// lowest does not.
std::optional<FittedJpeg> highestFitting(const Pixels& pixels, const Profile& profile, int lowest,
                                         std::size_t maxBytes) {
    std::optional<std::string> best = encodeAt(pixels, profile, lowest, maxBytes);
    if (!best)
        return std::nullopt;
    int bestQuality = lowest;
    // The file grows with the quality, so the range is halved at every try.
    int top = kBestQuality;
    while (bestQuality < top) {
        const int quality = (bestQuality + top + 1) / 2;
        if (std::optional<std::string> file = encodeAt(pixels, profile, quality, maxBytes)) {
            best = std::move(file);
            bestQuality = quality;
        } else {
            top = quality - 1;
        }
    }
    return FittedJpeg{std::move(*best), pixels.width, pixels.height, bestQuality};
}

} // namespace

FittedJpeg fitJpeg(const std::string& jpeg, std::size_t maxBytes) {
    JpegHeader header;
    Memory memory{jpeg};
    if (const int code = readJpegHeader(memory.input(), &header))
        throw failures::jpegError(code);
    if (std::uint64_t(header.width) * std::uint64_t(header.height) > kMaxPicturePixels)
        throw failures::jpegError(JERR_IMAGE_TOO_BIG);

    Profile profile;
    Pixels pixels = upright(decodeAt(jpeg, header, 8, &profile), header.orientation);
    if (std::optional<FittedJpeg> fitted =
            highestFitting(pixels, profile, kLowestFullSizeQuality, maxBytes))
        return std::move(*fitted);
    for (const int eighths : kScaledEighths) {
        pixels = {}; // one picture in memory at a time
        pixels = upright(decodeAt(jpeg, header, eighths), header.orientation);
        if (std::optional<FittedJpeg> fitted =
                highestFitting(pixels, profile, kLowestScaledQuality, maxBytes))
            return std::move(*fitted);
    }
    // A single pixel fits any sensible size; a smaller one ends the search.
    while (pixels.width > 1 || pixels.height > 1) {
        pixels = halved(pixels);
        if (std::optional<FittedJpeg> fitted =
                highestFitting(pixels, profile, kLowestScaledQuality, maxBytes))
            return std::move(*fitted);
    }
    throw failures::jpegError(JERR_BUFFER_SIZE);
}

} // namespace zolvera::picture
