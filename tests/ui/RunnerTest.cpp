#include "ui/Runner.h"

#include <QApplication>
#include <QCursor>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace zolvera::ui {
namespace {

TEST(Runner, TheWindowThreadAnswersWithABusyCursorWhileTheWorkRunsAndGetsItsFailure) {
    std::atomic<bool> answered{false};
    bool busy = false;
    QTimer::singleShot(0, [&] {
        busy = QApplication::overrideCursor() != nullptr &&
               QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        answered = true;
    });
    // The work waits for the window thread's answer, which it gets only when that thread is not
    // blocked in the work.
    const std::thread::id windowThread = std::this_thread::get_id();
    EXPECT_THROW(runOffThread([&] {
                     EXPECT_NE(std::this_thread::get_id(), windowThread);
                     const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
                     while (!answered && std::chrono::steady_clock::now() < until)
                         std::this_thread::sleep_for(std::chrono::milliseconds(1));
                     throw std::runtime_error("kész");
                 }),
                 std::runtime_error);
    EXPECT_TRUE(answered);
    EXPECT_TRUE(busy);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(Runner, SlowWorkShowsItsProgressModalAndItsStopReachesTheWork) {
    QPushButton stop(QStringLiteral("Leállítás"));
    std::atomic<bool> stopped{false};
    QObject::connect(&stop, &QPushButton::clicked, [&] { stopped = true; });
    runOffThreadWithProgress([] {}, stop);
    EXPECT_FALSE(stop.isVisible()); // quick work shows nothing

    QTimer press;
    bool modal = false;
    press.callOnTimeout([&] {
        if (!stop.isVisible())
            return;
        modal = stop.windowModality() == Qt::ApplicationModal;
        stop.click();
    });
    press.start(10);
    runOffThreadWithProgress(
        [&] {
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!stopped && std::chrono::steady_clock::now() < until)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        },
        stop);
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(modal);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A progress window whose showing delivers the events posted meanwhile, as Qt's own showing of
// a window may, once the work has ended: the worker's wake then arrives before the loop learns
// that the progress shows.
class ProgressShownAsWorkEnds : public QWidget {
public:
    std::atomic<bool> showing{false};
    std::atomic<bool> workEnded{false};

protected:
    void showEvent(QShowEvent*) override {
        showing = true;
        while (!workEnded)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(50)); // the worker's wake is posted
        QCoreApplication::sendPostedEvents();
    }
};

TEST(Runner, WorkThatEndsAsItsProgressShowsEndsTheWait) {
    ProgressShownAsWorkEnds progress;
    // A lost wake would leave the window thread waiting for ever.
    QTimer watchdog;
    watchdog.callOnTimeout([] {
        ADD_FAILURE() << "the wait did not end with the work";
        std::abort();
    });
    watchdog.start(20000);
    runOffThreadWithProgress(
        [&] {
            while (!progress.showing)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            progress.workEnded = true;
        },
        progress);
    EXPECT_TRUE(progress.showing);
}

} // namespace
} // namespace zolvera::ui
