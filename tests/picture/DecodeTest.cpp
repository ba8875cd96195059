#include "picture/Picture.h"
#include "platform/Failure.h"
#include "support/JpegFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

using namespace zolvera;
using namespace zolvera::picture;
using zolvera::test::JpegOptions;

namespace {

std::uint32_t le(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + std::size_t(i)));
    return value;
}

// Runs djpeg on a JPEG file and returns the bitmap file it writes; empty when it failed.
std::string djpegBitmap(const std::string& jpegPath, bool gray, const std::string& outPath) {
#ifdef ZOLVERA_DJPEG
    std::vector<std::string> args = {ZOLVERA_DJPEG, "-bmp", "-dct", "int"};
    if (gray)
        args.insert(args.end(), {"-colors", "236"});
    args.insert(args.end(), {"-outfile", outPath, jpegPath});
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    // Its warnings about cut-off files are expected here.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0)
        return {};
    int status = 0;
    waitpid(pid, &status, 0);
    // djpeg ends with 2 when it warned (a cut-off file): the bitmap is written all the same.
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 1)
        return {};
#else
    (void)jpegPath, (void)gray, (void)outPath;
#endif
    return test::readFile(outPath);
}

// The pixel rows and colour table must be byte for byte what djpeg writes; djpeg pads the
// table to 256 entries and fills some header fields differently.
void expectSameAsDjpeg(const std::string& jpeg) {
    test::TempDir dir;
    test::writeFile(dir / "in.jpg", jpeg);
    const JpegPicture picture = JpegPicture::load(dir / "in.jpg");
    writeBmp(picture.decode(), dir / "ours.bmp");
    const std::string ours = test::readFile(dir / "ours.bmp");
    const std::string theirs = djpegBitmap(dir / "in.jpg", picture.isGray(), dir / "out.bmp");
    ASSERT_GE(theirs.size(), 54u) << "djpeg failed";

    for (const auto& [at, size] : {std::pair{18, 4}, {22, 4}, {26, 2}, {28, 2}, {30, 4}})
        EXPECT_EQ(le(ours, std::size_t(at), size), le(theirs, std::size_t(at), size)) << at;
    const std::uint32_t ourOffset = le(ours, 10, 4);
    const std::uint32_t theirOffset = le(theirs, 10, 4);
    const std::string table = ours.substr(54, ourOffset - 54);
    EXPECT_EQ(table.size(), picture.isGray() ? 236u * 4 : 0u);
    EXPECT_EQ(theirs.substr(54, table.size()), table);
    EXPECT_EQ(theirs.find_first_not_of('\0', 54 + table.size()), theirOffset)
        << "djpeg's padding entries are zero";
    // EXPECT_TRUE: a mismatch would otherwise print kilobytes of binary.
    EXPECT_TRUE(ours.compare(ourOffset, std::string::npos, theirs, theirOffset) == 0)
        << "pixel rows differ";
}

std::string cut(const std::string& bytes, double fraction) {
    return bytes.substr(0, std::size_t(double(bytes.size()) * fraction));
}

} // namespace

TEST(JpegPicture, DecodesExactlyAsLibjpegsOwnDecoder) {
#ifndef ZOLVERA_DJPEG
    GTEST_SKIP() << "djpeg is not installed";
#endif
    const std::pair<const char*, std::string> cases[] = {
        {"baseline", test::jpegBytes()},
        {"progressive", test::jpegBytes({.progressive = true})},
        {"restart markers", test::jpegBytes({.width = 100, .height = 70, .restartRows = 1})},
        {"odd size", test::jpegBytes({.width = 33, .height = 17, .quality = 40})},
        {"odd size progressive", test::jpegBytes({.width = 33, .height = 17, .progressive = true})},
        {"one pixel", test::jpegBytes({.width = 1, .height = 1})},
        // Only the first scans survive: block smoothing fills in the missing detail.
        {"truncated progressive", cut(test::jpegBytes({.progressive = true}), 0.4)},
        {"truncated baseline", cut(test::jpegBytes({.width = 80, .height = 80}), 0.5)},
        {"adobe cmyk", test::jpegBytes({.cmyk = true})},
        {"gray", test::jpegBytes({.gray = true})},
        {"gray odd size", test::jpegBytes({.width = 33, .height = 17, .gray = true})},
        {"gray truncated progressive",
         cut(test::jpegBytes({.width = 90, .height = 60, .gray = true, .progressive = true}), 0.5)},
    };
    for (const auto& [name, jpeg] : cases) {
        SCOPED_TRACE(name);
        expectSameAsDjpeg(jpeg);
    }
}

