#include "net/ReplyParsing.h"
#include "platform/Translate.h"

#include <algorithm>
#include <cctype>

namespace zolvera::net {

bool HeaderScan::complete(std::string_view bytes) {
    for (; scanned_ < bytes.size(); ++scanned_) {
        if (bytes[scanned_] != '\n') {
            // One more than the limit leaves room for the CR before the LF.
            if (scanned_ - lineStart_ > kMaxHeaderLine)
                throw Failure(platform::translate("Net", "A válasz egyik fejlécsora túl hosszú."));
            continue;
        }
        std::size_t length = scanned_ - lineStart_;
        if (length > 0 && bytes[scanned_ - 1] == '\r')
            --length;
        if (length > kMaxHeaderLine)
            throw Failure(platform::translate("Net", "A válasz egyik fejlécsora túl hosszú."));
        if (lineStart_ == 0)
            statusLine_ = std::string(bytes.substr(0, length));
        lineStart_ = scanned_ + 1;
        if (length == 0) {
            ++scanned_;
            return true;
        }
    }
    if (scanned_ > kMaxHeader)
        throw Failure(platform::translate("Net", "A válasz fejléce túl nagy."));
    return false;
}

std::string HeaderScan::forParser(std::string_view bytes) const {
    std::string header(bytes.substr(0, scanned_));
    // "HTTP/1.1 200": version, a space and three digits with nothing after them.
    const bool withoutReason = statusLine_.size() == 12 && statusLine_[8] == ' ' &&
                               std::all_of(statusLine_.begin() + 9, statusLine_.end(),
                                           [](unsigned char c) { return std::isdigit(c); });
    if (withoutReason)
        header.insert(statusLine_.size(), " ");
    return header;
}

BodyTooLarge::BodyTooLarge(std::uint64_t limit)
    : Failure(platform::substitute(
          platform::translate("Net", "A válasz nagyobb a megengedett %1 bájtnál."),
          {std::to_string(limit)})) {}

} // namespace zolvera::net
