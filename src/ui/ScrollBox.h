#pragma once

#include "ui/Tile.h"
#include "ui/TileDecoder.h"

#include <QScrollArea>

#include <memory>
#include <vector>

namespace zolvera::ui {

// A scroll area of tiles, without a border, in a colour of its own. Its scroll range reaches
// the right and bottom edges of its tiles. With a tile decoder its tiles' pictures are decoded
// off the window's thread, only for the tiles in view: scrolling drops the queued decodings of
// the tiles it moves out of view, and clearing drops all of them.
class ScrollBox : public QScrollArea {
    Q_OBJECT
public:
    ScrollBox(const QColor& colour, QWidget* parent = nullptr);

    // The tiles added from now on decode their pictures through the decoder.
    void setTileDecoder(std::unique_ptr<TileDecoder> decoder);
    TileDecoder* tileDecoder() const { return decoder_.get(); }

    // Places the tile on the area (tile positions are in the area's coordinates).
    void addTile(std::unique_ptr<Tile> tile);
    // Takes every tile out of the area and destroys it. The destruction waits for the event
    // loop, since the handler that clears the area may belong to one of its tiles.
    void clear();

    int count() const { return int(tiles_.size()); }
    // The tile at the index, or nullptr when there is none.
    Tile* tile(int index) const;

protected:
    void scrollContentsBy(int dx, int dy) override;

private:
    std::unique_ptr<TileDecoder> decoder_;
    QWidget* area_;
    std::vector<Tile*> tiles_;
};

} // namespace zolvera::ui
