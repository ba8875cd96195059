#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>

namespace zolvera::test {

// Debian's nginx serving a folder on a free loopback port (through scripts/serve-nginx), its
// files under a prefix folder; stopped when the object goes away.
class NginxServer {
public:
    NginxServer(const std::string& root, const std::string& prefix);
    ~NginxServer();
    NginxServer(const NginxServer&) = delete;
    NginxServer& operator=(const NginxServer&) = delete;

    std::uint16_t port() const { return port_; }
    std::string url(const std::string& path) const;
    // The access log: one line per request, "<connection> <request number on it> ...".
    std::string accessLog() const;

private:
    std::string prefix_;
    std::uint16_t port_ = 0;
    pid_t pid_ = -1;
};

} // namespace zolvera::test
