#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

namespace zolvera::bench {

// The event loop's longest stall: how late a 10 ms timer fires.
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
