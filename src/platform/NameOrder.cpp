#include "platform/NameOrder.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

namespace zolvera::platform {

namespace {

// A name read as its key: upper-cased UTF-16 code units, one at a time. Each code unit is mapped
// on its own, as the file system's table of upper-case units does, so characters beyond the
// first plane keep their case. A byte that is not UTF-8 becomes a unit above every UTF-16 unit.
// The key is made while comparing rather than stored, so that sorting a hundred thousand names
// takes no memory beside them.
class KeyReader {
public:
    // Reads from the byte at `from`, which starts a character.
    KeyReader(std::string_view name, std::size_t from)
        : bytes_(reinterpret_cast<const std::uint8_t*>(name.data())),
          length_(static_cast<std::int32_t>(name.size())), next_(static_cast<std::int32_t>(from)) {}

    bool atEnd() const { return next_ >= length_ && trail_ == 0; }

    char32_t next() {
        if (trail_ != 0)
            return std::exchange(trail_, 0);
        if (next_ < notUtf8End_)
            return notUtf8(next_++);
        const std::uint8_t first = bytes_[next_];
        if (first < 0x80) {
            ++next_;
            return first >= 'a' && first <= 'z' ? first - 'a' + 'A' : first;
        }
        const std::int32_t start = next_;
        UChar32 c = 0;
        U8_NEXT(bytes_, next_, length_, c);
        if (c < 0) {
            // Every byte of the rejected sequence counts on its own.
            notUtf8End_ = next_;
            next_ = start + 1;
            return notUtf8(start);
        }
        if (U_IS_BMP(c))
            return static_cast<char32_t>(u_toupper(c));
        trail_ = U16_TRAIL(c);
        return U16_LEAD(c);
    }

private:
    char32_t notUtf8(std::int32_t at) const { return 0x10000 + bytes_[at]; }

    const std::uint8_t* bytes_;
    std::int32_t length_;
    std::int32_t next_;
    std::int32_t notUtf8End_ = 0;
    char32_t trail_ = 0; // the second unit of a character beyond the first plane
};

// Whether a character (or a byte that is not UTF-8) starts at the position: a UTF-8 decoder never
// takes a byte that is not a continuation byte into the character before it.
bool startsCharacter(std::string_view name, std::size_t at) {
    return at >= name.size() || (static_cast<std::uint8_t>(name[at]) & 0xC0) != 0x80;
}

bool comesBefore(std::string_view a, std::string_view b) {
    // The bytes both names begin with give both the same units: the keys are compared from the
    // start of the character where the bytes first differ. Names in one folder mostly share a
    // long beginning ("IMG_2023...").
    std::size_t from =
        std::size_t(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
    while (from > 0 && !(startsCharacter(a, from) && startsCharacter(b, from)))
        --from;
    KeyReader keyA(a, from);
    KeyReader keyB(b, from);
    while (!keyA.atEnd() && !keyB.atEnd()) {
        const char32_t unitA = keyA.next();
        const char32_t unitB = keyB.next();
        if (unitA != unitB)
            return unitA < unitB;
    }
    if (keyA.atEnd() != keyB.atEnd())
        return keyA.atEnd();
    return a < b;
}

} // namespace

void sortInNameOrder(std::vector<std::string>::iterator first,
                     std::vector<std::string>::iterator last) {
    std::sort(first, last,
              [](const std::string& a, const std::string& b) { return comesBefore(a, b); });
}

void sortInNameOrder(std::vector<std::string>& names) {
    sortInNameOrder(names.begin(), names.end());
}

} // namespace zolvera::platform
