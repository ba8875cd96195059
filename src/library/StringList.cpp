#include "library/StringList.h"

#include "platform/Failure.h"

#include <algorithm>

namespace zolvera::library {

void StringList::check(int index) const {
    if (index < 0 || index >= count())
        throw failures::listIndexOutOfBounds(index);
}

const std::string& StringList::at(int index) const {
    check(index);
    return items_[static_cast<std::size_t>(index)];
}

void StringList::remove(int index) {
    check(index);
    items_.erase(items_.begin() + index);
}

void StringList::keepFlagged(const std::vector<bool>& kept, int first, int last) {
    auto to = items_.begin() + first;
    for (auto from = to; from != items_.begin() + last; ++from) {
        if (!kept.at(std::size_t(from - items_.begin())))
            continue;
        if (to != from)
            *to = std::move(*from);
        ++to;
    }
    items_.erase(std::move(items_.begin() + last, items_.end(), to), items_.end());
}

StringList textLines(std::string_view text) {
    StringList lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.add(std::string(text.substr(start)));
            break;
        }
        lines.add(std::string(text.substr(start, end - start)));
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        start = end + (crLf ? 2 : 1);
    }
    return lines;
}

} // namespace zolvera::library
