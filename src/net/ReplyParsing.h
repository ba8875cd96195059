#pragma once

#include "platform/File.h"

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

// Longest status or header line accepted, without its CR LF, and the longest header.
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

private:
    std::size_t scanned_ = 0;
    std::size_t lineStart_ = 0;
    std::string statusLine_;
};

// A message body that goes straight into a file (or nowhere, for a reply whose body is read
// only to be discarded), with a work report after every piece.
struct FileBody {
    struct value_type {
        platform::File* file = nullptr; // nothing: discard
        const std::function<void(std::uint64_t)>* onWork = nullptr;
        std::uint64_t received = 0;
        std::exception_ptr failure; // a write that failed, rethrown by the caller
    };

    class reader {
    public:
        template <bool isRequest, class Fields>
        reader(boost::beast::http::header<isRequest, Fields>&, value_type& body) : body_(body) {}

        void init(const boost::optional<std::uint64_t>&, boost::system::error_code& error) {
            error = {};
        }

        template <class Buffers>
        std::size_t put(const Buffers& buffers, boost::system::error_code& error) {
            error = {};
            std::size_t count = 0;
            try {
                for (auto it = boost::asio::buffer_sequence_begin(buffers);
                     it != boost::asio::buffer_sequence_end(buffers); ++it) {
                    const boost::asio::const_buffer piece = *it;
                    if (body_.file != nullptr)
                        body_.file->write(piece.data(), piece.size());
                    count += piece.size();
                }
            } catch (...) {
                body_.failure = std::current_exception();
                error = boost::beast::http::error::body_limit;
                return count;
            }
            if (body_.file != nullptr && count > 0) {
                body_.received += count;
                if (body_.onWork != nullptr && *body_.onWork)
                    (*body_.onWork)(body_.received);
            }
            return count;
        }

        void finish(boost::system::error_code& error) { error = {}; }

    private:
        value_type& body_;
    };
};

} // namespace zolvera::net
