#pragma once

#include "ui/Panel.h"
#include "ui/PictureView.h"

namespace zolvera::ui {

// The element of the group column and the picture grid: a 142 × 100 panel with a raised outer
// and a lowered inner bevel, filled within its bevels by an image that shows the hand cursor.
// The panel and the image both carry the tile's index as their tag.
class Tile : public Panel {
    Q_OBJECT
public:
    static constexpr int kWidth = 142;
    static constexpr int kHeight = 100;

    Tile(int index, QPoint position, QWidget* parent = nullptr);

    PictureView* image() const { return image_; }

private:
    PictureView* image_;
};

} // namespace zolvera::ui
