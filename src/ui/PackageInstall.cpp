#include "ui/PackageInstall.h"

#include "library/GroupLibrary.h"
#include "packages/InstallPackage.h"
#include "ui/Runner.h"
#include "ui/WorkProgress.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <exception>
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

} // namespace

void installPackage(QWidget* window, library::GroupLibrary& library,
                    const std::string& packagePath) {
    WorkerView view(library.view());
    // The worker's own copy, taken here: the window thread keeps the original meanwhile.
    library::GroupLibrary worker(library, view);
    WorkProgress progress(
        window,
        QCoreApplication::translate("PackageInstall", "A(z) \"%1\" csomag telepítése...")
            .arg(QFileInfo(QString::fromStdString(packagePath)).fileName()),
        QCoreApplication::translate("PackageInstall", "Csomag telepítése"));
    const packages::WorkControl control = progress.control();
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
