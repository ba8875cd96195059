#include "picture/ThumbnailCache.h"

#include "picture/BitmapImage.h"
#include "picture/PngFile.h"
#include "platform/UserFolders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace zolvera::picture {

namespace {

QString fileName(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// The path made absolute, without "." and ".." parts or doubled separators, as GLib makes it
// before turning it into a URI; empty when the working folder is gone.
std::string absolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? std::string() : absolute.lexically_normal().string();
}

} // namespace

// The picture's file as the cache keys it.
struct ThumbnailCache::Original {
    QByteArray uri;
    std::string name;    // the thumbnail's file name
    qint64 modified = 0; // seconds since the epoch, as stat gives them
    qint64 size = 0;
};

ThumbnailCache::ThumbnailCache(std::string folder, std::string version)
    : folder_(absolutePath(folder)), version_(std::move(version)) {
    if (folder_.size() > 1 && folder_.back() == '/')
        folder_.pop_back();
}

ThumbnailCache ThumbnailCache::ofUser(std::string version) {
    return {platform::userBaseFolder("XDG_CACHE_HOME", "/.cache") + "/thumbnails",
            std::move(version)};
}

QSize ThumbnailCache::largeSize(int width, int height) {
    const int longer = std::max(width, height);
    if (longer <= kLargeSize)
        return {width, height};
    const auto side = [longer](int length) {
        return std::max(1, int((std::int64_t(length) * kLargeSize + longer / 2) / longer));
    };
    return {side(width), side(height)};
}

QByteArray ThumbnailCache::fileUri(const std::string& path) {
    return "file://" +
           QUrl::toPercentEncoding(QByteArray::fromStdString(absolutePath(path)), "!$&'()*+,/:=@");
}

std::string ThumbnailCache::largePath(const std::string& picturePath) const {
    const std::optional<Original> found = original(picturePath);
    return found ? folder_ + "/large/" + found->name : std::string();
}

std::string ThumbnailCache::failurePath(const std::string& picturePath) const {
    const std::optional<Original> found = original(picturePath);
    return found ? folder_ + "/fail/zolvera-" + version_ + "/" + found->name : std::string();
}

std::optional<ThumbnailCache::Original> ThumbnailCache::original(const std::string& path) const {
    const std::string absolute = absolutePath(path);
    // The cache's own pictures get no thumbnails: a file manager showing them would otherwise
    // add thumbnails of thumbnails without end.
    if (folder_.empty() || absolute.empty() || absolute.starts_with(folder_ + "/"))
        return std::nullopt;
    const QFileInfo info(fileName(absolute));
    if (!info.isFile())
        return std::nullopt;
    Original found;
    found.uri = fileUri(absolute);
    found.name =
        QCryptographicHash::hash(found.uri, QCryptographicHash::Md5).toHex().toStdString() + ".png";
    found.modified = info.lastModified().toSecsSinceEpoch();
    found.size = info.size();
    return found;
}

QImage ThumbnailCache::validThumbnail(const std::string& file, const Original& original) const {
    QImage thumbnail(fileName(file), "png");
    bool knowsTime = false;
    const qint64 modified = thumbnail.text(QStringLiteral("Thumb::MTime")).toLongLong(&knowsTime);
    if (thumbnail.text(QStringLiteral("Thumb::URI")).toLatin1() != original.uri || !knowsTime ||
        modified != original.modified)
        return QImage();
    if (const QString size = thumbnail.text(QStringLiteral("Thumb::Size"));
        !size.isEmpty() && size != QString::number(original.size))
        return QImage();
    return thumbnail;
}

CachedTile ThumbnailCache::tile(const JpegPicture& picture, QSize size) const {
    const std::optional<Original> found = original(picture.path());
    if (!found)
        return {decodeStretched(picture, size), {}};
    const QSize pictureSize(picture.width(), picture.height());
    if (const QImage thumbnail = validThumbnail(folder_ + "/large/" + found->name, *found);
        !thumbnail.isNull()) {
        // A thumbnail smaller than the tile (a panorama's is only a strip) would show blurred.
        if ((thumbnail.width() >= size.width() && thumbnail.height() >= size.height()) ||
            thumbnail.size() == pictureSize)
            return {stretchImage(thumbnail, size), {}};
        return {decodeStretched(picture, size), {}};
    }
    const std::string failures = folder_ + "/fail/zolvera-" + version_;
    if (!validThumbnail(failures + "/" + found->name, *found).isNull())
        return {};
    const std::string large = folder_ + "/large";
    if (!makeFolder(large))
        return {decodeStretched(picture, size), {}};
    try {
        auto [tile, thumbnail] =
            decodeStretched(picture, size, largeSize(pictureSize.width(), pictureSize.height()));
        return {std::move(tile),
                [cache = *this, original = *found, large, image = std::move(thumbnail)] {
                    cache.store(original, large, image);
                }};
    } catch (const DamagedPicture&) {
        if (makeFolder(failures)) {
            QImage mark(1, 1, QImage::Format_RGB888);
            mark.fill(Qt::black);
            store(*found, failures, mark);
        }
        throw;
    }
}

void ThumbnailCache::store(const Original& original, const std::string& folder,
                           const QImage& image) const {
    std::string bytes;
    try {
        bytes = pngBytes(image, {{"Thumb::URI", original.uri.toStdString()},
                                 {"Thumb::MTime", std::to_string(original.modified)},
                                 {"Thumb::Size", std::to_string(original.size)},
                                 {"Thumb::Mimetype", "image/jpeg"},
                                 {"Software", "Zolvera " + version_}});
    } catch (const Failure&) {
        return; // no memory for it: the picture is decoded again next time
    }
    // Written whole beside its name and renamed into place, so that a reader never sees half
    // a thumbnail; a failure leaves no file.
    QSaveFile file(fileName(folder + "/" + original.name));
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        return;
    static_cast<void>(file.commit()); // a cache that cannot take it goes without
}

bool ThumbnailCache::makeFolder(const std::string& folder) const {
    const QFileInfo info(fileName(folder));
    if (info.isDir())
        return info.isWritable();
    const std::string parent = std::filesystem::path(folder).parent_path().string();
    if (parent == folder || !makeFolder(parent))
        return false;
    // Another thread may make it at the same moment.
    return QDir().mkdir(info.filePath(),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner) ||
           QFileInfo(info.filePath()).isDir();
}

} // namespace zolvera::picture
