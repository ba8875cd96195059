#include "ui/WorkProgress.h"

#include <limits>

namespace zolvera::ui {

WorkProgress::WorkProgress(QWidget* window, const QString& label, const QString& title)
    : QProgressDialog(label, tr("Leállítás"), 0, kSteps, window) {
    setWindowTitle(title);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumDuration(std::numeric_limits<int>::max()); // the runner decides when it shows
    // Cancelling would hide the window at once, while the operation still runs.
    disconnect(this, &QProgressDialog::canceled, this, &QProgressDialog::cancel);
    connect(this, &QProgressDialog::canceled, this, [this] { stop_ = true; });
    connect(this, &QDialog::rejected, this, [this] { stop_ = true; });
}

packages::WorkControl WorkProgress::control() {
    return {.progress =
                [this](std::size_t done, std::size_t total) {
                    const int steps = total == 0 ? kSteps : int(done * kSteps / total);
                    QMetaObject::invokeMethod(this, "setValue", Qt::QueuedConnection,
                                              Q_ARG(int, steps));
                },
            .stopRequested = [this] { return stop_.load(); }};
}

} // namespace zolvera::ui
