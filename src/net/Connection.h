#pragma once

#include "net/HttpUrl.h"
#include "platform/Failure.h"

#include <boost/asio/io_context.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>

#include <chrono>
#include <cstddef>
#include <string>

namespace zolvera::net {

// How long a transfer waits: for the connection to be established, and for the next bytes
// while sending or receiving.
struct TimeLimits {
    std::chrono::milliseconds connect = std::chrono::seconds(120);
    std::chrono::milliseconds read = std::chrono::seconds(120);
};

// A failure of the socket itself: "Socket Error # n", CR LF and the system's text.
class SocketFailure : public Failure {
public:
    explicit SocketFailure(const boost::system::error_code& error);
};

// One TCP connection whose every call blocks until it is done or its time limit has passed.
class Connection {
public:
    // Resolves the host and connects. Throws SocketFailure, or "Connect timed out.".
    Connection(const HttpUrl& url, const TimeLimits& limits);

    bool leadsTo(const HttpUrl& url) const;
    // Sends all bytes. Throws SocketFailure or "Read timed out.".
    void send(const std::string& bytes);
    // Appends what arrives next to buffer(); 0 when the server has closed the connection.
    // Throws SocketFailure, or "Read timed out." when nothing arrives within the limit.
    std::size_t receive();
    // Bytes received and not yet consumed.
    boost::beast::flat_buffer& buffer() { return buffer_; }

private:
    void runUntilDone();

    boost::asio::io_context io_;
    boost::beast::tcp_stream stream_{io_};
    boost::beast::flat_buffer buffer_;
    std::string host_;
    std::uint16_t port_;
    TimeLimits limits_;
};

} // namespace zolvera::net
