#include "library/StringList.h"

#include "platform/Failure.h"

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

} // namespace zolvera::library
