#include "picture/BitmapImage.h"
#include "support/JpegFixtures.h"
#include "support/TempDir.h"
#include "ui/ScrollBox.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace zolvera::test {
namespace {

// The program's decoding, counted and held back until the test lets it go.
class HeldDecodings {
public:
    ui::TileDecoder::Decode decode() {
        return [this](const picture::JpegPicture& picture, QSize size) {
            std::unique_lock lock(mutex_);
            widths_.push_back(picture.width());
            changed_.notify_all();
            changed_.wait(lock, [this] { return open_; });
            lock.unlock();
            return picture::CachedTile{picture::decodeStretched(picture, size), {}};
        };
    }
    int started() {
        const std::lock_guard lock(mutex_);
        return int(widths_.size());
    }
    // The width of the picture of the decoding that started nth, once it has started.
    std::optional<int> widthOfDecoding(int nth) {
        std::unique_lock lock(mutex_);
        if (!changed_.wait_for(lock, std::chrono::seconds(5),
                               [&] { return int(widths_.size()) > nth; }))
            return std::nullopt;
        return widths_[std::size_t(nth)];
    }
    void letGo() {
        {
            const std::lock_guard lock(mutex_);
            open_ = true;
        }
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
    std::vector<int> widths_;
};

// A picture grid on one decoding thread, whose decodings wait until the test lets them go.
class TileDecoding : public ::testing::Test {
protected:
    TempDir folder;
    HeldDecodings held;
    ui::ScrollBox box{QColor(192, 192, 192), 4};

    TileDecoding() {
        box.setTileDecoder(std::make_unique<ui::TileDecoder>(1, held.decode()));
        box.resize(603, 463);
    }
    ~TileDecoding() override { held.letGo(); } // the decoder waits for its thread

    // Shows tiles in rows of four, as the grid places them, with the pictures written for them.
    void showTiles(const std::string& prefix, int count, auto optionsOf) {
        for (int j = 0; j < count; ++j)
            writeJpeg(folder / (prefix + std::to_string(j) + ".jpg"), optionsOf(j));
        box.showTiles(count, [this, prefix](ui::Tile& tile) {
            tile.image()->load(folder / (prefix + std::to_string(tile.tag) + ".jpg"));
        });
    }

    std::vector<ui::PictureView*> inView() const {
        std::vector<ui::PictureView*> images;
        for (ui::Tile* tile : box.tiles())
            if (box.viewport()->rect().intersects(tile->geometry()))
                images.push_back(tile->image());
        return images;
    }

    bool inViewDecoded() const {
        const auto images = inView();
        return std::all_of(images.begin(), images.end(),
                           [](auto* image) { return image->isDecoded(); });
    }

    void showAndHoldTheFirstDecoding() {
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        ASSERT_TRUE(QTest::qWaitFor([&] { return held.started() == 1; }, 5000));
    }
};

QImage pixels(ui::PictureView& image) {
    return image.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST_F(TileDecoding, TilesScrolledOutOfViewBeforeTheirTurnAreNeverDecoded) {
    showTiles("kep", 40, [](int) { return JpegOptions{}; });
    showAndHoldTheFirstDecoding();
    const ui::PictureView* first = box.tile(0)->image();

    box.verticalScrollBar()->setValue(box.verticalScrollBar()->maximum());
    const auto last = inView();
    ASSERT_EQ(std::count(last.begin(), last.end(), first), 0);
    box.viewport()->repaint(); // the new view asks for its pictures
    EXPECT_EQ(box.tileDecoder()->queued(), last.size());
    held.letGo();
    ASSERT_TRUE(QTest::qWaitFor([&] { return inViewDecoded(); }, 5000));

    EXPECT_EQ(held.started(), 1 + int(last.size()));
    EXPECT_EQ(box.tile(0), nullptr); // its tile left with the view, before its result came
}

TEST_F(TileDecoding, AGroupReplacedWhileDecodingShowsOnlyTheNewPicturesWithTheSamePixels) {
    showTiles("regi", 8, [](int) { return JpegOptions{.width = 200, .height = 90, .cmyk = true}; });
    showAndHoldTheFirstDecoding();

    showTiles("uj", 6,
              [](int j) { return JpegOptions{.width = 300, .height = 200, .gray = j % 2 == 1}; });
    box.viewport()->repaint(); // the new tiles ask for their pictures
    held.letGo();
    // The old group's queued decodings were dropped: the next one is the new group's.
    EXPECT_EQ(held.widthOfDecoding(1), 300);
    // The old tiles are gone before the result of the decoding held for one of them arrives.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(QTest::qWaitFor([&] { return inViewDecoded(); }, 5000));

    EXPECT_EQ(held.started(), 1 + box.count());
    for (int j = 0; j < box.count(); ++j) {
        ui::PictureView* shown = box.tile(j)->image();
        EXPECT_EQ(pixels(*shown), picture::decodeStretched(
                                      picture::JpegPicture::load(shown->path()), shown->size()))
            << shown->path();
    }
}

// Two threads each hold a decoding and more wait in the queue: destroying the decoder decodes
// only the two, as no thread takes a queued picture while another one is being joined.
TEST(TileDecoder, DestructionDecodesOnlyWhatIsInProgress) {
    TempDir folder;
    writeJpeg(folder / "kep.jpg");
    HeldDecodings held;
    auto decoder = std::make_unique<ui::TileDecoder>(2, held.decode());
    for (int j = 0; j < 8; ++j)
        decoder->request(picture::JpegPicture::load(folder / "kep.jpg"), QSize(32, 24),
                         [](const ui::TileResult&) {});
    // The held decodings go on once the destructor has emptied the queue (or after a while,
    // so that a fault fails the test instead of hanging it).
    std::jthread release([&held, watched = decoder.get()] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (watched->queued() != 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        held.letGo();
    });
    ASSERT_TRUE(held.widthOfDecoding(1)); // both threads are decoding

    decoder.reset();
    EXPECT_EQ(held.started(), 2);
}

// With one thread and three pictures queued, the three tiles come before any thumbnail is
// stored, and every thumbnail is stored once no picture waits.
TEST(TileDecoder, ThumbnailsAreStoredOnceNoPictureWaits) {
    TempDir folder;
    writeJpeg(folder / "kep.jpg");
    std::mutex mutex;
    std::condition_variable changed;
    std::string order;
    std::promise<void> queued;
    ui::TileDecoder decoder(
        1, [&, start = queued.get_future().share()](const picture::JpegPicture&, QSize) {
            start.wait();
            const std::lock_guard lock(mutex);
            order += 'd';
            return picture::CachedTile{QImage(1, 1, QImage::Format_RGB32), [&] {
                                           const std::lock_guard stored(mutex);
                                           order += 's';
                                           changed.notify_all();
                                       }};
        });
    for (int j = 0; j < 3; ++j)
        decoder.request(picture::JpegPicture::load(folder / "kep.jpg"), QSize(32, 24),
                        [](const ui::TileResult&) {});
    queued.set_value();
    std::unique_lock lock(mutex);
    changed.wait_for(lock, std::chrono::seconds(10), [&] { return order.size() == 6; });
    EXPECT_EQ(order, "dddsss");
}

} // namespace
} // namespace zolvera::test
