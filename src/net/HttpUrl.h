#pragma once

#include <cstdint>
#include <string>

namespace zolvera::net {

// An http URL split into what the request needs. Nothing is decoded or encoded.
struct HttpUrl {
    std::string host; // as written, brackets of an IPv6 literal included
    std::uint16_t port = 80;
    std::string target; // path, file name and query as written; "/" when the URL has none

    // The Host header's value: the host, with ":port" when the port is not 80.
    std::string hostHeader() const;
    // The host as the resolver takes it (IPv6 brackets removed) in lower case.
    std::string hostName() const;
    // The target without its query: the path cookies are matched against.
    std::string path() const;
};

// Splits "http://host[:port][/target][#fragment]"; the scheme in any letter case. Throws a
// Failure before anything touches the network for any other scheme, a missing host, a bad
// port or a control character (which would end the request line early).
HttpUrl parseHttpUrl(const std::string& url);

} // namespace zolvera::net
