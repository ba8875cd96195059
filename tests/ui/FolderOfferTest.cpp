#include "MainWindowFixture.h"

#include "ui/FolderOffer.h"

#include <QThread>

#include <filesystem>

namespace zolvera::test {
namespace {

using FolderOffer = MainWindowFixture;

// The copying runs on a worker and reports to the window thread; the empty text that ends the
// reports comes after every one still queued, so no stale count stays on the status bar.
TEST_F(FolderOffer, TheCopyingReportsToTheWindowThreadInOrderAndEndsWithAnEmptyText) {
    constexpr int kPictures = 60;
    for (int i = 0; i < kPictures; ++i)
        writeJpeg(home / ("in/Tajak/kep" + std::to_string(100 + i) + ".jpg"));
    writeGroupList({});
    std::filesystem::create_directory(home / "Hatterek");
    start();
    std::vector<QString> shown;
    bool offThread = false;
    ui::offerFolderAsGroup(window.get(), context, window->library(), home / "in/Tajak",
                           [&](const QString& text) {
                               offThread |= QThread::currentThread() != qApp->thread();
                               shown.push_back(text);
                           });
    QCoreApplication::processEvents();

    EXPECT_FALSE(offThread);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back(), QString());
    int before = 0;
    for (std::size_t i = 0; i + 1 < shown.size(); ++i) {
        const QStringList parts = shown[i].split(QLatin1Char(' '));
        ASSERT_EQ(parts.size(), 5) << shown[i].toStdString(); // "Képek másolása: 8 / 60"
        EXPECT_GT(parts[2].toInt(), before);
        EXPECT_EQ(parts[4].toInt(), kPictures);
        before = parts[2].toInt();
    }
    EXPECT_EQ(readFile(home / "Zolvera.lst"), "Tajak\r\n");
    EXPECT_EQ(ui().sbx2->count(), kPictures);
}

} // namespace
} // namespace zolvera::test
