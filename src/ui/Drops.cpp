#include "ui/Drops.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace zolvera::ui {

namespace {

using Kind = DroppedFiles::Kind;

Kind kindOf(const QFileInfo& file) {
    if (file.isDir())
        return Kind::Folder;
    if (!file.isFile())
        return Kind::Refused;
    const QString suffix = file.suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return Kind::Pictures;
    if (suffix == QLatin1String("dta"))
        return Kind::Packages;
    return Kind::Refused;
}

} // namespace

DroppedFiles droppedFiles(const QMimeData* data) {
    DroppedFiles dropped;
    if (data == nullptr || !data->hasUrls())
        return dropped;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        const QString path = url.toLocalFile();
        const Kind kind = kindOf(QFileInfo(path));
        if (kind == Kind::Refused || (!dropped.paths.isEmpty() && kind != dropped.kind))
            return {};
        dropped.kind = kind;
        dropped.paths << path;
    }
    // A folder becomes a group of its own: one at a time.
    if (dropped.kind == Kind::Folder && dropped.paths.size() > 1)
        return {};
    return dropped;
}

} // namespace zolvera::ui
