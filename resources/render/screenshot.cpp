// zolvera-screenshot LIBRARY OUT.png: shows the main window on a library without a display,
// waits until every cover and thumbnail is decoded and saves the window as the picture that
// software centres show. The registry store is a file beside the picture, never the user's.

#include "desktop/FileRegistry.h"
#include "ui/Main.h"
#include "ui/PictureView.h"
#include "ui/QtDialogs.h"
#include "ui/ScrollBox.h"
#include "ui/Tile.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

bool everyTileDecoded(const zolvera::ui::MainLayout& layout) {
    for (const zolvera::ui::ScrollBox* box : {layout.sbx1, layout.sbx2})
        for (int i = 0; i < box->count(); ++i)
            if (!box->tile(i)->image()->isDecoded())
                return false;
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: zolvera-screenshot LIBRARY OUT.png\n");
        return 2;
    }
    const QString picture = QString::fromLocal8Bit(argv[2]);
    zolvera::ui::QtDialogs dialogs;
    zolvera::desktop::FileRegistry registry((picture + QStringLiteral(".reg")).toStdString());
    zolvera::ui::Tfrm_Main window(argv[1], dialogs, registry);
    window.show();

    // The decodings finish on other threads and post their results; the timer only wakes the
    // loop to look at the deadline.
    QTimer wake;
    wake.start(100);
    const QDeadlineTimer deadline(60000);
    do
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    while (!(window.firstShown() && everyTileDecoded(window.controls())) && !deadline.hasExpired());
    if (deadline.hasExpired()) {
        std::fprintf(stderr, "zolvera-screenshot: the pictures were not decoded in time\n");
        return 1;
    }
    if (!window.grab().save(picture, "png")) {
        std::fprintf(stderr, "zolvera-screenshot: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
