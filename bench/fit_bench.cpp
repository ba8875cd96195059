// Fitting a 4K photograph into a package entry, beside the one djpeg and cjpeg pass that makes
// the same result (decoded at the scale the fitting chose, encoded at its quality), so that
// the figure shows what the search for the scale and the quality costs. Each run is a child
// process, so its peak memory is its own.
#include "packages/PackFolder.h"
#include "packages/PackageFormat.h"
#include "picture/FitJpeg.h"

#include "BenchTools.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

namespace fs = std::filesystem;
using namespace zolvera;
using namespace zolvera::bench;

namespace {

constexpr int kRuns = 5;
constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A group of kGroupSize copies of the photograph packed with fitting, which fits several at once
// on a machine of several cores; the figure per picture compares with one fitting above.
void measurePacking(const std::string& work) {
    constexpr int kGroupSize = 8;
    const std::string group = work + "/Fotok";
    fs::create_directories(group);
    for (int i = 1; i <= kGroupSize; ++i)
        fs::copy_file(work + "/photo.jpg", group + "/foto" + std::to_string(i) + ".jpg");
    makeJpeg(work, 142, 100, group + "/init.jpg", false);
    const Run packing = median(
        kRuns, [] {},
        [&] {
            return inChild([&] {
                packages::PackFolder(group, work + "/Fotok.dta", packages::Oversized::Fit);
            });
        });
    std::printf("packing %d such grainy pictures, fitting them on %u cores: %.1f ms, %.1f ms per "
                "picture, %ld KB\n",
                kGroupSize, std::thread::hardware_concurrency(), packing.milliseconds,
                packing.milliseconds / kGroupSize, packing.peakKilobytes);
}

void measure(const std::string& work, const char* what, bool grain) {
    const std::string photo = work + "/photo.jpg";
    makeJpeg(work, kWidth, kHeight, photo, grain);
    const std::string original = readAll(photo);
    const picture::FittedJpeg fitted = picture::fitJpeg(original, packages::kMaxContentLength);

    const Run ours = median(
        kRuns, [] {},
        [&] {
            return inChild([&] {
                static_cast<void>(picture::fitJpeg(original, packages::kMaxContentLength));
            });
        });
    // One pass at the scale and quality found; the scale in eighths, as the fitting decodes.
    const int eighths = (fitted.width * 8 + kWidth - 1) / kWidth;
    const std::string ppm = work + "/photo.ppm";
    const Run decode = median(
        kRuns, [] {},
        [&] {
            return program(
                {"djpeg", "-scale", std::to_string(eighths) + "/8", "-outfile", ppm, photo});
        });
    const Run encode = median(
        kRuns, [] {},
        [&] {
            return program({"cjpeg", "-quality", std::to_string(fitted.quality), "-outfile",
                            work + "/out.jpg", ppm});
        });
    std::printf("%-7s %8zu -> %6zu bytes, %d x %d at quality %d\n", what, original.size(),
                fitted.bytes.size(), fitted.width, fitted.height, fitted.quality);
    std::printf("        zolvera %7.1f ms %7ld KB   djpeg -scale %d/8 + cjpeg %7.1f ms   %.2fx\n",
                ours.milliseconds, ours.peakKilobytes, eighths,
                decode.milliseconds + encode.milliseconds,
                ours.milliseconds / (decode.milliseconds + encode.milliseconds));
}

} // namespace

int main() {
    std::string work = (fs::temp_directory_path() / "zolvera-bench-XXXXXX").string();
    if (mkdtemp(work.data()) == nullptr)
        return 1;
    std::printf("a %d x %d picture fitted under %zu bytes, median of %d runs\n", kWidth, kHeight,
                packages::kMaxContentLength, kRuns);
    measure(work, "smooth", false);
    measure(work, "grainy", true);
    measurePacking(work);
    fs::remove_all(work);
    return 0;
}
