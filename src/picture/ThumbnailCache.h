#pragma once

#include "picture/Picture.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace zolvera::picture {

// A grid tile's image as the thumbnail cache gives it.
struct CachedTile {
    // The tile; null when the picture failed to decode before and has not changed since.
    QImage image;
    // Stores what was made on the way (the picture's thumbnail); empty when there is nothing to
    // store. Meant to run after the tile is shown: it writes a file.
    std::function<void()> store;
};

// The thumbnails shared by the user's programs (the freedesktop Thumbnail Managing Standard,
// version 0.9): a picture's 256-pixel thumbnail is large/<MD5 of its file URI>.png under the
// thumbnails folder, carrying the URI and the picture's modification time and size; a picture
// that failed is recorded under fail/<program>-<version>/. A thumbnail counts only while those
// match the picture, so a changed picture is thumbnailed again. Only the program's own failure
// records are read. Files are written whole (a temporary file renamed into place) with mode
// 0600, folders made with 0700. A cache that cannot be read or written changes nothing but the
// speed: the tile is decoded from the picture. Safe to use from several threads at once.
class ThumbnailCache {
public:
    static constexpr int kLargeSize = 256;

    // The thumbnails folder; version names this program's failure records and its Software
    // entry ("Zolvera <version>").
    ThumbnailCache(std::string folder, std::string version);
    // The user's: $XDG_CACHE_HOME/thumbnails, else ~/.cache/thumbnails.
    static ThumbnailCache ofUser(std::string version);

    // The picture stretched to a tile of the size: from its valid large thumbnail when there is
    // one that covers the size; otherwise decoded as decodeStretched does, with the thumbnail
    // made from the same decoding, to be stored afterwards. Throws as decodeStretched; a
    // picture that is damaged is recorded as failed first.
    CachedTile tile(const JpegPicture& picture, QSize size) const;

    // The thumbnail of the picture at most kLargeSize pixels on its longer side, aspect kept;
    // a smaller picture keeps its size.
    static QSize largeSize(int width, int height);
    // The picture's file URI as GLib writes it: absolute, its bytes percent-encoded but for the
    // unreserved characters and !$&'()*+,/:=@.
    static QByteArray fileUri(const std::string& path);
    // Where the picture's large thumbnail is.
    std::string largePath(const std::string& picturePath) const;
    // Where this program records that the picture failed.
    std::string failurePath(const std::string& picturePath) const;

private:
    struct Original;
    std::optional<Original> original(const std::string& path) const;
    QImage validThumbnail(const std::string& file, const Original& original) const;
    void store(const Original& original, const std::string& folder, const QImage& image) const;
    bool makeFolder(const std::string& folder) const;

    std::string folder_;
    std::string version_;
};

} // namespace zolvera::picture
