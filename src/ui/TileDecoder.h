#pragma once

#include "picture/Picture.h"
#include "picture/ThumbnailCache.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>
#include <vector>

namespace zolvera::ui {

// What decoding a picture for a tile gave: the image at the tile's size, or the failure's text;
// neither when the picture is known to have failed before (it stays blank, unreported).
struct TileResult {
    QImage image;
    std::optional<QString> failure;
};

// Decodes pictures for tiles on a small pool of threads, so that a grid of large photographs
// never holds up the thread that owns the windows. Requests wait in one queue, those of the
// newest view first (see beginView) and otherwise first come first served; a request cancelled
// before its decoding starts is never decoded. Results come back on the thread that owns the
// decoder, in an event of their own; a cancelled request's result is thrown away there. What a
// decoding leaves to store (a thumbnail) waits until no request does, so that writing it never
// holds up a tile; only a few wait, and those still waiting at the end are dropped.
class TileDecoder : public QObject {
    Q_OBJECT
public:
    using Ticket = std::uint64_t;
    // The tile's image, and what to store once it is delivered (the thumbnail cache's).
    using Decode =
        std::function<picture::CachedTile(const picture::JpegPicture& picture, QSize size)>;
    using Done = std::function<void(const TileResult& result)>;

    // One thread per core by default. decode turns a picture into the tile's image on the pool's
    // threads (by default straight from the picture); tests pass one that counts or holds the
    // decodings.
    explicit TileDecoder(int threads = poolSize(), Decode decode = decodeFromPicture,
                         QObject* parent = nullptr);
    // Waits for the decodings in progress; the queued ones are dropped.
    ~TileDecoder() override;

    // Queues the picture to be decoded at the size; done runs later on this object's thread,
    // unless the ticket is cancelled first.
    Ticket request(picture::JpegPicture picture, QSize size, Done done);
    // Drops the request if its decoding has not started, and its result in any case.
    void cancel(Ticket ticket);
    // The requests made from now on go before those queued until now: while the user scrolls,
    // the tiles that have just come into view are decoded before those about to leave it.
    void beginView();
    // The requests whose decoding has not started.
    std::size_t queued();

    static int poolSize();
    static picture::CachedTile decodeFromPicture(const picture::JpegPicture& picture, QSize size);

private:
    struct Job {
        Ticket ticket;
        picture::JpegPicture picture;
        QSize size;
        std::uint64_t view;
    };

    void work(const std::stop_token& stop);
    // Delivers the results the pool has finished, on the owning thread.
    Q_INVOKABLE void deliverFinished();

    Decode decode_;
    // Touched on the owning thread only.
    std::unordered_map<Ticket, Done> waiting_;
    Ticket lastTicket_ = 0;
    std::uint64_t view_ = 0;
    // Shared with the pool.
    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::deque<Job> queue_; // the newest view's requests first
    std::vector<std::pair<Ticket, TileResult>> finished_;
    std::deque<std::function<void()>> stores_; // put aside while requests wait
    std::vector<std::jthread> pool_;
};

} // namespace zolvera::ui
