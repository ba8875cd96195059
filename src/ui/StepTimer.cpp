#include "ui/StepTimer.h"

namespace zolvera::ui {

StepTimer::StepTimer(Ticks ticks, QObject* parent) : QObject(parent), ticks_(ticks) {
    connect(&clock_, &QTimer::timeout, this, &StepTimer::timeout);
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

void StepTimer::advance(int milliseconds) {
    // The handler of a tick may stop the timer or start a new period.
    while (enabled_ && elapsed_ + milliseconds >= interval_) {
        milliseconds -= interval_ - elapsed_;
        startPeriod();
        Q_EMIT timeout();
        if (interval_ <= 0)
            return; // a period of no length ticks once, not forever
    }
    if (enabled_)
        elapsed_ += milliseconds;
}

void StepTimer::tick() {
    advance(interval_ - elapsed_);
}

void StepTimer::startPeriod() {
    elapsed_ = 0;
    if (ticks_ == Ticks::FromEventLoop)
        clock_.start(interval_);
}

} // namespace zolvera::ui
