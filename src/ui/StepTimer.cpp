#include "ui/StepTimer.h"

namespace zolvera::ui {

StepTimer::StepTimer(Ticks ticks, QObject* parent) : QObject(parent), ticks_(ticks) {
    connect(&clock_, &QTimer::timeout, this, [this] {
        ++periodsStarted_; // a repeating QTimer has already begun the next period
        Q_EMIT timeout();
    });
}

void StepTimer::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (enabled)
        startPeriod();
    else
        clock_.stop();
}

void StepTimer::setInterval(int milliseconds) {
    interval_ = milliseconds;
    if (enabled_)
        startPeriod();
}

void StepTimer::tick() {
    if (!enabled_)
        return;
    startPeriod();
    Q_EMIT timeout();
}

void StepTimer::startPeriod() {
    ++periodsStarted_;
    if (ticks_ == Ticks::FromEventLoop)
        clock_.start(interval_);
}

} // namespace zolvera::ui
