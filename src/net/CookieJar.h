#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zolvera::net {

// The cookies a client has been given, kept in memory only. Set-Cookie (and the older
// Set-Cookie2) values are stored with their domain and path and sent back to the requests they
// match. Written here because no Debian library offers a small client-side jar.
class CookieJar {
public:
    // Stores the cookie of one Set-Cookie header received from host for a request of path.
    // A cookie for another domain is refused; Max-Age=0 (or less) removes a stored one.
    void store(const std::string& host, const std::string& path, std::string_view header);

    // The Cookie header's value for a request to host and path, longer paths first;
    // empty when no cookie applies.
    std::string header(const std::string& host, const std::string& path) const;

private:
    struct Cookie {
        std::string name;
        std::string value;
        std::string domain;
        std::string path;
        bool hostOnly = true;
        bool secure = false;
    };

    std::vector<Cookie> cookies_;
};

} // namespace zolvera::net
