#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <utility>

namespace zolvera::net {

// The cookies a client has been given, kept in memory only. Set-Cookie (and the older
// Set-Cookie2) values are stored with their domain and path and sent back to the requests they
// match. Written here because no Debian library offers a small client-side jar; the public
// suffixes come from libpsl.
class CookieJar {
public:
    // The usual browser limits: cookies kept per domain, and bytes of one name and value.
    static constexpr std::size_t kMaxPerDomain = 200;
    static constexpr std::size_t kMaxCookieSize = 4096;
    // The Cookie header stays within the line length servers commonly accept.
    static constexpr std::size_t kMaxHeader = 8000;

    // Stores the cookie of one Set-Cookie header received from host for a request of path.
    // Refused: a Domain that the host is not in or that is a public suffix ("com", "co.uk"), a
    // cookie over kMaxCookieSize, and a new one for a domain that holds kMaxPerDomain already.
    // Max-Age, or else Expires, in the past removes a stored one.
    void store(const std::string& host, const std::string& path, std::string_view header);

    // The Cookie header's value for a request to host and path, longer paths first, then the
    // older first, as many as fit in kMaxHeader; empty when no cookie applies.
    std::string header(const std::string& host, const std::string& path) const;

private:
    struct Cookie {
        std::string value;
        bool hostOnly = true;
        bool secure = false;
        std::optional<std::chrono::system_clock::time_point> expires;
        std::uint64_t order = 0;
    };
    using Key = std::tuple<std::string, std::string, std::string>; // domain, path, name

    // The cookie a Set-Cookie header names, with its domain and path as received from host
    // for a request of path; nothing for a header without a name or over kMaxCookieSize, or for
    // a domain the host may not set.
    static std::optional<std::pair<Key, Cookie>>
    parse(const std::string& host, const std::string& path, std::string_view header);
    // Keeps, replaces or (when expired) removes the cookie under its key, within kMaxPerDomain.
    void keep(Key key, Cookie cookie);

    std::map<Key, Cookie> cookies_;
    std::unordered_map<std::string, std::size_t> perDomain_;
    std::uint64_t stored_ = 0;
};

// The time of a cookie's Expires date ("Wed, 09 Jun 2021 10:18:14 GMT" and the older forms),
// read leniently in the way browsers do; nothing when no date can be made of it.
std::optional<std::chrono::system_clock::time_point> parseCookieDate(std::string_view text);

} // namespace zolvera::net
