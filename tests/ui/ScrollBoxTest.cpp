#include "ui/ScrollBox.h"
#include "platform/Failure.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace zolvera::test {
namespace {

// A picture grid's area, of the grid's size and on screen, that records the tiles it makes.
class ScrollBoxTest : public ::testing::Test {
protected:
    ui::ScrollBox box{QColor(192, 192, 192), 4};
    std::vector<int> made;

    void SetUp() override {
        box.resize(603, 463);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    }

    // Shows count entries; making the tile of the entry failing fails.
    void showTiles(int count, int failing = -1) {
        box.showTiles(count, [this, failing](ui::Tile& tile) {
            if (tile.tag == failing)
                throw Failure("JPEG error #53");
            made.push_back(tile.tag);
        });
    }

    void scrollToTheBottom() {
        QScrollBar* bar = box.verticalScrollBar();
        bar->setValue(bar->maximum());
    }
};

TEST_F(ScrollBoxTest, AHundredThousandEntriesMakeOnlyTheTilesInView) {
    showTiles(100'000);
    EXPECT_EQ(box.count(), 100'000);
    EXPECT_EQ(made.size(), 20u); // five rows of four stand in the 463 pixels
    EXPECT_EQ(box.tile(19)->pos(), QPoint(442, 450));

    scrollToTheBottom();
    EXPECT_EQ(made.size(), 40u);
    EXPECT_EQ(box.tile(0), nullptr);
    // The last row ends at the view's bottom edge.
    EXPECT_EQ(box.tile(99'999)->pos(), QPoint(442, 463 - ui::Tile::kHeight));
    EXPECT_EQ(box.tile(99'999)->image()->tag, 99'999);
    EXPECT_EQ(box.tiles().size(), 20u);
}

TEST_F(ScrollBoxTest, AnEntryThatFailsWhenScrolledIntoViewEndsTheAreaAndIsAnnounced) {
    QSignalSpy failed(&box, &ui::ScrollBox::tileFailed);
    showTiles(100, 90);
    scrollToTheBottom();
    ASSERT_TRUE(failed.wait(5000));

    EXPECT_EQ(box.count(), 90);
    EXPECT_EQ(box.tile(89)->pos(), QPoint(150, 463 - ui::Tile::kHeight));
    try {
        std::rethrow_exception(failed.at(0).at(0).value<std::exception_ptr>());
    } catch (const Failure& failure) {
        EXPECT_STREQ(failure.what(), "JPEG error #53");
    }
    EXPECT_EQ(failed.count(), 1);
}

} // namespace
} // namespace zolvera::test
