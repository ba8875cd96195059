#pragma once

#include "net/Connection.h"
#include "net/CookieJar.h"
#include "net/ReplyParsing.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace zolvera::net {

struct FinalReply;

// A blocking HTTP/1.1 GET client. It keeps its connection open between requests to the same
// host and port while the connection is clean, and the cookies it is given, for its own
// lifetime. One transfer at a time; the reports are called on the thread that runs get().
class HttpClient {
public:
    // lookup finds the server's addresses; the system's resolver except in tests.
    explicit HttpClient(TimeLimits limits = {}, HostLookup lookup = systemLookup);
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // At most this many interim (1xx) replies are skipped before the real one.
    static constexpr int kMaxInterimReplies = 20;
    // The body of an error reply is read to keep the connection only up to this size.
    static constexpr std::uint64_t kMaxDiscardedBody = 64 * 1024;

    // Work report: the number of body bytes written so far in this transfer.
    std::function<void(std::uint64_t)> onWork;
    // Work end: the body of a 2xx reply has ended (also when the transfer failed during it).
    std::function<void()> onWorkEnd;

    // Fetches an http URL: the body of a 2xx reply goes to sink as it arrives (204 has none);
    // a body over maxBody bytes fails. Interim 1xx replies are skipped; redirects are not
    // followed. Throws a Failure whose text the user sees: the status line of any other reply
    // as received, "Socket Error # n" CR LF and the system's text, "Connect timed out.", "Read
    // timed out." (no data for the read limit), the text of the limit that ended the transfer,
    // or the text of a malformed or cut-off reply; Cancelled after cancel().
    void get(const std::string& url, const BodySink& sink, std::uint64_t maxBody);

    // Safe from any thread: the running transfer, and every later one, ends with Cancelled
    // within a fraction of a second, even while the host name is being looked up.
    void cancel() { cancel_ = true; }

private:
    // One request and its reply on the open connection. False when a reused connection turned
    // out to be closed by the server before any byte of the reply arrived.
    bool exchange(const HttpUrl& url, const BodySink& sink, std::uint64_t maxBody, bool reused);
    // Reads reply headers, keeping their cookies, up to the first that is not interim (1xx);
    // its status line goes to statusLine. False as for exchange.
    bool readFinalHeader(const HttpUrl& url, FinalReply& reply, std::string& statusLine,
                         bool reused);
    // Reads the reply's body: a 2xx body into sink, with the work reports, up to maxBody bytes;
    // any other is read and dropped, and its status line thrown. Keeps the connection only
    // when it is clean.
    void readFinalBody(FinalReply& reply, const std::string& statusLine, const BodySink& sink,
                       std::uint64_t maxBody);

    TimeLimits limits_;
    HostLookup lookup_;
    CookieJar cookies_;
    std::unique_ptr<Connection> connection_;
    std::atomic<bool> cancel_{false};
};

} // namespace zolvera::net
