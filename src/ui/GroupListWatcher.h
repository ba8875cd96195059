#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>

namespace zolvera::ui {

// Tells when the group list file holds something new on disk: another process, a file manager
// or a restore from a backup changed it. The file and its folder are both watched, since a file
// replaced atomically is a new file that the old watch no longer sees. Changes are reported
// only when ready() allows a reload; until then they are looked at again every half second.
class GroupListWatcher : public QObject {
    Q_OBJECT
public:
    GroupListWatcher(std::string listPath, std::function<bool()> ready, QObject* parent = nullptr);

    // The file as it is now is the one shown: what led to it is not reported.
    void acknowledge();

Q_SIGNALS:
    void changed();

private:
    void check();
    void watchFile();

    std::string listPath_;
    std::function<bool()> ready_;
    std::optional<std::string> seen_; // the file's bytes when last shown; none when missing
    QFileSystemWatcher watcher_;
    QTimer retry_;
};

} // namespace zolvera::ui
