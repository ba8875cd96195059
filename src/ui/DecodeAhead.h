#pragma once

#include "picture/Picture.h"

#include <QImage>
#include <QObject>
#include <QSize>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

namespace zolvera::ui {

// Decodes the picture a slideshow will show next on a thread of its own, while the current one
// is on show, so that a step only paints. One picture at a time: asking for another forgets the
// one asked for or prepared before, and a decoding in progress for it is thrown away when done.
// A picture that fails is simply not prepared; the step then decodes it itself and reports.
class DecodeAhead : public QObject {
    Q_OBJECT
public:
    // A picture ready to be shown: its header, its decoding for the size and the copy at the size.
    struct Prepared {
        picture::JpegPicture picture;
        picture::Bitmap decoded;
        QImage shown;
    };

    explicit DecodeAhead(QObject* parent = nullptr);
    // Waits for a decoding in progress.
    ~DecodeAhead() override;

    // Starts decoding the picture for a control of the size.
    void prepare(const std::string& path, QSize size);
    // Forgets what was asked for or prepared.
    void forget();
    // The picture prepared from the path for the size, handed over; none when it was not asked
    // for, is still being decoded or failed.
    std::optional<Prepared> take(const std::string& path, QSize size);
    // Whether a prepared picture waits to be taken.
    bool ready() const { return prepared_.has_value(); }
    // Whether a decoding is asked for or in progress.
    bool busy();

private Q_SLOTS:
    // Takes the picture the thread has prepared, unless something else was asked for since.
    void collect();

private:
    struct Job {
        std::uint64_t ticket = 0;
        std::string path;
        QSize size;
    };

    void work(const std::stop_token& stop);

    // Touched on the owning thread only.
    std::uint64_t ticket_ = 0; // of the newest request; results of older ones are dropped
    Job asked_;
    std::optional<Prepared> prepared_;
    // Shared with the thread.
    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::optional<Job> next_;
    std::optional<std::pair<std::uint64_t, Prepared>> done_; // the ticket and its picture
    bool working_ = false;
    std::jthread thread_; // last: it ends before the members it uses
};

} // namespace zolvera::ui
