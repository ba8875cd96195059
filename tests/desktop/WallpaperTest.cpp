#include "desktop/Wallpaper.h"
#include "desktop/ActiveDesktop.h"
#include "desktop/FileRegistry.h"
#include "platform/Failure.h"

#include "ScopedEnv.h"
#include "support/FileSizeLimit.h"
#include "support/JpegFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

namespace zolvera::desktop {
namespace {

using test::FileSizeLimit;
using test::readFile;
using test::writeFile;

constexpr char kShellFolders[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kDesktop[] = "\\Control Panel\\Desktop\\";
constexpr char kActiveDesktopClass[] = "\\CLSID\\{75048700-EF1F-11D0-9888-006097DEACF9}";

struct RecordingApplier : DesktopApplier {
    std::vector<std::string> calls;
    std::vector<WallpaperStyle> styles;
    void apply(const std::string& bitmapPath, WallpaperStyle style) override {
        calls.push_back(bitmapPath);
        styles.push_back(style);
    }
};

struct ActiveDesktopLog {
    int created = 0;
    std::vector<std::pair<std::u16string, std::uint32_t>> wallpapers;
    std::vector<std::uint32_t> applied;
};

struct RecordingActiveDesktop : ActiveDesktop {
    explicit RecordingActiveDesktop(ActiveDesktopLog& calls) : log(calls) { ++log.created; }
    void SetWallpaper(const std::u16string& path, std::uint32_t reserved) override {
        log.wallpapers.emplace_back(path, reserved);
    }
    void ApplyChanges(std::uint32_t flags) override { log.applied.push_back(flags); }
    ActiveDesktopLog& log;
};

std::uint32_t le32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + std::size_t(i)));
    return value;
}

class SetWallpaperTest : public ::testing::Test {
protected:
    SetWallpaperTest() {
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(
            WriteRegString(registry, kCurrentUser, kShellFolders, "Fonts", folder + "Fonts"));
        test::writeJpeg(picture, {.width = 64, .height = 48});
    }

    std::string wallpaperValue() {
        return ReadRegString(registry, kCurrentUser, kDesktop, "Wallpaper");
    }

    // Runs SetWallpaper and returns the failure text, "" when it succeeded.
    std::string setWallpaper(const std::string& path) {
        try {
            SetWallpaper(path, registry, applier, activeDesktopFactory);
            return "";
        } catch (const Failure& failure) {
            return failure.what();
        }
    }

    test::TempDir dir;
    FileRegistry registry{dir / "registry.reg"};
    std::string folder = dir / "Wíndows/";
    std::string bitmap = folder + "Zolvera.bmp";
    std::string copy = folder + "Zolvera.jpg";
    std::string picture = dir / "Hatterek/Tél/Hó.jpg";
    RecordingApplier applier;
    ActiveDesktopLog activeDesktop;
    ActiveDesktopFactory activeDesktopFactory = [this] {
        return std::make_unique<RecordingActiveDesktop>(activeDesktop);
    };
};

TEST_F(SetWallpaperTest, WindowsFolderIsTheParentOfFonts) {
    EXPECT_EQ(GetWindowsFolder(registry), folder);
    ASSERT_TRUE(WriteRegString(registry, kCurrentUser, kShellFolders, "Fonts", folder + "Fonts/"));
    EXPECT_EQ(GetWindowsFolder(registry), folder);
    ASSERT_TRUE(WriteRegString(registry, kCurrentUser, kShellFolders, "Fonts", "/Fonts"));
    EXPECT_EQ(GetWindowsFolder(registry), "/");

    // Without a usable entry: the user's data folder.
    test::ScopedEnv data("XDG_DATA_HOME", dir / "data");
    for (const char* entry : {"", "Fonts", "/"}) {
        ASSERT_TRUE(WriteRegString(registry, kCurrentUser, kShellFolders, "Fonts", entry));
        EXPECT_EQ(GetWindowsFolder(registry), dir / "data/") << entry;
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir / "data"));
}

TEST_F(SetWallpaperTest, WritesBitmapAndCopyRecordsAndApplies) {
    ASSERT_EQ(setWallpaper(picture), "");
    const auto colour = readFile(bitmap);
    ASSERT_GE(colour.size(), 54u);
    EXPECT_EQ(colour[28], 24);        // bits per pixel
    EXPECT_EQ(le32(colour, 10), 54u); // pixels right after the headers: no colour table
    EXPECT_EQ(readFile(copy), readFile(picture));
    EXPECT_EQ(wallpaperValue(), bitmap);
    EXPECT_EQ(applier.calls, std::vector<std::string>{bitmap});
    EXPECT_EQ(activeDesktop.created, 0); // not registered in the registry

    ASSERT_TRUE(WriteRegString(registry, kCurrentUser, kDesktop, "WallpaperStyle", "2"));

    test::writeJpeg(picture, {.width = 30, .height = 20, .gray = true});
    ASSERT_EQ(setWallpaper(picture), "");
    const auto gray = readFile(bitmap);
    ASSERT_GE(gray.size(), 54u);
    EXPECT_EQ(gray[28], 8);
    const auto colours = le32(gray, 46);
    EXPECT_GT(colours, 0u);
    EXPECT_EQ(le32(gray, 10), 54u + 4 * colours);
    EXPECT_EQ(readFile(copy), readFile(picture));
    EXPECT_EQ(applier.styles, (std::vector{WallpaperStyle::Centre, WallpaperStyle::Stretch}));
}

