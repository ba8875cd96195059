#pragma once

#include "net/HostLookup.h"
#include "net/HttpUrl.h"
#include "platform/Failure.h"

#include <boost/asio/io_context.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

namespace zolvera::net {

// How long a transfer may wait: for the connection to be established, for the next bytes while
// sending or receiving, and, so that a trickle cannot hold it for ever, the average rate a
// reply must keep once its first grace period has passed. The clock is the steady clock except
// in tests.
struct TimeLimits {
    std::chrono::milliseconds connect = std::chrono::seconds(120);
    std::chrono::milliseconds read = std::chrono::seconds(120);
    std::chrono::seconds grace = std::chrono::seconds(120);
    std::uint64_t minBytesPerSecond = 1024;
    std::function<std::chrono::steady_clock::time_point()> clock = std::chrono::steady_clock::now;
};

// A failure of the socket itself: "Socket Error # n", CR LF and the system's text.
class SocketFailure : public Failure {
public:
    explicit SocketFailure(const boost::system::error_code& error);
};

// A transfer ended because its owner asked for it, not a fault to report.
class Cancelled : public Failure {
public:
    Cancelled();
};

// One TCP connection whose every call blocks until it is done, its time limit has passed or
// the cancel flag is raised (checked at least every 100 milliseconds: the socket is then
// closed and Cancelled thrown).
class Connection {
public:
    // Looks the host up (abandoned when cancelled, see lookUpAbandonably) and connects. Throws
    // SocketFailure, "Connect timed out." or Cancelled.
    Connection(const HttpUrl& url, const TimeLimits& limits, const HostLookup& lookup,
               const std::atomic<bool>& cancel);

    // True when the connection leads to the url's host and port and no stray bytes wait on it.
    bool reusableFor(const HttpUrl& url);
    // Sends all bytes. Throws SocketFailure, "Read timed out." or Cancelled.
    void send(const std::string& bytes);
    // Starts the rate count of one reply.
    void startReply();
    // Appends what arrives next to buffer(); 0 when the server has closed the connection.
    // Throws SocketFailure, "Read timed out." when nothing arrives within the limit, a Failure
    // when the reply has fallen under the minimum rate, or Cancelled.
    std::size_t receive();
    // Bytes received and not yet consumed; never more than a header and one read.
    boost::beast::flat_buffer& buffer() { return buffer_; }

private:
    void runUntilDone(const std::function<void()>& abort);

    boost::asio::io_context io_;
    boost::beast::tcp_stream stream_{io_};
    boost::beast::flat_buffer buffer_;
    std::string host_;
    std::uint16_t port_;
    TimeLimits limits_;
    const std::atomic<bool>& cancel_;
    std::chrono::steady_clock::time_point replyStart_;
    std::uint64_t replyBytes_ = 0;
};

} // namespace zolvera::net
