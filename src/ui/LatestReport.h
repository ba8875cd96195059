#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <mutex>

namespace zolvera::ui {

// Hands the newest of a worker's text reports to the thread that owns this object, where show
// runs with it: the worker posts as often as it likes, at most one delivery waits in the event
// queue, and a delivery still waiting when the object goes away is dropped. A named slot and a
// lock, not a queued functor, which ThreadSanitizer cannot follow through Qt's event queue.
class LatestReport : public QObject {
    Q_OBJECT
public:
    explicit LatestReport(std::function<void(const QString&)> show);

    // From any thread.
    void post(const QString& text);

private:
    Q_INVOKABLE void deliver();

    std::function<void(const QString&)> show_;
    std::mutex mutex_;
    QString latest_;
    bool pending_ = false;
};

} // namespace zolvera::ui
