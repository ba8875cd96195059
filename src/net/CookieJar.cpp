#include "net/CookieJar.h"

#include <boost/algorithm/string/case_conv.hpp>
#include <boost/algorithm/string/predicate.hpp>
#include <boost/algorithm/string/trim.hpp>
#include <boost/asio/ip/address.hpp>

#include <libpsl.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <vector>

namespace zolvera::net {

namespace {

using Clock = std::chrono::system_clock;

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

// The host may set a cookie for domain: the host itself, or a domain it lies in that is no
// public suffix.
bool mayServe(const std::string& host, const std::string& domain) {
    if (host == domain)
        return true;
    static const psl_ctx_t* const suffixes = psl_latest(nullptr);
    return domainMatches(host, domain) &&
           (suffixes == nullptr ||
            psl_is_cookie_domain_acceptable(suffixes, host.c_str(), domain.c_str()) != 0);
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

std::optional<long> wholeNumber(std::string_view text) {
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(separator, start), text.size());
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// Cookies live at most 400 days, as browsers keep them; the cap also keeps a far date or a huge
// Max-Age inside the clock's range.
constexpr std::chrono::seconds kLongestLife = std::chrono::days(400);

std::chrono::sys_seconds latestExpiry() {
    return std::chrono::floor<std::chrono::seconds>(Clock::now()) + kLongestLife;
}

} // namespace

std::optional<Clock::time_point> parseCookieDate(std::string_view text) {
    // Tokens are separated by anything but letters, digits and ':'; the first token of each
    // kind counts: a time h:m:s, a day of one or two digits, a month by its first three
    // letters, a year of two to four digits.
    static constexpr std::array<std::string_view, 12> kMonths = {
        "jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};
    std::optional<int> hour, minute, second, day, month, year;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto isPart = [](unsigned char c) { return std::isalnum(c) || c == ':'; };
        while (start < text.size() && !isPart(static_cast<unsigned char>(text[start])))
            ++start;
        std::size_t end = start;
        while (end < text.size() && isPart(static_cast<unsigned char>(text[end])))
            ++end;
        const std::string_view token = text.substr(start, end - start);
        start = end;
        if (token.empty())
            continue;
        const std::vector<std::string_view> clock = split(token, ':');
        if (!hour && clock.size() == 3) {
            const auto h = wholeNumber(clock[0]), m = wholeNumber(clock[1]),
                       s = wholeNumber(clock[2]);
            if (h && m && s) {
                hour = int(*h), minute = int(*m), second = int(*s);
                continue;
            }
        }
        const auto number = wholeNumber(token);
        if (!day && number && token.size() <= 2) {
            day = int(*number);
        } else if (!month && token.size() >= 3) {
            const std::string prefix =
                boost::algorithm::to_lower_copy(std::string(token.substr(0, 3)));
            const auto found = std::find(kMonths.begin(), kMonths.end(), prefix);
            if (found != kMonths.end())
                month = int(found - kMonths.begin()) + 1;
            else if (!year && number && token.size() <= 4)
                year = int(*number);
        } else if (!year && number && token.size() <= 4) {
            year = int(*number);
        }
    }
    if (!hour || !day || !month || !year)
        return std::nullopt;
    if (*year < 70)
        *year += 2000;
    else if (*year < 100)
        *year += 1900;
    const std::chrono::year_month_day date{std::chrono::year(*year),
                                           std::chrono::month(unsigned(*month)),
                                           std::chrono::day(unsigned(*day))};
    if (*year < 1601 || !date.ok() || *hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;
    const std::chrono::sys_seconds when = std::chrono::sys_days(date) + std::chrono::hours(*hour) +
                                          std::chrono::minutes(*minute) +
                                          std::chrono::seconds(*second);
    // Counted in seconds first: a far year (up to 9999) overflows the clock's nanoseconds.
    return std::min(when, latestExpiry());
}

void CookieJar::store(const std::string& host, const std::string& path, std::string_view header) {
    if (auto parsed = parse(host, path, header))
        keep(std::move(parsed->first), std::move(parsed->second));
}

std::optional<std::pair<CookieJar::Key, CookieJar::Cookie>>
CookieJar::parse(const std::string& host, const std::string& path, std::string_view header) {
    const std::vector<std::string_view> parts = split(header, ';');
    const std::size_t equals = parts.front().find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const std::string name = trimmed(parts.front().substr(0, equals));
    Cookie cookie;
    cookie.value = unquoted(trimmed(parts.front().substr(equals + 1)));
    if (name.empty() || name.size() + cookie.value.size() > kMaxCookieSize)
        return std::nullopt;

    std::string domain = host;
    std::string cookiePath = defaultPath(path);
    std::optional<long> maxAge;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::size_t eq = parts[i].find('=');
        const std::string attribute =
            boost::algorithm::to_lower_copy(trimmed(parts[i].substr(0, eq)));
        const std::string value = eq == std::string_view::npos
                                      ? std::string()
                                      : unquoted(trimmed(parts[i].substr(eq + 1)));
        if (attribute == "domain" && !value.empty()) {
            domain = boost::algorithm::to_lower_copy(value);
            if (domain.front() == '.')
                domain.erase(0, 1);
            cookie.hostOnly = false;
        } else if (attribute == "path" && !value.empty() && value.front() == '/') {
            cookiePath = value;
        } else if (attribute == "secure") {
            cookie.secure = true;
        } else if (attribute == "max-age") {
            maxAge = wholeNumber(value);
        } else if (attribute == "expires" && !maxAge) {
            cookie.expires = parseCookieDate(value);
        }
    }
    if (maxAge)
        cookie.expires = std::chrono::floor<std::chrono::seconds>(Clock::now()) +
                         std::chrono::seconds(std::clamp(*maxAge, -1L, kLongestLife.count()));
    if (!mayServe(host, domain))
        return std::nullopt;
    return std::pair{Key{domain, cookiePath, name}, std::move(cookie)};
}

void CookieJar::keep(Key key, Cookie cookie) {
    const std::string& domain = std::get<0>(key);
    const auto stored = cookies_.find(key);
    if (cookie.expires && *cookie.expires <= Clock::now()) {
        if (stored != cookies_.end()) {
            cookies_.erase(stored);
            --perDomain_[domain];
        }
        return;
    }
    if (stored != cookies_.end()) {
        cookie.order = stored->second.order;
        stored->second = std::move(cookie);
        return;
    }
    std::size_t& count = perDomain_[domain];
    if (count >= kMaxPerDomain)
        return;
    ++count;
    cookie.order = stored_++;
    cookies_.emplace(std::move(key), std::move(cookie));
}

std::string CookieJar::header(const std::string& host, const std::string& path) const {
    const auto now = Clock::now();
    std::vector<std::pair<const Key*, const Cookie*>> matching;
    for (const auto& [key, cookie] : cookies_) {
        const std::string& domain = std::get<0>(key);
        const bool domainOk = cookie.hostOnly ? host == domain : domainMatches(host, domain);
        // Only plain http is spoken, so a cookie meant for secure connections never goes out.
        if (domainOk && !cookie.secure && pathMatches(path, std::get<1>(key)) &&
            (!cookie.expires || *cookie.expires > now))
            matching.emplace_back(&key, &cookie);
    }
    std::sort(matching.begin(), matching.end(), [](const auto& a, const auto& b) {
        const std::size_t aPath = std::get<1>(*a.first).size(),
                          bPath = std::get<1>(*b.first).size();
        return aPath != bPath ? aPath > bPath : a.second->order < b.second->order;
    });
    std::string result;
    for (const auto& [key, cookie] : matching) {
        const std::string pair = std::get<2>(*key) + "=" + cookie->value;
        if (result.size() + 2 + pair.size() > kMaxHeader)
            break;
        result += (result.empty() ? "" : "; ") + pair;
    }
    return result;
}

} // namespace zolvera::net
