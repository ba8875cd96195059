#include "net/HttpClient.h"

#include "net/ReplyParsing.h"
#include "platform/File.h"

#include <boost/algorithm/string/predicate.hpp>
#include <boost/beast/http/parser.hpp>

#include <limits>

namespace zolvera::net {

namespace http = boost::beast::http;
using Parser = http::response_parser<FileBody>;

namespace {

// Written as text rather than through a serializer so the bytes and their order are exactly
// these and nothing else.
std::string requestText(const HttpUrl& url, const std::string& cookies) {
    std::string text = "GET " + url.target + " HTTP/1.1\r\n";
    text += "Content-Type: text/html\r\n";
    text += "Host: " + url.hostHeader() + "\r\n";
    text += "Accept: text/html, */*\r\n";
    text += "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n";
    if (!cookies.empty())
        text += "Cookie: " + cookies + "\r\n";
    return text + "\r\n";
}

// A reply with a status other than 1xx or 2xx: the exchange itself went well, so the connection
// stays open for the next request.
class StatusFailure : public Failure {
public:
    using Failure::Failure;
};

Failure invalidReply(const boost::system::error_code& error) {
    return Failure("Invalid HTTP reply: " + error.message() + ".");
}

Failure cutOff() {
    return Failure("Connection closed before the reply was complete.");
}

std::string_view unparsed(Connection& connection) {
    const auto data = connection.buffer().data();
    return {static_cast<const char*>(data.data()), data.size()};
}

// Reads one reply's header into the parser. False when the server had closed the connection
// before sending any of it and the caller may try again on a new one.
bool readHeader(Connection& connection, Parser& parser, std::string& statusLine, bool mayRetry) {
    HeaderScan scan;
    while (!scan.complete(unparsed(connection))) {
        const bool nothingYet = connection.buffer().size() == 0;
        try {
            if (connection.receive() == 0) {
                if (mayRetry && nothingYet)
                    return false;
                throw cutOff();
            }
        } catch (const SocketFailure&) {
            if (mayRetry && nothingYet)
                return false;
            throw;
        }
    }
    statusLine = scan.statusLine();
    boost::system::error_code error;
    connection.buffer().consume(parser.put(connection.buffer().data(), error));
    if (error || !parser.is_header_done())
        throw invalidReply(error);
    return true;
}

// Feeds the parser until the body has ended, receiving as needed.
void readBody(Connection& connection, Parser& parser) {
    parser.eager(true);
    auto& buffer = connection.buffer();
    while (!parser.is_done()) {
        if (buffer.size() > 0) {
            boost::system::error_code error;
            buffer.consume(parser.put(buffer.data(), error));
            if (parser.get().body().failure)
                std::rethrow_exception(parser.get().body().failure);
            if (error && error != http::error::need_more)
                throw invalidReply(error);
            if (parser.is_done() || !error)
                continue;
        }
        if (connection.receive() == 0) {
            boost::system::error_code error;
            parser.put_eof(error);
            if (error)
                throw cutOff();
        }
    }
}

} // namespace

HttpClient::HttpClient(TimeLimits limits) : limits_(limits) {}

HttpClient::~HttpClient() = default;

void HttpClient::get(const std::string& url, platform::File& file) {
    const HttpUrl target = parseHttpUrl(url);
    const bool reused = connection_ && connection_->leadsTo(target);
    try {
        if (!reused)
            connection_ = std::make_unique<Connection>(target, limits_);
        if (!exchange(target, file, reused)) {
            connection_ = std::make_unique<Connection>(target, limits_);
            exchange(target, file, false);
        }
    } catch (const StatusFailure&) {
        throw;
    } catch (...) {
        connection_.reset();
        throw;
    }
}

bool HttpClient::exchange(const HttpUrl& url, platform::File& file, bool reused) {
    try {
        connection_->send(requestText(url, cookies_.header(url.hostName(), url.path())));
    } catch (const SocketFailure&) {
        if (reused)
            return false;
        throw;
    }
    for (;;) {
        Parser parser;
        parser.header_limit(static_cast<std::uint32_t>(kMaxHeader + 4));
        // The largest limit rather than none, which Boost 1.74's parser mishandles.
        parser.body_limit(std::numeric_limits<std::uint64_t>::max());
        std::string statusLine;
        if (!readHeader(*connection_, parser, statusLine, reused))
            return false;
        reused = false;

        const auto& header = parser.get();
        for (const auto& field : header)
            if (boost::algorithm::iequals(field.name_string(), "Set-Cookie") ||
                boost::algorithm::iequals(field.name_string(), "Set-Cookie2"))
                cookies_.store(url.hostName(), url.path(),
                               {field.value().data(), field.value().size()});

        const unsigned status = header.result_int();
        if (status / 100 == 1 && status != 101)
            continue; // an interim reply; the real one follows
        const bool success = status / 100 == 2;
        if (success) {
            parser.get().body().file = &file;
            parser.get().body().onWork = &onWork;
        }
        const auto reportWorkEnd = [&] {
            if (success && onWorkEnd)
                onWorkEnd();
        };
        try {
            readBody(*connection_, parser);
        } catch (...) {
            reportWorkEnd();
            throw;
        }
        reportWorkEnd();
        if (!parser.keep_alive())
            connection_.reset();
        if (!success)
            throw StatusFailure(statusLine);
        return true;
    }
}

} // namespace zolvera::net
