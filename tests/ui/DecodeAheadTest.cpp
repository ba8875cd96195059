#include "MainWindowFixture.h"
#include "OpenWindow.h"

#include "picture/BitmapImage.h"
#include "ui/DecodeAhead.h"
#include "ui/Dia.h"
#include "ui/ElidedLabel.h"
#include "ui/StretchedImage.h"

#include <QAction>
#include <QLabel>

#include <filesystem>
#include <functional>

namespace zolvera::test {
namespace {

// A slideshow whose timer ticks only by hand, closed with Esc after the scenario.
class DecodeAhead : public ::testing::Test {
protected:
    void show(const std::function<void(ui::Tfrm_dia&)>& scenario) {
        QTimer::singleShot(0, [&] {
            auto* window = openWindow<ui::Tfrm_dia>();
            ASSERT_NE(window, nullptr);
            scenario(*window);
            QTest::keyClick(window, Qt::Key_Escape);
        });
        ui::ShowSlideshow(nullptr, doubles.contextWith(dialogs), folder, "Tél",
                          ui::StepTimer::Ticks::ByHand);
        EXPECT_TRUE(dialogs.messages.empty());
    }

    std::string picture(int index) const {
        return folder + "/kep" + std::to_string(index) + ".jpg";
    }

    TempDir dir;
    std::string folder = dir / "Hatterek/Tél";
    ScriptedDialogs dialogs;
    WindowDoubles doubles;
};

// The step shows the picture prepared ahead: its file is gone by then, so a decoding at the step
// would fail. Forward, backward after F3 (the prepared forward one thrown away), and after a
// resize (prepared again for the new size).
TEST_F(DecodeAhead, AStepShowsThePicturePreparedInItsDirectionForTheCurrentSize) {
    for (int j = 0; j < 4; ++j)
        writeJpeg(folder + "/kep" + std::to_string(j) + ".jpg",
                  {.width = 800, .height = 600, .ringWidth = 5.0 + 10 * j});
    show([&](ui::Tfrm_dia& window) {
        const auto stepTo = [&](int index, QAction* action) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return window.Ahead->ready(); }, 10000));
            const std::string path = folder + "/" + window.pictures().at(index);
            // What a step that decodes shows.
            const QSize size = window.img->size();
            const QImage expected = picture::stretchBitmap(
                picture::JpegPicture::load(path).decodeToShow(size.width(), size.height()), size);
            std::filesystem::remove(path);
            action->trigger();
            EXPECT_EQ(window.index(), index);
            // Compared pixel by pixel: converting the whole image would spread it over Qt's
            // threads, which ThreadSanitizer cannot follow.
            const QImage shown = window.img->grab().toImage();
            ASSERT_EQ(shown.size(), size);
            int differing = 0;
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    differing += shown.pixel(x, y) != expected.pixel(x, y) ? 1 : 0;
            EXPECT_EQ(differing, 0);
        };
        stepTo(1, window.aKovetkezo);
        window.aElozo->trigger(); // back to kep0, decoded at the step
        stepTo(3, window.aElozo); // wrapped round backwards
        window.resize(window.size() + QSize(120, 80));
        stepTo(2, window.aElozo);
    });
}

// Closing the show while the next picture is being decoded waits for the decoding and drops it.
TEST_F(DecodeAhead, ClosingWhileTheNextPictureDecodesIsSafe) {
    writeJpeg(folder + "/kep0.jpg", {.width = 6000, .height = 4000, .grain = 20});
    writeJpeg(folder + "/kep1.jpg", {.width = 6000, .height = 4000, .grain = 20});
    show([&](ui::Tfrm_dia& window) { EXPECT_TRUE(window.Ahead->busy()); });
}

} // namespace
} // namespace zolvera::test
