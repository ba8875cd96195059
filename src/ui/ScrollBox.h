#pragma once

#include "ui/Tile.h"
#include "ui/TileDecoder.h"

#include <QAbstractScrollArea>

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <unordered_set>
#include <vector>

namespace zolvera::ui {

// A scroll area of tiles in rows, without a border, in a colour of its own: tile i stands at
// left (i mod columns) × 146 + 4 and top (i div columns) × 110 + 10 of the area, and the scroll
// range reaches the right and bottom edges of the last tiles. Only the tiles that stand at
// least partly in view exist as widgets: they are made when they come into view and destroyed
// when they leave it, so an area of a hundred thousand entries costs what its view costs.
// Positions of the tiles that exist are in the view's coordinates (the area's at the top).
//
// With a tile decoder its tiles' pictures are decoded off the window's thread, only for the
// tiles in view: scrolling drops the queued decodings of the tiles it moves out of view, and
// clearing drops all of them. A tile whose picture failed to decode stays blank when it comes
// back into view, without a second decoding or report.
class ScrollBox : public QAbstractScrollArea {
    Q_OBJECT
public:
    // Sets a new tile up for its entry (its index is the tile's tag): loads its picture, makes
    // its connections. May throw: the entry cannot be shown.
    using MakeTile = std::function<void(Tile& tile)>;

    static constexpr int kRowPitch = 110;
    static constexpr int kColumnPitch = 146;

    ScrollBox(const QColor& colour, int columns, QWidget* parent = nullptr);

    // The tiles made from now on decode their pictures through the decoder.
    void setTileDecoder(std::unique_ptr<TileDecoder> decoder);
    TileDecoder* tileDecoder() const { return decoder_.get(); }

    // Clears the area and shows count entries, making the tiles in view with make (later ones
    // as they come into view). When making a tile fails, the area ends before it: the tiles
    // before it stay. Here the failure is thrown; when the tile came into view later (a scroll,
    // a resize) it is announced through tileFailed.
    void showTiles(int count, MakeTile make);
    // Destroys every tile; the destruction waits for the event loop, since the handler that
    // clears the area may belong to one of its tiles.
    void clear();

    // The number of entries shown.
    int count() const { return count_; }
    // The tile of the entry when it is in view, otherwise nullptr.
    Tile* tile(int index) const;
    // The tiles in view, in entry order.
    std::vector<Tile*> tiles() const;
    // Where the entry's tile stands in the area.
    QPoint tilePosition(int index) const;

Q_SIGNALS:
    // A tile that came into view after showTiles could not be made; the area now ends before
    // it. Emitted from the event loop, after the scroll or resize that brought it into view.
    void tileFailed(const std::exception_ptr& failure);

protected:
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateScrollBars();
    // Makes the tiles that have come into view and destroys those that have left it, until
    // every tile in view is made; throws the last failure to make one, the area cut before it.
    void placeTiles();
    void placeTilesInView();
    // Places the tiles from a scroll or a resize, where a failure can only be announced.
    void followView();
    void makeTile(int index, QPoint at);
    void endBefore(int index);
    void retire(Tile* tile);

    int columns_;
    int count_ = 0;
    MakeTile make_;
    std::unique_ptr<TileDecoder> decoder_;
    std::map<int, Tile*> tiles_;          // the tiles in view, by entry
    std::unordered_set<int> undecodable_; // entries whose picture failed to decode
    bool placing_ = false;
};

} // namespace zolvera::ui
