#include "picture/ThumbnailCache.h"
#include "picture/BitmapImage.h"

#include "support/JpegFixtures.h"
#include "support/TempDir.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <filesystem>

namespace zolvera::picture {
namespace {

constexpr QSize kTile(138, 96);

QFileDevice::Permissions ownerOnly(bool folder) {
    QFileDevice::Permissions mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    return folder ? mode | QFileDevice::ExeOwner : mode;
}

QFileDevice::Permissions modeOf(const std::string& path) {
    // Qt reports the owner's bits twice, as owner and as this user's.
    return QFile::permissions(QString::fromStdString(path)) &
           ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
}

// A picture changed after its thumbnail was made: new pixels, a later modification time.
void changePicture(const std::string& path, const test::JpegOptions& options) {
    test::writeJpeg(path, options);
    const auto later = std::filesystem::last_write_time(path) + std::chrono::seconds(10);
    std::filesystem::last_write_time(path, later);
}

// GLib judges the thumbnail in its own cache folder, as file managers do.
TEST(ThumbnailCache, AThumbnailItWritesIsValidForGLibWithThePrivateModes) {
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    test::TempDir dir;
    // Characters GLib's URI leaves as they are and those it encodes.
    const std::string picture = dir / "Csoport ;#% (1)/Kép&[x]~.jpg";
    test::writeJpeg(picture, {.width = 3840, .height = 2160, .grain = 8});
    const ThumbnailCache cache(dir / "cache/thumbnails", "9.9");
    const JpegPicture loaded = JpegPicture::load(picture);

    const CachedTile made = cache.tile(loaded, kTile);
    // The first showing is the tile decoded as it always was.
    EXPECT_EQ(made.image, decodeStretched(loaded, kTile));
    ASSERT_TRUE(made.store);
    made.store();

    const std::string thumbnail = cache.largePath(picture);
    EXPECT_EQ(QImage(QString::fromStdString(thumbnail)).size(), QSize(256, 144));
    EXPECT_EQ(modeOf(thumbnail), ownerOnly(false));
    EXPECT_EQ(modeOf(dir / "cache/thumbnails/large"), ownerOnly(true));
    EXPECT_EQ(modeOf(dir / "cache/thumbnails"), ownerOnly(true));
    EXPECT_FALSE(cache.tile(loaded, kTile).store) << "a valid thumbnail is not made again";

    if (gio.isEmpty())
        GTEST_SKIP() << "gio is not installed (libglib2.0-bin)";
    QProcess info;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), QString::fromStdString(dir / "cache"));
    environment.insert(QStringLiteral("GIO_USE_VFS"), QStringLiteral("local"));
    info.setProcessEnvironment(environment);
    info.start(gio, {QStringLiteral("info"), QStringLiteral("-a"),
                     QStringLiteral("thumbnail::path,thumbnail::is-valid"),
                     QFile::decodeName(QByteArray::fromStdString(picture))});
    ASSERT_TRUE(info.waitForFinished(30000));
    const QString output = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(output.contains(QStringLiteral("thumbnail::is-valid: TRUE")))
        << output.toStdString();
}

// Another program's valid thumbnail makes the tile; once the picture changes it no longer
// counts, and the picture's own decoding makes the tile and a new thumbnail.
TEST(ThumbnailCache, UsesAValidThumbnailUntilThePictureChanges) {
    test::TempDir dir;
    const std::string picture = dir / "kep.jpg";
    test::writeJpeg(picture, {.width = 1920, .height = 1080});
    const ThumbnailCache cache(dir / "thumbnails", "9.9");
    QImage theirs(256, 144, QImage::Format_RGB32);
    theirs.fill(Qt::green);
    theirs.setText(QStringLiteral("Thumb::URI"),
                   QString::fromLatin1(ThumbnailCache::fileUri(picture)));
    theirs.setText(
        QStringLiteral("Thumb::MTime"),
        QString::number(
            QFileInfo(QString::fromStdString(picture)).lastModified().toSecsSinceEpoch()));
    std::filesystem::create_directories(dir / "thumbnails/large");
    ASSERT_TRUE(theirs.save(QString::fromStdString(cache.largePath(picture)), "png"));

    const CachedTile fromTheirs = cache.tile(JpegPicture::load(picture), kTile);
    EXPECT_EQ(fromTheirs.image.pixel(70, 50), QColor(Qt::green).rgb());
    EXPECT_FALSE(fromTheirs.store);

    changePicture(picture, {.width = 1920, .height = 1080, .ringWidth = 20});
    const JpegPicture changed = JpegPicture::load(picture);
    const CachedTile decoded = cache.tile(changed, kTile);
    EXPECT_NE(decoded.image.pixel(70, 50), QColor(Qt::green).rgb());
    ASSERT_TRUE(decoded.store);
    decoded.store();
    const CachedTile again = cache.tile(changed, kTile);
    EXPECT_FALSE(again.store);
    EXPECT_NE(again.image.pixel(70, 50), QColor(Qt::green).rgb());
}

// A damaged picture is recorded under the program's failure folder and not decoded again
// until it changes.
TEST(ThumbnailCache, ADamagedPictureIsNotDecodedAgainUntilItChanges) {
    test::TempDir dir;
    const std::string picture = dir / "kep.jpg";
    // A scan repeated by the hundred: the header loads, the decoding fails.
    std::string jpeg = test::jpegBytes({.progressive = true});
    const std::size_t lastScan = jpeg.rfind("\xFF\xDA");
    const std::string scan = jpeg.substr(lastScan, jpeg.size() - 2 - lastScan);
    for (int i = 0; i < 100; ++i)
        jpeg.insert(jpeg.size() - 2, scan);
    test::writeFile(picture, jpeg);
    const ThumbnailCache cache(dir / "thumbnails", "9.9");

    EXPECT_THROW(cache.tile(JpegPicture::load(picture), kTile), DamagedPicture);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(cache.failurePath(picture))));
    const CachedTile known = cache.tile(JpegPicture::load(picture), kTile);
    EXPECT_TRUE(known.image.isNull());
    EXPECT_FALSE(known.store);

    changePicture(picture, {});
    EXPECT_FALSE(cache.tile(JpegPicture::load(picture), kTile).image.isNull());
}

// A cache that cannot be made (its folder's place is a file) and a picture inside the cache
// itself: the tile is exactly the one decoded without a cache, and nothing is stored.
TEST(ThumbnailCache, WithoutAUsableCacheTheTileIsDecodedAsWithoutOne) {
    test::TempDir dir;
    test::writeFile(dir / "cache", "not a folder");
    test::writeJpeg(dir / "kep.jpg", {.width = 1920, .height = 1080});
    test::writeJpeg(dir / "thumbnails/large/kep.jpg", {.width = 1920, .height = 1080});
    const std::pair<ThumbnailCache, std::string> cases[] = {
        {ThumbnailCache(dir / "cache/thumbnails", "9.9"), dir / "kep.jpg"},
        {ThumbnailCache(dir / "thumbnails", "9.9"), dir / "thumbnails/large/kep.jpg"},
    };
    for (const auto& [cache, picture] : cases) {
        SCOPED_TRACE(picture);
        const JpegPicture loaded = JpegPicture::load(picture);
        const CachedTile tile = cache.tile(loaded, kTile);
        EXPECT_EQ(tile.image, decodeStretched(loaded, kTile));
        EXPECT_FALSE(tile.store);
    }
}

} // namespace
} // namespace zolvera::picture
