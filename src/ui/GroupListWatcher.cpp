#include "ui/GroupListWatcher.h"

#include "platform/File.h"
#include "platform/FileSystem.h"

namespace zolvera::ui {

namespace {

std::optional<std::string> contentOf(const std::string& path) {
    try {
        return platform::readWholeFile(path);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace

GroupListWatcher::GroupListWatcher(std::string listPath, std::function<bool()> ready,
                                   QObject* parent)
    : QObject(parent), listPath_(std::move(listPath)), ready_(std::move(ready)),
      seen_(contentOf(listPath_)) {
    watcher_.addPath(QString::fromStdString(platform::folderPart(listPath_)));
    watchFile();
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &GroupListWatcher::check);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &GroupListWatcher::check);
    retry_.setSingleShot(true);
    retry_.setInterval(500);
    connect(&retry_, &QTimer::timeout, this, &GroupListWatcher::check);
}

void GroupListWatcher::acknowledge() {
    seen_ = contentOf(listPath_);
}

void GroupListWatcher::watchFile() {
    // The name on disk may differ in letter case from the one the program uses.
    const QString file = QString::fromStdString(platform::resolve(listPath_));
    if (!watcher_.files().contains(file) && platform::fileExists(listPath_))
        watcher_.addPath(file);
}

void GroupListWatcher::check() {
    watchFile();
    std::optional<std::string> now = contentOf(listPath_);
    if (now == seen_)
        return;
    if (!ready_()) {
        retry_.start();
        return;
    }
    seen_ = std::move(now);
    Q_EMIT changed();
}

} // namespace zolvera::ui
