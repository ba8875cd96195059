#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>

namespace zolvera::bench {

// The event loop's longest stall on this thread: how late a 10 ms timer fires, the longest
// time an event (a repaint, the desktop's ping) waited for the loop.
class StallProbe {
public:
    static constexpr int kProbeMs = 10;

    StallProbe() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(kProbeMs);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    }
    void start() {
        longest_ = 0;
        since_.start();
        timer_.start();
    }
    // The longest stall since start, in milliseconds.
    double stop() {
        tick();
        timer_.stop();
        return longest_;
    }

private:
    void tick() {
        longest_ = std::max(longest_, double(since_.nsecsElapsed()) / 1e6 - kProbeMs);
        since_.start();
    }

    QTimer timer_;
    QElapsedTimer since_;
    double longest_ = 0;
};

} // namespace zolvera::bench
