#include "net/ReplyParsing.h"

#include "platform/Failure.h"

namespace zolvera::net {

bool HeaderScan::complete(std::string_view bytes) {
    for (; scanned_ < bytes.size(); ++scanned_) {
        if (bytes[scanned_] != '\n') {
            // One more than the limit leaves room for the CR before the LF.
            if (scanned_ - lineStart_ > kMaxHeaderLine)
                throw Failure("Reply header line too long.");
            continue;
        }
        std::size_t length = scanned_ - lineStart_;
        if (length > 0 && bytes[scanned_ - 1] == '\r')
            --length;
        if (length > kMaxHeaderLine)
            throw Failure("Reply header line too long.");
        if (lineStart_ == 0)
            statusLine_ = std::string(bytes.substr(0, length));
        lineStart_ = scanned_ + 1;
        if (length == 0) {
            ++scanned_;
            return true;
        }
    }
    if (scanned_ > kMaxHeader)
        throw Failure("Reply header too large.");
    return false;
}

} // namespace zolvera::net
