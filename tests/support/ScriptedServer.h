#pragma once

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zolvera::test {

// A loopback HTTP server that answers the requests it receives, in order, with scripted
// replies, and records every request's bytes. Runs on a thread of its own.
class ScriptedServer {
public:
    struct Reply {
        enum class Then {
            Continue, // wait for the next request on the same connection
            Close,    // close the connection after the reply
            Reset,    // abort the connection (the client sees a reset)
            Stall,    // send nothing more and keep the connection open
        };
        std::string bytes;
        Then then = Then::Continue;
    };

    explicit ScriptedServer(std::vector<Reply> replies);
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    std::uint16_t port() const { return port_; }
    // "http://127.0.0.1:<port>" + path
    std::string url(const std::string& path) const;
    std::vector<std::string> requests() const;
    int connections() const;

private:
    class Session;
    void accept();
    // The next reply, or nothing when the script has run out.
    const Reply* nextReply(const std::string& request);

    std::vector<Reply> replies_;
    std::size_t next_ = 0;
    std::vector<std::string> requests_;
    int connections_ = 0;
    mutable std::mutex mutex_;

    boost::asio::io_context io_;
    boost::asio::ip::tcp::acceptor acceptor_{io_};
    std::uint16_t port_ = 0;
    std::thread thread_;
};

// A complete reply with a Content-Length body.
std::string replyWithBody(const std::string& statusLine, const std::string& body,
                          const std::string& extraHeaders = {});

} // namespace zolvera::test
