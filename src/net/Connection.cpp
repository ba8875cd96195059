#include "net/Connection.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/error.hpp>

namespace zolvera::net {

namespace asio = boost::asio;
namespace beast = boost::beast;
using boost::system::error_code;

namespace {

// Each read asks for this much; the buffer never grows beyond a few of these.
constexpr std::size_t kReadChunk = 256 * 1024;

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

Connection::Connection(const HttpUrl& url, const TimeLimits& limits)
    : host_(url.hostName()), port_(url.port), limits_(limits) {
    asio::ip::tcp::resolver resolver(io_);
    error_code error;
    const auto endpoints = resolver.resolve(host_, std::to_string(port_), error);
    if (error)
        throw SocketFailure(error);
    stream_.expires_after(limits_.connect);
    stream_.async_connect(endpoints,
                          [&error](const error_code& result, const auto&) { error = result; });
    runUntilDone();
    if (error == beast::error::timeout)
        throw Failure("Connect timed out.");
    if (error)
        throw SocketFailure(error);
}

bool Connection::leadsTo(const HttpUrl& url) const {
    return url.hostName() == host_ && url.port == port_;
}

void Connection::send(const std::string& bytes) {
    error_code error;
    stream_.expires_after(limits_.read);
    asio::async_write(stream_, asio::buffer(bytes),
                      [&error](const error_code& result, std::size_t) { error = result; });
    runUntilDone();
    if (error)
        throwReadFailure(error);
}

std::size_t Connection::receive() {
    error_code error;
    std::size_t received = 0;
    stream_.expires_after(limits_.read);
    stream_.async_read_some(buffer_.prepare(kReadChunk),
                            [&](const error_code& result, std::size_t count) {
                                error = result;
                                received = count;
                            });
    runUntilDone();
    buffer_.commit(received);
    if (error == asio::error::eof)
        return 0;
    if (error)
        throwReadFailure(error);
    return received;
}

void Connection::runUntilDone() {
    io_.restart();
    io_.run();
}

} // namespace zolvera::net
