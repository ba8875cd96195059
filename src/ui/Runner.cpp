#include "ui/Runner.h"

#include <QApplication>
#include <QEventLoop>

#include <exception>
#include <optional>
#include <thread>

namespace zolvera::ui {

namespace {

// The busy cursor for as long as the work runs.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

void runOffThread(const std::function<void()>& work, WhileWorking input) {
    std::optional<BusyCursor> busy;
    if (input == WhileWorking::HoldInput)
        busy.emplace();
    std::exception_ptr failure;
    QEventLoop waiting;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // Held input stays queued, not dropped: it reaches the windows once the work has ended.
    waiting.exec(input == WhileWorking::HoldInput ? QEventLoop::ExcludeUserInputEvents
                                                  : QEventLoop::AllEvents);
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace zolvera::ui
