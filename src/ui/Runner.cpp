#include "ui/Runner.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <exception>
#include <optional>
#include <thread>

namespace zolvera::ui {

namespace {

// Why the window thread's wait on the worker returned, besides the work's end.
enum Wake { ProgressShown = 1, ProgressHidden };

// How long work runs before its progress window shows: quick work shows nothing.
constexpr std::chrono::milliseconds kProgressDelay{400};

// The busy cursor for as long as the work runs.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Runs work on a worker thread while `wait` runs the window thread's events on the loop until
// `ended`; rethrows what work threw. The worker sets `ended`, then wakes the loop: a wake that
// arrives while the loop is between two runs is lost, which the flag makes harmless.
void runWorker(const std::function<void()>& work,
               const std::function<void(QEventLoop&, const std::atomic<bool>&)>& wait) {
    std::exception_ptr failure;
    std::atomic<bool> ended{false};
    QEventLoop waiting;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        ended = true;
        QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
    });
    wait(waiting, ended);
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

// Ends the wait when the progress window is hidden (its close box), so that input is held
// again: without its modality the other windows would take input while the work still runs.
class HideWatch : public QObject {
public:
    HideWatch(QWidget& progress, QEventLoop& waiting) : waiting_(waiting) {
        progress.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide)
            waiting_.exit(ProgressHidden);
        return false;
    }

private:
    QEventLoop& waiting_;
};

} // namespace

void runOffThread(const std::function<void()>& work, WhileWorking input) {
    std::optional<BusyCursor> busy;
    if (input == WhileWorking::HoldInput)
        busy.emplace();
    // Held input stays queued, not dropped: it reaches the windows once the work has ended.
    runWorker(work, [input](QEventLoop& waiting, const std::atomic<bool>& ended) {
        while (!ended)
            waiting.exec(input == WhileWorking::HoldInput ? QEventLoop::ExcludeUserInputEvents
                                                          : QEventLoop::AllEvents);
    });
}

void runOffThreadWithProgress(const std::function<void()>& work, QWidget& progress) {
    runWorker(work, [&progress](QEventLoop& waiting, const std::atomic<bool>& ended) {
        std::optional<BusyCursor> busy(std::in_place);
        QTimer::singleShot(kProgressDelay, &waiting, [&] {
            progress.setWindowModality(Qt::ApplicationModal);
            progress.show();
            waiting.exit(ProgressShown);
        });
        const HideWatch watch(progress, waiting);
        while (!ended) {
            switch (
                waiting.exec(busy ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents)) {
            case ProgressShown:
                busy.reset();
                break;
            case ProgressHidden:
                busy.emplace();
                break;
            default:
                break;
            }
        }
    });
}

} // namespace zolvera::ui
