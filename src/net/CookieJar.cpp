#include "net/CookieJar.h"

#include <boost/algorithm/string/case_conv.hpp>
#include <boost/algorithm/string/predicate.hpp>
#include <boost/algorithm/string/trim.hpp>
#include <boost/asio/ip/address.hpp>

#include <algorithm>
#include <charconv>

namespace zolvera::net {

namespace {

std::string trimmed(std::string_view text) {
    return boost::algorithm::trim_copy(std::string(text));
}

// Set-Cookie2 quotes its values; Set-Cookie does not, so quotes are only taken off in pairs.
std::string unquoted(std::string text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

bool isIpAddress(const std::string& host) {
    boost::system::error_code error;
    boost::asio::ip::make_address(host, error);
    return !error;
}

bool domainMatches(const std::string& host, const std::string& domain) {
    return host == domain ||
           (boost::algorithm::ends_with(host, "." + domain) && !isIpAddress(host));
}

bool pathMatches(const std::string& requestPath, const std::string& cookiePath) {
    if (!boost::algorithm::starts_with(requestPath, cookiePath))
        return false;
    return requestPath.size() == cookiePath.size() || cookiePath.back() == '/' ||
           requestPath[cookiePath.size()] == '/';
}

// The folder of the request path, the default path of a cookie that names none.
std::string defaultPath(const std::string& requestPath) {
    const std::size_t slash = requestPath.rfind('/');
    if (slash == std::string::npos || slash == 0)
        return "/";
    return requestPath.substr(0, slash);
}

} // namespace

void CookieJar::store(const std::string& host, const std::string& path, std::string_view header) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0; start <= header.size();) {
        const std::size_t end = std::min(header.find(';', start), header.size());
        parts.push_back(header.substr(start, end - start));
        start = end + 1;
    }
    const std::size_t equals = parts.front().find('=');
    if (equals == std::string_view::npos)
        return;
    Cookie cookie{trimmed(parts.front().substr(0, equals)),
                  unquoted(trimmed(parts.front().substr(equals + 1))), host, defaultPath(path)};
    if (cookie.name.empty())
        return;

    bool expired = false;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::size_t eq = parts[i].find('=');
        const std::string name = boost::algorithm::to_lower_copy(trimmed(parts[i].substr(0, eq)));
        const std::string value = eq == std::string_view::npos
                                      ? std::string()
                                      : unquoted(trimmed(parts[i].substr(eq + 1)));
        if (name == "domain" && !value.empty()) {
            cookie.domain = boost::algorithm::to_lower_copy(value);
            if (cookie.domain.front() == '.')
                cookie.domain.erase(0, 1);
            cookie.hostOnly = false;
        } else if (name == "path" && !value.empty() && value.front() == '/') {
            cookie.path = value;
        } else if (name == "secure") {
            cookie.secure = true;
        } else if (name == "max-age") {
            long seconds = 0;
            const auto [end, error] =
                std::from_chars(value.data(), value.data() + value.size(), seconds);
            expired = error == std::errc() && end == value.data() + value.size() && seconds <= 0;
        }
    }
    if (!domainMatches(host, cookie.domain))
        return;

    std::erase_if(cookies_, [&](const Cookie& stored) {
        return stored.name == cookie.name && stored.domain == cookie.domain &&
               stored.path == cookie.path;
    });
    if (!expired)
        cookies_.push_back(std::move(cookie));
}

std::string CookieJar::header(const std::string& host, const std::string& path) const {
    std::vector<const Cookie*> matching;
    for (const Cookie& cookie : cookies_) {
        const bool domainOk =
            cookie.hostOnly ? host == cookie.domain : domainMatches(host, cookie.domain);
        // Only plain http is spoken, so a cookie meant for secure connections never goes out.
        if (domainOk && !cookie.secure && pathMatches(path, cookie.path))
            matching.push_back(&cookie);
    }
    std::stable_sort(matching.begin(), matching.end(), [](const Cookie* a, const Cookie* b) {
        return a->path.size() > b->path.size();
    });
    std::string result;
    for (const Cookie* cookie : matching)
        result += (result.empty() ? "" : "; ") + cookie->name + "=" + cookie->value;
    return result;
}

} // namespace zolvera::net
