#pragma once

#include <QObject>
#include <QTimer>

namespace zolvera::ui {

// A window timer as the slideshow uses it: enabled or not, with a period in milliseconds.
// Enabling it starts a full period; enabling it again while it runs changes nothing, and so
// does a tick delivered by hand to the period that is running. A timer that ticks by hand
// never ticks by itself, so tests step a show without waiting on the clock.
class StepTimer : public QObject {
    Q_OBJECT
public:
    enum class Ticks { FromEventLoop, ByHand };

    explicit StepTimer(Ticks ticks, QObject* parent = nullptr);

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    int interval() const { return interval_; }
    // While enabled, a new period starts a fresh full period.
    void setInterval(int milliseconds);
    // How many periods have begun: a count that tells a fresh period from one running on.
    int periodsStarted() const { return periodsStarted_; }
    // Ends the running period now, as the clock would: a tick, and the next period begins.
    // Nothing happens while the timer is disabled.
    void tick();

Q_SIGNALS:
    void timeout();

private:
    void startPeriod();

    QTimer clock_;
    Ticks ticks_;
    bool enabled_ = false;
    int interval_ = 0;
    int periodsStarted_ = 0;
};

} // namespace zolvera::ui