TEST(JpegPicture, ReadsTheHeaderAtLoad) {
    test::TempDir dir;
    test::writeJpeg(dir / "colour.jpg", {.width = 33, .height = 17});
    test::writeJpeg(dir / "gray.jpg", {.gray = true});
    const JpegPicture colour = JpegPicture::load(dir / "colour.jpg");
    EXPECT_EQ(colour.width(), 33);
    EXPECT_EQ(colour.height(), 17);
    EXPECT_FALSE(colour.isGray());
    const Bitmap bitmap = colour.decode();
    EXPECT_EQ(bitmap.bitsPerPixel, 24);
    EXPECT_EQ(bitmap.pixels.size(), 33u * 17 * 3);
    EXPECT_TRUE(bitmap.palette.empty());

    const Bitmap gray = JpegPicture::load(dir / "gray.jpg").decode();
    EXPECT_EQ(gray.bitsPerPixel, 8);
    EXPECT_EQ(gray.pixels.size(), 64u * 48);
    EXPECT_EQ(gray.palette.size(), 236u);

    // Loading reads only the start of a file; a header behind 180 KB of application data is
    // still found, and a file replaced after loading is decoded at its new size.
    std::string padded = test::jpegBytes({.width = 21, .height = 13});
    std::string segment = "\xFF\xE2\xFF\xFF" + std::string(0xFFFD, 'x');
    padded.insert(2, segment + segment + segment);
    test::writeFile(dir / "padded.jpg", padded);
    const JpegPicture replaced = JpegPicture::load(dir / "padded.jpg");
    EXPECT_EQ(replaced.width(), 21);
    test::writeJpeg(dir / "padded.jpg", {.width = 80, .height = 60});
    EXPECT_EQ(replaced.decode().pixels.size(), 80u * 60 * 3);
}

// Both CMYK conventions must come out as the colours that were meant, not inverted.
TEST(JpegPicture, ConvertsCmykToRgb) {
    test::TempDir dir;
    test::writeJpeg(dir / "rgb.jpg", {.quality = 95});
    const Bitmap reference = JpegPicture::load(dir / "rgb.jpg").decode();
    for (const bool adobe : {true, false}) {
        SCOPED_TRACE(adobe ? "adobe inverted" : "plain");
        test::writeJpeg(dir / "cmyk.jpg", {.quality = 95, .cmyk = true, .adobeMarker = adobe});
        const JpegPicture picture = JpegPicture::load(dir / "cmyk.jpg");
        EXPECT_FALSE(picture.isGray());
        const Bitmap bitmap = picture.decode();
        ASSERT_EQ(bitmap.bitsPerPixel, 24);
        ASSERT_EQ(bitmap.pixels.size(), reference.pixels.size());
        long total = 0;
        for (std::size_t i = 0; i < bitmap.pixels.size(); ++i)
            total += std::abs(int(bitmap.pixels[i]) - int(reference.pixels[i]));
        EXPECT_LT(double(total) / double(bitmap.pixels.size()), 4.0);
    }
}

TEST(JpegPicture, ReportsUnreadableAndDamagedFiles) {
    test::TempDir dir;
    auto loadFailure = [](const std::string& path) -> std::string {
        try {
            JpegPicture::load(path);
        } catch (const Failure& failure) {
            return failure.what();
        }
        return "loaded";
    };
    EXPECT_EQ(loadFailure(dir / "missing.jpg"),
              "Cannot open file \"" + (dir / "missing.jpg") + "\". No such file or directory");
    test::writeFile(dir / "empty.jpg", "");
    EXPECT_EQ(loadFailure(dir / "empty.jpg"), "JPEG error #42");
    test::writeFile(dir / "text.jpg", "GIF89a, or anything else that is no JPEG");
    EXPECT_EQ(loadFailure(dir / "text.jpg"), "JPEG error #53");
    test::writeFile(dir / "soi.jpg", "\xFF\xD8");
    EXPECT_EQ(loadFailure(dir / "soi.jpg"), "JPEG error #51");

    // Wherever a file is cut, it either decodes (the missing part gray) or fails with a decoder
    // error, never worse; cut before its first scan begins, it is refused at load.
    for (const bool progressive : {false, true}) {
        const std::string jpeg = test::jpegBytes({.progressive = progressive});
        const std::size_t sos = jpeg.rfind("\xFF\xDA", test::firstScanOffset(jpeg));
        for (std::size_t keep = 0; keep < jpeg.size(); keep += keep < sos + 20 ? 3 : 17) {
            SCOPED_TRACE(keep);
            test::writeFile(dir / "cut.jpg", jpeg.substr(0, keep));
            std::string outcome = loadFailure(dir / "cut.jpg");
            if (outcome == "loaded") {
                EXPECT_GT(keep, sos);
                try {
                    outcome =
                        JpegPicture::load(dir / "cut.jpg").decode().pixels.size() == 64u * 48 * 3
                            ? "decoded"
                            : "wrong size";
                } catch (const Failure& failure) {
                    outcome = failure.what();
                }
            }
            EXPECT_TRUE(outcome == "decoded" || outcome.rfind("JPEG error #", 0) == 0) << outcome;
        }
    }

    // A scan repeated by the hundred (each one a pass over the picture) is refused, not
    // decoded for seconds at every paint.
    std::string jpeg = test::jpegBytes({.progressive = true});
    const std::size_t lastScan = jpeg.rfind("\xFF\xDA");
    const std::string scan = jpeg.substr(lastScan, jpeg.size() - 2 - lastScan);
    for (int i = 0; i < 100; ++i)
        jpeg.insert(jpeg.size() - 2, scan);
    test::writeFile(dir / "scans.jpg", jpeg);
    try {
        JpegPicture::load(dir / "scans.jpg").decode();
        ADD_FAILURE() << "decoded";
    } catch (const Failure& failure) {
        EXPECT_STREQ(failure.what(), "JPEG error #16");
    }
}

