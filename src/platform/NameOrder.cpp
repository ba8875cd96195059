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

// The name as upper-cased UTF-16 code units. Each code unit is mapped on its own, as the
// file system's table of upper-case units does, so characters beyond the first plane keep
// their case. A byte that is not UTF-8 becomes a unit above every UTF-16 unit.
std::u32string nameKey(std::string_view name) {
    std::u32string key;
    key.reserve(name.size());
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(name.data());
    const auto length = static_cast<std::int32_t>(name.size());
    for (std::int32_t i = 0; i < length;) {
        const std::int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) {
            for (std::int32_t b = start; b < i; ++b)
                key.push_back(0x10000 + bytes[b]);
        } else if (U_IS_BMP(c)) {
            key.push_back(static_cast<char32_t>(u_toupper(c)));
        } else {
            key.push_back(U16_LEAD(c));
            key.push_back(U16_TRAIL(c));
        }
    }
    return key;
}

} // namespace

void sortInNameOrder(std::vector<std::string>& names) {
    std::vector<std::pair<std::u32string, std::string>> keyed;
    keyed.reserve(names.size());
    for (std::string& name : names)
        keyed.emplace_back(nameKey(name), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    names.clear();
    for (auto& entry : keyed)
        names.push_back(std::move(entry.second));
}

} // namespace zolvera::platform