TEST_F(SetWallpaperTest, DiskFullWhileWritingKeepsTheEarlierWallpaper) {
    ASSERT_EQ(setWallpaper(picture), "");
    const auto earlierBitmap = readFile(bitmap);
    const auto earlierCopy = readFile(copy);
    ASSERT_TRUE(WriteRegString(registry, kCurrentUser, kDesktop, "Wallpaper", "/old.bmp"));
    test::writeJpeg(picture, {.width = 200, .height = 150}); // a bitmap of 90 KB
    {
        const FileSizeLimit limit(20000);
        EXPECT_EQ(setWallpaper(picture), "Cannot create file \"" + bitmap + "\". Disk full");
    }
    EXPECT_TRUE(readFile(bitmap) == earlierBitmap);
    EXPECT_TRUE(readFile(copy) == earlierCopy);
    EXPECT_EQ(wallpaperValue(), "/old.bmp");
    EXPECT_EQ(applier.calls.size(), 1u);
    const auto left = std::distance(std::filesystem::directory_iterator(folder),
                                    std::filesystem::directory_iterator());
    EXPECT_EQ(left, 2); // no cut file beside them
}

TEST_F(SetWallpaperTest, WallpaperValueEqualApartFromCaseIsLeftAlone) {
    std::string shouted = bitmap;
    for (auto& c : shouted)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    ASSERT_TRUE(WriteRegString(registry, kCurrentUser, kDesktop, "Wallpaper", shouted));
    ASSERT_EQ(setWallpaper(picture), "");
    ASSERT_EQ(setWallpaper(picture), "");
    EXPECT_EQ(wallpaperValue(), shouted);
    EXPECT_EQ(applier.calls, (std::vector<std::string>{bitmap, bitmap}));
}

TEST_F(SetWallpaperTest, ActiveDesktopGetsTheJpegCopyWhenRegistered) {
    ASSERT_TRUE(WriteRegString(registry, kClassesRoot, kActiveDesktopClass, "", "Active Desktop"));
    ASSERT_EQ(setWallpaper(picture), "");
    ASSERT_EQ(activeDesktop.wallpapers.size(), 1u);
    const std::u16string tempFolder(dir.path().begin(), dir.path().end()); // ASCII
    EXPECT_EQ(activeDesktop.wallpapers[0].first, tempFolder + u"/Wíndows/Zolvera.jpg");
    EXPECT_EQ(activeDesktop.wallpapers[0].second, 0u);
    EXPECT_EQ(activeDesktop.applied, std::vector<std::uint32_t>{15});
    EXPECT_EQ(applier.calls.size(), 1u);

    // Registered but no implementation: the failure stops the routine before the system call,
    // after the registry value was recorded.
    activeDesktopFactory = nullptr;
    ASSERT_TRUE(WriteRegString(registry, kCurrentUser, kDesktop, "Wallpaper", "/elsewhere.bmp"));
    EXPECT_EQ(setWallpaper(picture), "Class not registered");
    EXPECT_EQ(wallpaperValue(), bitmap);
    EXPECT_EQ(applier.calls.size(), 1u);
}

TEST_F(SetWallpaperTest, FailuresStopAtTheirStep) {
    writeFile(bitmap, "old bitmap");
    writeFile(copy, "old copy");
    ASSERT_TRUE(WriteRegString(registry, kCurrentUser, kDesktop, "Wallpaper", "/old.bmp"));
    const auto unchanged = [&] {
        EXPECT_EQ(readFile(bitmap), "old bitmap");
        EXPECT_EQ(readFile(copy), "old copy");
        EXPECT_EQ(wallpaperValue(), "/old.bmp");
        EXPECT_TRUE(applier.calls.empty());
    };

    const auto missing = dir / "Hatterek/Tél/nincs.jpg";
    EXPECT_EQ(setWallpaper(missing).rfind("Cannot open file \"" + missing + "\". ", 0), 0u);
    unchanged();

    const auto damaged = dir / "damaged.jpg";
    test::writeTruncatedJpeg(damaged, 40);
    EXPECT_EQ(setWallpaper(damaged).rfind("JPEG error #", 0), 0u);
    unchanged();

    // A non-string Wallpaper value ends the routine after the files were written.
    registry.createKey(kCurrentUser, "Control Panel\\Desktop")
        ->set("Wallpaper", {static_cast<std::uint32_t>(ValueType::Dword), std::string(4, '\0')});
    EXPECT_EQ(setWallpaper(picture), "Invalid data type for 'Wallpaper'");
    EXPECT_EQ(readFile(copy), readFile(picture));
    EXPECT_TRUE(applier.calls.empty());
}

TEST_F(SetWallpaperTest, ChoosingTheCopyItselfKeepsIt) {
    test::writeJpeg(copy);
    const auto bytes = readFile(copy);
    ASSERT_EQ(setWallpaper(copy), "");
    EXPECT_EQ(readFile(copy), bytes);
    EXPECT_EQ(applier.calls.size(), 1u);
}

} // namespace
} // namespace zolvera::desktop
