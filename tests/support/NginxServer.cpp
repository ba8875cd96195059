#include "NginxServer.h"

#include "TempDir.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

#include <chrono>
#include <csignal>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace zolvera::test {

namespace asio = boost::asio;
using asio::ip::tcp;

namespace {

std::uint16_t freeLoopbackPort() {
    asio::io_context io;
    tcp::acceptor acceptor(io, tcp::endpoint(asio::ip::address_v4::loopback(), 0));
    return acceptor.local_endpoint().port();
}

bool accepts(std::uint16_t port) {
    asio::io_context io;
    tcp::socket socket(io);
    boost::system::error_code error;
    socket.connect(tcp::endpoint(asio::ip::address_v4::loopback(), port), error);
    return !error;
}

} // namespace

NginxServer::NginxServer(const std::string& root, const std::string& prefix)
    : prefix_(prefix), port_(freeLoopbackPort()) {
    const std::string script = ZOLVERA_SOURCE_DIR "/scripts/serve-nginx";
    const std::string port = std::to_string(port_);
    char* argv[] = {const_cast<char*>(script.c_str()), const_cast<char*>(root.c_str()),
                    const_cast<char*>(port.c_str()), const_cast<char*>(prefix.c_str()), nullptr};
    if (posix_spawn(&pid_, script.c_str(), nullptr, nullptr, argv, environ) != 0)
        throw std::runtime_error("cannot start " + script);
    // Waiting for the server to listen: a start-up, not a timing under test.
    for (int attempt = 0; attempt < 500 && !accepts(port_); ++attempt) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            throw std::runtime_error("nginx ended at start-up:\n" +
                                     readFile(prefix + "/error.log"));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

NginxServer::~NginxServer() {
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
}

std::string NginxServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::string NginxServer::accessLog() const {
    return readFile(prefix_ + "/access.log");
}

} // namespace zolvera::test
