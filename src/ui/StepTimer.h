#pragma once

#include <QObject>
#include <QTimer>

namespace zolvera::ui {

// A window timer as the slideshow uses it: enabled or not, with a period in milliseconds.
// Enabling it starts a full period; enabling it again while it runs changes nothing. A timer
// that ticks by hand never ticks by itself: time passes only through advance() and tick(), so
// tests step a show without waiting on the clock.
class StepTimer : public QObject {
    Q_OBJECT
public:
    enum class Ticks { FromEventLoop, ByHand };

    explicit StepTimer(Ticks ticks, QObject* parent = nullptr);

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // While enabled, a new period starts a fresh full period.
    void setInterval(int milliseconds);
    // By hand: lets the time pass as the clock would, with a tick at the end of each period
    // it completes. Nothing happens while the timer is disabled.
    void advance(int milliseconds);
    // By hand: lets the rest of the running period pass.
    void tick();

Q_SIGNALS:
    void timeout();

private:
    void startPeriod();

    QTimer clock_;
    Ticks ticks_;
    bool enabled_ = false;
    int interval_ = 0;
    int elapsed_ = 0; // by hand: the time passed in the running period
};

} // namespace zolvera::ui
