#include "net/Connection.h"

#include "net/ReplyParsing.h"
#include "platform/Translate.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/error.hpp>

namespace zolvera::net {

namespace asio = boost::asio;
namespace beast = boost::beast;
using boost::system::error_code;

namespace {

// Each read asks for this much; the buffer never holds more than a header and one read.
constexpr std::size_t kReadChunk = 256 * 1024;
constexpr auto kCancelCheck = std::chrono::milliseconds(100);

std::string socketErrorText(const error_code& error) {
    std::string text = error.message();
    if (!text.empty() && text.back() != '.')
        text += '.';
    return "Socket Error # " + std::to_string(error.value()) + "\r\n" + text;
}

[[noreturn]] void throwReadFailure(const error_code& error) {
    if (error == beast::error::timeout)
        throw Failure("Read timed out.");
    throw SocketFailure(error);
}

} // namespace

SocketFailure::SocketFailure(const error_code& error) : Failure(socketErrorText(error)) {}

Cancelled::Cancelled() : Failure(platform::translate("Net", "A letöltés megszakítva.")) {}

Connection::Connection(const HttpUrl& url, const TimeLimits& limits, const HostLookup& lookup,
                       const std::atomic<bool>& cancel)
    : buffer_(kMaxHeader + 2 * kReadChunk), host_(url.hostName()), port_(url.port), limits_(limits),
      cancel_(cancel) {
    // The system's resolver cannot be interrupted: a cancelled transfer leaves it behind.
    const Endpoints endpoints = lookUpAbandonably(lookup, host_, port_, cancel_);
    error_code error;
    stream_.expires_after(limits_.connect);
    stream_.async_connect(endpoints,
                          [&error](const error_code& result, const auto&) { error = result; });
    runUntilDone([this] { stream_.close(); });
    if (error == beast::error::timeout)
        throw Failure("Connect timed out.");
    if (error)
        throw SocketFailure(error);
}

bool Connection::reusableFor(const HttpUrl& url) {
    error_code error;
    const std::size_t waiting = stream_.socket().available(error);
    return url.hostName() == host_ && url.port == port_ && buffer_.size() == 0 && !error &&
           waiting == 0;
}

void Connection::send(const std::string& bytes) {
    error_code error;
    stream_.expires_after(limits_.read);
    asio::async_write(stream_, asio::buffer(bytes),
                      [&error](const error_code& result, std::size_t) { error = result; });
    runUntilDone([this] { stream_.close(); });
    if (error)
        throwReadFailure(error);
}

void Connection::startReply() {
    replyStart_ = limits_.clock();
    replyBytes_ = 0;
}

std::size_t Connection::receive() {
    error_code error;
    std::size_t received = 0;
    stream_.expires_after(limits_.read);
    stream_.async_read_some(
        buffer_.prepare(std::min(kReadChunk, buffer_.max_size() - buffer_.size())),
        [&](const error_code& result, std::size_t count) {
            error = result;
            received = count;
        });
    runUntilDone([this] { stream_.close(); });
    buffer_.commit(received);
    if (error == asio::error::eof)
        return 0;
    if (error)
        throwReadFailure(error);

    replyBytes_ += received;
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::seconds>(limits_.clock() - replyStart_);
    if (elapsed > limits_.grace &&
        replyBytes_ < limits_.minBytesPerSecond * std::uint64_t(elapsed.count()))
        throw Failure(platform::substitute(
            platform::translate("Net", "Túl lassú átvitel: %1 másodperc után átlagosan kevesebb "
                                       "mint %2 bájt érkezett másodpercenként."),
            {std::to_string(limits_.grace.count()), std::to_string(limits_.minBytesPerSecond)}));
    return received;
}

void Connection::runUntilDone(const std::function<void()>& abort) {
    io_.restart();
    bool aborted = false;
    while (io_.run_for(kCancelCheck), !io_.stopped()) {
        if (cancel_ && !aborted) {
            aborted = true;
            abort();
        }
    }
    if (aborted || cancel_)
        throw Cancelled();
}

} // namespace zolvera::net
