#pragma once

#include "packages/WorkControl.h"

#include <QProgressDialog>

#include <atomic>

namespace zolvera::ui {

// The progress of a long package operation, in thousandths, with its stop button, for
// runOffThreadWithProgress: it shows only when the runner shows it. Stopping, by the button, the
// close box or Esc, is asked of the operation through control(), which ends at its next entry.
class WorkProgress : public QProgressDialog {
    Q_OBJECT
public:
    WorkProgress(QWidget* window, const QString& label, const QString& title);

    // Reports reach the progress from the worker through its queued setValue slot.
    packages::WorkControl control();

private:
    static constexpr int kSteps = 1000;
    std::atomic<bool> stop_{false};
};

} // namespace zolvera::ui
