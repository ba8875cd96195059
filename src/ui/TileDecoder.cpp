#include "ui/TileDecoder.h"

#include "picture/BitmapImage.h"

#include <QThread>

#include <algorithm>
#include <exception>

namespace zolvera::ui {

namespace {

// Thumbnails put aside at most: about 5 MB, the tiles in view of a window of some size.
constexpr std::size_t kMostStoresPutAside = 32;

} // namespace

TileDecoder::TileDecoder(int threads, Decode decode, QObject* parent)
    : QObject(parent), decode_(std::move(decode)) {
    for (int i = 0; i < threads; ++i)
        pool_.emplace_back([this](const std::stop_token& stop) { work(stop); });
}

TileDecoder::~TileDecoder() {
    // Every thread is told to stop and the queue is emptied before the first join: a thread
    // still running while another is joined would otherwise go on decoding queued pictures.
    {
        const std::lock_guard lock(mutex_);
        queue_.clear();
    }
    for (std::jthread& thread : pool_)
        thread.request_stop();
    // The threads end before the members they use, and before QObject's destructor drops the
    // results they have posted.
    pool_.clear();
}

int TileDecoder::poolSize() {
    // Decoding is bound by the processor: each thread holds a scaled bitmap and libjpeg's
    // buffers, and beyond a few threads the memory grows while the wait for the twenty tiles in
    // view hardly shrinks.
    constexpr int kMostThreads = 4;
    return std::clamp(QThread::idealThreadCount(), 1, kMostThreads);
}

picture::CachedTile TileDecoder::decodeFromPicture(const picture::JpegPicture& picture,
                                                   QSize size) {
    return {picture::decodeStretched(picture, size), {}};
}

TileDecoder::Ticket TileDecoder::request(picture::JpegPicture picture, QSize size, Done done) {
    const Ticket ticket = ++lastTicket_;
    waiting_.emplace(ticket, std::move(done));
    {
        const std::lock_guard lock(mutex_);
        const auto older = std::find_if(queue_.begin(), queue_.end(),
                                        [this](const Job& job) { return job.view < view_; });
        queue_.insert(older, Job{ticket, std::move(picture), size, view_});
    }
    wake_.notify_one();
    return ticket;
}

void TileDecoder::cancel(Ticket ticket) {
    if (waiting_.erase(ticket) == 0)
        return;
    const std::lock_guard lock(mutex_);
    std::erase_if(queue_, [ticket](const Job& job) { return job.ticket == ticket; });
}

void TileDecoder::beginView() {
    ++view_;
}

std::size_t TileDecoder::queued() {
    const std::lock_guard lock(mutex_);
    return queue_.size();
}

void TileDecoder::work(const std::stop_token& stop) {
    for (;;) {
        std::unique_lock lock(mutex_);
        // At the end the queued requests are dropped: nobody waits for them any more.
        if (!wake_.wait(lock, stop, [this] { return !queue_.empty() || !stores_.empty(); }) ||
            stop.stop_requested())
            return;
        if (queue_.empty()) {
            const std::function<void()> store = std::move(stores_.front());
            stores_.pop_front();
            lock.unlock();
            store();
            continue;
        }
        const Job job = std::move(queue_.front());
        queue_.pop_front();
        lock.unlock();

        TileResult result;
        std::function<void()> store;
        try {
            picture::CachedTile tile = decode_(job.picture, job.size);
            result.image = std::move(tile.image);
            store = std::move(tile.store);
        } catch (const std::exception& failure) {
            result.failure = QString::fromStdString(failure.what());
        }
        lock.lock();
        finished_.emplace_back(job.ticket, std::move(result));
        // Stored once no request waits; beyond a few put aside, at once, so that a long scroll
        // does not gather thumbnails in memory.
        const bool storeNow = store && stores_.size() >= kMostStoresPutAside;
        if (store && !storeNow)
            stores_.push_back(std::move(store));
        lock.unlock();
        // Handed over through the mutex, not a functor of ours: Qt's event queue passes it on in
        // a way ThreadSanitizer cannot see.
        QMetaObject::invokeMethod(this, "deliverFinished", Qt::QueuedConnection);
        if (storeNow)
            store();
    }
}

void TileDecoder::deliverFinished() {
    std::vector<std::pair<Ticket, TileResult>> finished;
    {
        const std::lock_guard lock(mutex_);
        finished.swap(finished_);
    }
    for (const auto& [ticket, result] : finished) {
        const auto found = waiting_.find(ticket);
        if (found == waiting_.end())
            continue; // cancelled: its tile has moved out of view, shows another picture or is gone
        const Done done = std::move(found->second);
        waiting_.erase(found);
        done(result);
    }
}

} // namespace zolvera::ui
