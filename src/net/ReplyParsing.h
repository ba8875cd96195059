#pragma once

#include "platform/Failure.h"

#include <boost/asio/buffer.hpp>
#include <boost/beast/http/error.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/optional.hpp>

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <string_view>

namespace zolvera::net {

// Longest status or header line accepted, without its CR LF, and the longest header. A chunk
// line (size and extensions) or a trailer is held to the same line limit.
inline constexpr std::size_t kMaxHeaderLine = 16384;
inline constexpr std::size_t kMaxHeader = 1024 * 1024;

// Watches the bytes of a reply's header as they arrive, before they are parsed: fails a line
// longer than kMaxHeaderLine and keeps the status line as received.
class HeaderScan {
public:
    // True once the bytes (the start of the reply) hold the empty line that ends the header.
    // Throws a Failure for a line over the limit or a header over kMaxHeader.
    bool complete(std::string_view bytes);
    const std::string& statusLine() const { return statusLine_; }
    // The length of the complete header, its empty line included.
    std::size_t size() const { return scanned_; }
    // The complete header as the parser takes it: a status line without a reason phrase
    // ("HTTP/1.1 200") gets the space the parser needs after the code.
    std::string forParser(std::string_view bytes) const;

private:
    std::size_t scanned_ = 0;
    std::size_t lineStart_ = 0;
    std::string statusLine_;
};

// Where the body of a successful reply goes, piece by piece as it arrives.
using BodySink = std::function<void(std::string_view)>;

// A body over its size limit, thrown by the body reader and by the client's checks.
class BodyTooLarge : public Failure {
public:
    explicit BodyTooLarge(std::uint64_t limit);
};

// A message body handed to a sink as it arrives (or dropped, for a reply whose body is read
// only to be discarded) up to a size limit, with a work report after every piece.
struct SinkBody {
    struct value_type {
        const BodySink* sink = nullptr; // nothing: discard
        const std::function<void(std::uint64_t)>* onWork = nullptr;
        std::uint64_t limit = 0;
        std::uint64_t received = 0;
        std::exception_ptr failure; // a write that failed or the limit, rethrown by the caller
    };

    class reader {
    public:
        template <bool isRequest, class Fields>
        reader(boost::beast::http::header<isRequest, Fields>&, value_type& body) : body_(body) {}

        // A stated length over the limit fails before any of the body is read.
        void init(const boost::optional<std::uint64_t>& length, boost::system::error_code& error) {
            error = {};
            if (length && *length > body_.limit)
                fail(std::make_exception_ptr(BodyTooLarge(body_.limit)), error);
        }

        template <class Buffers>
        std::size_t put(const Buffers& buffers, boost::system::error_code& error) {
            error = {};
            std::size_t count = 0;
            try {
                for (auto it = boost::asio::buffer_sequence_begin(buffers);
                     it != boost::asio::buffer_sequence_end(buffers); ++it) {
                    const boost::asio::const_buffer piece = *it;
                    if (body_.received + count + piece.size() > body_.limit)
                        throw BodyTooLarge(body_.limit);
                    if (body_.sink != nullptr)
                        (*body_.sink)({static_cast<const char*>(piece.data()), piece.size()});
                    count += piece.size();
                }
            } catch (...) {
                fail(std::current_exception(), error);
                return count;
            }
            body_.received += count;
            if (body_.sink != nullptr && count > 0 && body_.onWork != nullptr && *body_.onWork)
                (*body_.onWork)(body_.received);
            return count;
        }

        void finish(boost::system::error_code& error) { error = {}; }

    private:
        void fail(std::exception_ptr failure, boost::system::error_code& error) {
            body_.failure = std::move(failure);
            error = boost::beast::http::error::body_limit;
        }

        value_type& body_;
    };
};

} // namespace zolvera::net
