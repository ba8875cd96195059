#include "ScriptedServer.h"

#include <boost/asio/read_until.hpp>
#include <boost/asio/streambuf.hpp>
#include <boost/asio/write.hpp>

#include <memory>

namespace zolvera::test {

namespace asio = boost::asio;
using asio::ip::tcp;
using boost::system::error_code;

class ScriptedServer::Session : public std::enable_shared_from_this<Session> {
public:
    Session(ScriptedServer& server, tcp::socket socket)
        : server_(server), socket_(std::move(socket)) {}

    void readRequest() {
        auto self = shared_from_this();
        asio::async_read_until(socket_, input_, "\r\n\r\n",
                               [self](error_code error, std::size_t size) {
                                   if (error)
                                       return;
                                   std::string request(asio::buffers_begin(self->input_.data()),
                                                       asio::buffers_begin(self->input_.data()) +
                                                           static_cast<long>(size));
                                   self->input_.consume(size);
                                   self->answer(request);
                               });
    }

private:
    void answer(const std::string& request) {
        const Reply* reply = server_.nextReply(request);
        if (reply == nullptr)
            return; // the session ends and its socket closes
        auto self = shared_from_this();
        asio::async_write(
            socket_, asio::buffer(reply->bytes), [self, reply](error_code error, std::size_t) {
                if (error)
                    return;
                switch (reply->then) {
                case Reply::Then::Continue:
                    self->readRequest();
                    break;
                case Reply::Then::Close:
                    self->socket_.shutdown(tcp::socket::shutdown_both, error);
                    break;
                case Reply::Then::Reset:
                    self->socket_.set_option(asio::socket_base::linger(true, 0), error);
                    self->socket_.close(error);
                    break;
                case Reply::Then::Stall:
                    self->socket_.async_wait(tcp::socket::wait_error, [self](error_code) {});
                    break;
                }
            });
    }

    ScriptedServer& server_;
    tcp::socket socket_;
    asio::streambuf input_;
};

ScriptedServer::ScriptedServer(std::vector<Reply> replies) : replies_(std::move(replies)) {
    const tcp::endpoint loopback(asio::ip::address_v4::loopback(), 0);
    acceptor_.open(loopback.protocol());
    acceptor_.bind(loopback);
    acceptor_.listen();
    port_ = acceptor_.local_endpoint().port();
    accept();
    thread_ = std::thread([this] { io_.run(); });
}

ScriptedServer::~ScriptedServer() {
    io_.stop();
    thread_.join();
}

std::string ScriptedServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> ScriptedServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

int ScriptedServer::connections() const {
    std::lock_guard lock(mutex_);
    return connections_;
}

void ScriptedServer::accept() {
    acceptor_.async_accept([this](error_code error, tcp::socket socket) {
        if (error)
            return;
        {
            std::lock_guard lock(mutex_);
            ++connections_;
        }
        std::make_shared<Session>(*this, std::move(socket))->readRequest();
        accept();
    });
}

const ScriptedServer::Reply* ScriptedServer::nextReply(const std::string& request) {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
    return next_ < replies_.size() ? &replies_[next_++] : nullptr;
}

std::string replyWithBody(const std::string& statusLine, const std::string& body,
                          const std::string& extraHeaders) {
    return statusLine + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" +
           extraHeaders + "\r\n" + body;
}

} // namespace zolvera::test
