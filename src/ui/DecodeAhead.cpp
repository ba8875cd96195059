#include "ui/DecodeAhead.h"

#include "picture/BitmapImage.h"

#include <exception>

namespace zolvera::ui {

DecodeAhead::DecodeAhead(QObject* parent)
    : QObject(parent), thread_([this](const std::stop_token& stop) { work(stop); }) {}

DecodeAhead::~DecodeAhead() {
    thread_.request_stop();
    thread_.join(); // before QObject's destructor drops the result it may have posted
}

void DecodeAhead::prepare(const std::string& path, QSize size) {
    forget();
    asked_ = Job{++ticket_, path, size};
    {
        const std::lock_guard lock(mutex_);
        next_ = asked_;
    }
    wake_.notify_one();
}

void DecodeAhead::forget() {
    ++ticket_;
    asked_ = Job{};
    prepared_.reset();
    const std::lock_guard lock(mutex_);
    next_.reset();
}

std::optional<DecodeAhead::Prepared> DecodeAhead::take(const std::string& path, QSize size) {
    if (!prepared_ || asked_.path != path || asked_.size != size)
        return std::nullopt;
    std::optional<Prepared> taken = std::move(prepared_);
    forget();
    return taken;
}

void DecodeAhead::collect() {
    std::optional<std::pair<std::uint64_t, Prepared>> done;
    {
        const std::lock_guard lock(mutex_);
        done.swap(done_);
    }
    if (done && done->first == ticket_)
        prepared_ = std::move(done->second);
}

bool DecodeAhead::busy() {
    const std::lock_guard lock(mutex_);
    return next_.has_value() || working_;
}

void DecodeAhead::work(const std::stop_token& stop) {
    for (;;) {
        std::unique_lock lock(mutex_);
        if (!wake_.wait(lock, stop, [this] { return next_.has_value(); }))
            return;
        const Job job = std::move(*next_);
        next_.reset();
        working_ = true;
        lock.unlock();

        std::optional<Prepared> made;
        try {
            picture::JpegPicture picture = picture::JpegPicture::load(job.path);
            picture::Bitmap decoded = picture.decodeToShow(job.size.width(), job.size.height());
            QImage shown = picture::stretchBitmap(decoded, job.size);
            made = Prepared{std::move(picture), std::move(decoded), std::move(shown)};
        } catch (const std::exception&) {
            // Not prepared: the step decodes the picture itself and reports what fails.
        }
        if (made) {
            lock.lock();
            done_.emplace(job.ticket, std::move(*made));
            lock.unlock();
            // Handed over through the mutex, not a functor of ours: Qt's event queue passes it
            // on in a way ThreadSanitizer cannot see.
            QMetaObject::invokeMethod(this, "collect", Qt::QueuedConnection);
        }
        lock.lock();
        working_ = false;
    }
}

} // namespace zolvera::ui
