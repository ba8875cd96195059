#pragma once

#include <boost/asio/ip/tcp.hpp>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zolvera::net {

using Endpoints = std::vector<boost::asio::ip::tcp::endpoint>;

// Finds the addresses of a host name and port, or throws SocketFailure. It may block for as long
// as the resolver behind it takes, and nothing can interrupt it.
using HostLookup = std::function<Endpoints(const std::string& host, std::uint16_t port)>;

// The system's resolver (getaddrinfo, as configured for every program).
Endpoints systemLookup(const std::string& host, std::uint16_t port);

// Runs the lookup on a thread of its own and waits for it, checking the cancel flag at least
// every 100 milliseconds. Once the flag is raised it throws Cancelled at once and abandons the
// lookup: the thread ends by itself when the resolver returns, touching nothing of the caller's,
// and dies with the process if that ends first. Otherwise returns or throws what the lookup did.
Endpoints lookUpAbandonably(const HostLookup& lookup, const std::string& host, std::uint16_t port,
                            const std::atomic<bool>& cancel);

} // namespace zolvera::net
