#include "net/HttpClient.h"
#include "platform/Translate.h"

#include <boost/algorithm/string/predicate.hpp>
#include <boost/beast/http/parser.hpp>

#include <limits>
#include <optional>
#include <utility>

namespace zolvera::net {

namespace http = boost::beast::http;
using Parser = http::response_parser<SinkBody>;

// The parser of the reply that is not interim, once its header has been read.
struct FinalReply {
    std::optional<Parser> parser;
};

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
    return Failure(platform::substitute(platform::translate("Net", "Hibás HTTP-válasz: %1."),
                                        {error.message()}));
}

Failure cutOff() {
    return Failure(platform::translate("Net", "A kapcsolat a válasz vége előtt megszakadt."));
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
    const std::string header = scan.forParser(unparsed(connection));
    boost::system::error_code error;
    parser.put(boost::asio::buffer(header), error);
    if (error || !parser.is_header_done())
        throw invalidReply(error);
    connection.buffer().consume(scan.size());
    return true;
}

// Feeds the parser until the body has ended, receiving as needed. Body bytes are taken as they
// come, so what waits unparsed is an incomplete chunk line or trailer, held to the line limit.
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
            if (buffer.size() > kMaxHeaderLine + 2)
                throw Failure(
                    platform::translate("Net", "A válasz egyik darabjának fejsora túl hosszú."));
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

HttpClient::HttpClient(TimeLimits limits, HostLookup lookup)
    : limits_(std::move(limits)), lookup_(std::move(lookup)) {}

HttpClient::~HttpClient() = default;

void HttpClient::get(const std::string& url, const BodySink& sink, std::uint64_t maxBody) {
    const HttpUrl target = parseHttpUrl(url);
    const bool reused = connection_ && connection_->reusableFor(target);
    try {
        if (!reused)
            connection_ = std::make_unique<Connection>(target, limits_, lookup_, cancel_);
        if (!exchange(target, sink, maxBody, reused)) {
            connection_ = std::make_unique<Connection>(target, limits_, lookup_, cancel_);
            exchange(target, sink, maxBody, false);
        }
    } catch (const StatusFailure&) {
        throw;
    } catch (...) {
        connection_.reset();
        throw;
    }
}

bool HttpClient::exchange(const HttpUrl& url, const BodySink& sink, std::uint64_t maxBody,
                          bool reused) {
    try {
        connection_->send(requestText(url, cookies_.header(url.hostName(), url.path())));
    } catch (const SocketFailure&) {
        if (reused)
            return false;
        throw;
    }
    FinalReply reply;
    std::string statusLine;
    if (!readFinalHeader(url, reply, statusLine, reused))
        return false;
    readFinalBody(reply, statusLine, sink, maxBody);
    return true;
}

bool HttpClient::readFinalHeader(const HttpUrl& url, FinalReply& reply, std::string& statusLine,
                                 bool reused) {
    connection_->startReply(); // interim replies count towards the rate of the real one
    for (int interim = 0;; ++interim) {
        if (interim > kMaxInterimReplies)
            throw Failure(platform::translate("Net", "Túl sok átmeneti (1xx) válasz érkezett."));
        // A parser reads one reply: each interim reply gets a new one.
        Parser& parser = reply.parser.emplace();
        parser.header_limit(static_cast<std::uint32_t>(kMaxHeader + 4));
        // The largest limit rather than none, which Boost 1.74's parser mishandles.
        parser.body_limit(std::numeric_limits<std::uint64_t>::max());
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
        if (status / 100 != 1 || status == 101)
            return true; // not an interim reply, after which the real one follows
    }
}

void HttpClient::readFinalBody(FinalReply& reply, const std::string& statusLine,
                               const BodySink& sink, std::uint64_t maxBody) {
    Parser& parser = *reply.parser;
    const bool success = parser.get().result_int() / 100 == 2;
    auto& body = parser.get().body();
    body.limit = success ? maxBody : kMaxDiscardedBody;
    if (success) {
        body.sink = &sink;
        body.onWork = &onWork;
    }
    const auto reportWorkEnd = [&] {
        if (success && onWorkEnd)
            onWorkEnd();
    };
    try {
        readBody(*connection_, parser);
    } catch (const BodyTooLarge&) {
        reportWorkEnd();
        if (success)
            throw;
        // An endless error body: its status line is still what went wrong.
        connection_.reset();
        throw StatusFailure(statusLine);
    } catch (...) {
        reportWorkEnd();
        throw;
    }
    reportWorkEnd();
    // Bytes beyond the reply's end would be taken for the start of the next reply.
    if (!parser.keep_alive() || connection_->buffer().size() > 0)
        connection_.reset();
    if (!success)
        throw StatusFailure(statusLine);
}

} // namespace zolvera::net
