#include "net/HttpUrl.h"

#include "platform/Failure.h"
#include "platform/Translate.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace zolvera::net {

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

Failure invalidUrl(const std::string& url) {
    return Failure(platform::substitute(platform::translate("Net", "Hibás webcím: %1"), {url}));
}

} // namespace

std::string HttpUrl::hostHeader() const {
    return port == 80 ? host : host + ":" + std::to_string(port);
}

std::string HttpUrl::hostName() const {
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        return lower(host.substr(1, host.size() - 2));
    return lower(host);
}

std::string HttpUrl::path() const {
    return target.substr(0, target.find('?'));
}

HttpUrl parseHttpUrl(const std::string& url) {
    if (std::any_of(url.begin(), url.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; }))
        throw invalidUrl(url);
    const std::size_t schemeEnd = url.find("://");
    if (schemeEnd == std::string::npos)
        throw invalidUrl(url);
    const std::string scheme = lower(url.substr(0, schemeEnd));
    if (scheme != "http")
        throw Failure(platform::substitute(
            platform::translate("Net", "Nem támogatott protokoll: %1."), {scheme}));

    std::string rest = url.substr(schemeEnd + 3);
    rest = rest.substr(0, rest.find('#'));
    const std::size_t authorityEnd = rest.find_first_of("/?");
    const std::string authority = rest.substr(0, authorityEnd);
    HttpUrl result;
    if (authorityEnd != std::string::npos)
        result.target = rest.substr(authorityEnd);
    if (result.target.empty() || result.target.front() != '/')
        result.target.insert(0, "/");

    // The port follows the last colon, unless that colon is inside an IPv6 literal.
    const std::size_t colon = authority.rfind(':');
    const bool hasPort =
        colon != std::string::npos && (authority.front() != '[' || authority.find(']') < colon);
    result.host = authority.substr(0, hasPort ? colon : std::string::npos);
    if (hasPort) {
        const std::string digits = authority.substr(colon + 1);
        unsigned port = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), port);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
            port == 0 || port > 65535)
            throw invalidUrl(url);
        result.port = static_cast<std::uint16_t>(port);
    }
    if (result.host.empty() || result.host == "[]")
        throw invalidUrl(url);
    return result;
}

} // namespace zolvera::net
