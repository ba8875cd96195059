#include "ui/PackageInstall.h"

#include "library/GroupLibrary.h"
#include "packages/InstallPackage.h"
#include "ui/Runner.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProgressDialog>

#include <atomic>
#include <exception>
#include <limits>
#include <optional>

namespace zolvera::ui {

namespace {

// The window's view as the worker's library sees it: questions and messages are put to the
// window on its own thread, and the group column is left to the window to rebuild afterwards.
class WorkerView : public library::LibraryView {
public:
    explicit WorkerView(library::LibraryView& window) : window_(window) {}

    void showInfo(const std::string& text) override {
        onWindowThread([&] { window_.showInfo(text); });
    }
    bool showConfirm(const std::string& text, const std::string& caption) override {
        bool yes = false;
        onWindowThread([&] { yes = window_.showConfirm(text, caption); });
        return yes;
    }
    std::optional<std::string> choosePicture() override {
        std::optional<std::string> chosen;
        onWindowThread([&] { chosen = window_.choosePicture(); });
        return chosen;
    }
    bool keepWaitingForLibrary() override {
        bool wait = false;
        onWindowThread([&] { wait = window_.keepWaitingForLibrary(); });
        return wait;
    }
    void clearGroupColumn() override {}
    void buildGroupColumn() override {}
    void displayGroup(int) override { groupAdded = true; }

    bool groupAdded = false;

private:
    template <typename Call> static void onWindowThread(Call call) {
        QMetaObject::invokeMethod(qApp, call, Qt::BlockingQueuedConnection);
    }

    library::LibraryView& window_;
};

// The install's progress in thousandths, with its stop button. It shows only when the runner
// shows it; stopping, by the button, the close box or Esc, is asked of the install, which ends
// at its next entry.
class InstallProgress : public QProgressDialog {
public:
    static constexpr int kSteps = 1000;

    InstallProgress(QWidget* window, const std::string& packagePath)
        : QProgressDialog(
              QCoreApplication::translate("PackageInstall", "A(z) \"%1\" csomag telepítése...")
                  .arg(QFileInfo(QString::fromStdString(packagePath)).fileName()),
              QCoreApplication::translate("PackageInstall", "Leállítás"), 0, kSteps, window) {
        setWindowTitle(QCoreApplication::translate("PackageInstall", "Csomag telepítése"));
        setAutoClose(false);
        setAutoReset(false);
        setMinimumDuration(std::numeric_limits<int>::max()); // the runner decides when it shows
        // Cancelling would hide the window at once, while the install still runs.
        disconnect(this, &QProgressDialog::canceled, this, &QProgressDialog::cancel);
        connect(this, &QProgressDialog::canceled, this, [this] { stop_ = true; });
        connect(this, &QDialog::rejected, this, [this] { stop_ = true; });
    }

    packages::InstallControl control() {
        return {.progress =
                    [this](std::size_t done, std::size_t total) {
                        const int steps = total == 0 ? kSteps : int(done * kSteps / total);
                        QMetaObject::invokeMethod(this, "setValue", Qt::QueuedConnection,
                                                  Q_ARG(int, steps));
                    },
                .stopRequested = [this] { return stop_.load(); }};
    }

private:
    std::atomic<bool> stop_{false};
};

} // namespace

void installPackage(QWidget* window, library::GroupLibrary& library,
                    const std::string& packagePath) {
    WorkerView view(library.view());
    // The worker's own copy, taken here: the window thread keeps the original meanwhile.
    library::GroupLibrary worker(library, view);
    InstallProgress progress(window, packagePath);
    const packages::InstallControl control = progress.control();
    std::exception_ptr failure;
    try {
        runOffThreadWithProgress([&] { packages::InstallPackage(worker, packagePath, control); },
                                 progress);
    } catch (...) {
        failure = std::current_exception();
    }
    // A package that failed after adding its group (entries left out) still shows it.
    if (view.groupAdded) {
        library.ReloadGroups();
        library.view().displayGroup(0);
    }
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace zolvera::ui
