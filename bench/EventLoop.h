#pragma once

#include "ui/ScrollBox.h"

#include <QApplication>

#include <algorithm>

namespace zolvera::bench {

// One turn of the event loop as the program's own loop makes it: the events waiting are handled,
// then the objects whose deletion was deferred meanwhile (tiles scrolled out of view) are
// deleted. A benchmark runs no event loop of its own, and processEvents() alone never deletes
// those, so that their memory would count as the program's.
inline void turnEventLoop(QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents) {
    QApplication::processEvents(flags);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Turns the event loop, as the program does when idle, until the tiles in view are painted.
inline void waitUntilPainted(const ui::ScrollBox& area) {
    const auto painted = [&] {
        const auto tiles = area.tiles();
        return std::all_of(tiles.begin(), tiles.end(),
                           [](const ui::Tile* tile) { return tile->image()->isDecoded(); });
    };
    while (!painted())
        turnEventLoop(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    turnEventLoop();
}

} // namespace zolvera::bench
