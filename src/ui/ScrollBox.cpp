#include "ui/ScrollBox.h"

#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace zolvera::ui {

namespace {

constexpr QPoint kOrigin(4, 10);

// One past the largest scroll position: a list too long for it shows the entries it reaches.
int clampedExtent(std::int64_t extent) {
    return int(std::min<std::int64_t>(extent, INT_MAX));
}

} // namespace

ScrollBox::ScrollBox(const QColor& colour, int columns, QWidget* parent)
    : QAbstractScrollArea(parent), columns_(columns) {
    setFrameShape(QFrame::NoFrame);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Window, colour);
    viewport()->setPalette(palette);
    viewport()->setBackgroundRole(QPalette::Window);
    viewport()->setAutoFillBackground(true);
    // As a scroll area with a widget steps.
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setSingleStep(20);
}

void ScrollBox::setTileDecoder(std::unique_ptr<TileDecoder> decoder) {
    decoder_ = std::move(decoder);
}

QPoint ScrollBox::tilePosition(int index) const {
    return kOrigin + QPoint(index % columns_ * kColumnPitch, index / columns_ * kRowPitch);
}

void ScrollBox::showTiles(int count, MakeTile make) {
    clear();
    count_ = count;
    updateScrollBars();
    make_ = std::move(make); // from now on a scroll or a resize makes tiles too
    placeTiles();
}

void ScrollBox::clear() {
    for (const auto& [index, tile] : tiles_)
        retire(tile);
    tiles_.clear();
    undecodable_.clear();
    count_ = 0;
    make_ = nullptr;
    updateScrollBars(); // back to the top: nothing is left to scroll
}

Tile* ScrollBox::tile(int index) const {
    const auto found = tiles_.find(index);
    return found == tiles_.end() ? nullptr : found->second;
}

std::vector<Tile*> ScrollBox::tiles() const {
    std::vector<Tile*> made;
    for (const auto& [index, tile] : tiles_)
        made.push_back(tile);
    return made;
}

void ScrollBox::updateScrollBars() {
    std::int64_t width = 0;
    std::int64_t height = 0;
    if (count_ > 0) {
        const std::int64_t rows = (std::int64_t(count_) - 1) / columns_ + 1;
        width = kOrigin.x() + std::int64_t(std::min(count_, columns_) - 1) * kColumnPitch +
                Tile::kWidth;
        height = kOrigin.y() + (rows - 1) * kRowPitch + Tile::kHeight;
    }
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0,
                                    clampedExtent(std::max<std::int64_t>(0, width - view.width())));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0,
                                  clampedExtent(std::max<std::int64_t>(0, height - view.height())));
    verticalScrollBar()->setPageStep(view.height());
}

void ScrollBox::placeTiles() {
    std::exception_ptr failure;
    placing_ = true;
    // Each failure ends the area earlier, which may scroll it back and bring other tiles into
    // view: the tiles are placed again until every one in view stands.
    for (;;) {
        try {
            placeTilesInView();
            break;
        } catch (...) {
            failure = std::current_exception();
        }
    }
    placing_ = false;
    if (failure)
        std::rethrow_exception(failure);
}

void ScrollBox::placeTilesInView() {
    const QPoint offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
    // The rows that stand at least partly between the view's top and bottom edges.
    const int top = offset.y() - kOrigin.y();
    const int firstRow = top < Tile::kHeight ? 0 : (top - Tile::kHeight) / kRowPitch + 1;
    const int bottom = offset.y() + viewport()->height() - 1 - kOrigin.y();
    const std::int64_t rowsInView = bottom < 0 ? 0 : std::int64_t(bottom) / kRowPitch + 1;
    const int first = int(std::min<std::int64_t>(std::int64_t(firstRow) * columns_, count_));
    const int end = int(std::min<std::int64_t>(rowsInView * columns_, count_));

    for (auto it = tiles_.begin(); it != tiles_.end();) {
        if (it->first >= first && it->first < end) {
            ++it;
            continue;
        }
        retire(it->second);
        it = tiles_.erase(it);
    }
    for (int index = first; index < end; ++index) {
        const QPoint at = tilePosition(index) - offset;
        if (Tile* made = tile(index))
            made->move(at);
        else
            makeTile(index, at);
    }
}

void ScrollBox::makeTile(int index, QPoint at) {
    auto made = std::make_unique<Tile>(index, at);
    PictureView* image = made->image();
    if (decoder_)
        image->setDecoder(decoder_.get());
    try {
        make_(*made);
    } catch (...) {
        endBefore(index);
        throw;
    }
    if (undecodable_.contains(index))
        image->stayBlank();
    else
        connect(image, &PictureView::decodeFailed, this,
                [this, index] { undecodable_.insert(index); });
    made->setParent(viewport());
    made->show();
    tiles_.emplace(index, made.release());
}

void ScrollBox::endBefore(int index) {
    count_ = index;
    for (auto it = tiles_.lower_bound(index); it != tiles_.end(); it = tiles_.erase(it))
        retire(it->second);
    updateScrollBars();
}

void ScrollBox::retire(Tile* tile) {
    tile->image()->dropPendingDecode();
    tile->hide();
    tile->deleteLater();
}

void ScrollBox::followView() {
    if (placing_ || !make_)
        return;
    try {
        placeTiles();
    } catch (...) {
        // Reported outside the scroll or resize: a message box opened in the middle of a
        // scroll bar's drag would leave the drag half done.
        QTimer::singleShot(
            0, this, [this, failure = std::current_exception()] { Q_EMIT tileFailed(failure); });
    }
}

void ScrollBox::scrollContentsBy(int dx, int dy) {
    QAbstractScrollArea::scrollContentsBy(dx, dy);
    followView();
    // Only the tiles in view are decoded, and those that the newest view brings in (asked for
    // when they are painted) first.
    if (decoder_)
        decoder_->beginView();
}

void ScrollBox::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    followView();
}

} // namespace zolvera::ui