// A picture padded to the size limit is read only as far as the decoder needs it, so its padding
// never reaches memory; one byte more and it is refused unread, naming the file, as is a file of
// zeros far larger (sparse files: nothing is on disk).
TEST(JpegPicture, ReadsOnlyWhatTheDecoderNeedsAndRefusesFilesOverTheLimit) {
    test::TempDir dir;
    const std::string path = dir / "padded.jpg";
    test::writeJpeg(path, {.width = 320, .height = 200});
    std::filesystem::resize_file(path, kMaxPictureFileSize);
    const auto peakKilobytes = [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return usage.ru_maxrss;
    };
    const long before = peakKilobytes();
    EXPECT_EQ(JpegPicture::load(path).decode().width, 320);
    EXPECT_EQ(JpegPicture::load(path).decodeToShow(80, 50).width, 80);
    EXPECT_LT(peakKilobytes() - before, 32 * 1024);

    std::filesystem::resize_file(path, kMaxPictureFileSize + 1);
    const std::string zeros = dir / "kep0.jpg";
    test::writeFile(zeros, "");
    std::filesystem::resize_file(zeros, std::uintmax_t{2} << 30);
    for (const std::string& refused : {path, zeros}) {
        try {
            JpegPicture::load(refused);
            ADD_FAILURE() << refused;
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.what(), "Cannot open file \"" + refused + "\". File too large");
        }
    }
}

namespace {

// A small picture whose header claims another size: the rest of its data is missing, which
// the decoder fills with gray, as in a hostile file of a few hundred bytes.
std::string claimingSize(JpegOptions options, int width, int height) {
    std::string jpeg = test::jpegBytes(options);
    const std::size_t sof = jpeg.find(options.progressive ? "\xFF\xC2" : "\xFF\xC0");
    const char size[] = {char(height >> 8), char(height & 0xFF), char(width >> 8),
                         char(width & 0xFF)};
    jpeg.replace(sof + 5, 4, size, 4);
    return jpeg;
}

std::string decodeOutcome(const std::string& jpeg) {
    test::TempDir dir;
    test::writeFile(dir / "p.jpg", jpeg);
    try {
        const Bitmap bitmap = JpegPicture::load(dir / "p.jpg").decode();
        return std::to_string(bitmap.width) + "x" + std::to_string(bitmap.height);
    } catch (const Failure& failure) {
        return failure.what();
    }
}

} // namespace

// A damaged header can claim a picture far larger than any bitmap file can hold, or one that
// would fit but take gigabytes and seconds to decode from a file of a few hundred bytes. An 8K
// wallpaper and a wide panorama are still decoded.
TEST(JpegPicture, RefusesPicturesTooLargeToDecode) {
    for (const int side : {65500, 36000, 16384}) {
        SCOPED_TRACE(side);
        for (const bool progressive : {false, true})
            EXPECT_EQ(decodeOutcome(claimingSize(
                          {.width = 16, .height = 16, .progressive = progressive}, side, side)),
                      "JPEG error #41");
    }
    EXPECT_EQ(decodeOutcome(claimingSize({.gray = true}, 7680, 4320)), "7680x4320");
    EXPECT_EQ(decodeOutcome(claimingSize({.gray = true}, 16000, 4000)), "16000x4000");
}
