#include "library/BuiltHelp.h"

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <map>
#include <optional>
#include <string_view>

namespace zolvera::library {

namespace {

// No PDF reader is a dependency, and the few entries needed stand at the file's two ends in
// the plain form Qt's writer gives them, so a bounded scan of those ends is enough.
constexpr std::streamoff kHeadBytes = 4096;
constexpr std::streamoff kTailBytes = 1024;

std::string readPart(std::ifstream& in, std::streamoff from, std::streamoff count) {
    std::string bytes(std::size_t(count), '\0');
    in.seekg(from);
    in.read(bytes.data(), count);
    bytes.resize(std::size_t(in.gcount()));
    in.clear();
    return bytes;
}

void skipSpace(std::string_view& text) {
    while (!text.empty() &&
           std::string_view(" \t\r\n").find(text.front()) != std::string_view::npos)
        text.remove_prefix(1);
}

// A literal string "(...)" with backslash escapes, as Qt writes it; the ASCII characters of
// its UTF-16BE text when it starts with that byte order mark, others as '?'.
std::optional<std::string> literalString(std::string_view& text) {
    if (text.empty() || text.front() != '(')
        return std::nullopt;
    std::string bytes;
    std::size_t i = 1;
    for (; i < text.size() && text[i] != ')'; ++i) {
        if (text[i] == '\\' && ++i == text.size())
            return std::nullopt;
        bytes += text[i];
    }
    if (i == text.size())
        return std::nullopt;
    text.remove_prefix(i + 1);
    if (!bytes.starts_with("\xFE\xFF"))
        return bytes;
    std::string ascii;
    for (std::size_t j = 2; j + 1 < bytes.size(); j += 2)
        ascii += bytes[j] == '\0' && static_cast<unsigned char>(bytes[j + 1]) < 0x80 ? bytes[j + 1]
                                                                                     : '?';
    return ascii;
}

// The string entries of the dictionary of the file's first object; none when it is not one
// of string entries only.
std::optional<std::map<std::string, std::string>> firstObjectStrings(std::string_view head) {
    if (!head.starts_with("%PDF-"))
        return std::nullopt;
    const std::size_t object = head.find("\n1 0 obj");
    if (object == std::string_view::npos)
        return std::nullopt;
    head.remove_prefix(object + 8);
    skipSpace(head);
    if (!head.starts_with("<<"))
        return std::nullopt;
    head.remove_prefix(2);
    std::map<std::string, std::string> entries;
    for (skipSpace(head); !head.starts_with(">>"); skipSpace(head)) {
        if (head.empty() || head.front() != '/')
            return std::nullopt;
        const std::size_t end = head.find_first_of(" \t\r\n(", 1);
        if (end == std::string_view::npos)
            return std::nullopt;
        const std::string key(head.substr(1, end - 1));
        head.remove_prefix(end);
        skipSpace(head);
        const std::optional<std::string> value = literalString(head);
        if (!value)
            return std::nullopt;
        entries[key] = *value;
    }
    return entries;
}

// The last trailer names the first object as the document information and no earlier section:
// the file was written once, not updated by another program.
bool writtenOnce(std::string_view tail) {
    const std::size_t trailer = tail.rfind("trailer");
    if (trailer == std::string_view::npos)
        return false;
    tail.remove_prefix(trailer);
    const std::size_t end = tail.find("%%EOF");
    return tail.find("/Info 1 0 R") != std::string_view::npos &&
           tail.find("/Prev") == std::string_view::npos && end != std::string_view::npos &&
           tail.find_first_not_of(" \t\r\n", end + 5) == std::string_view::npos;
}

} // namespace

bool isBuiltHelpDocument(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? std::streamoff(in.tellg()) : -1;
    if (size <= 0)
        return false;
    const auto info = firstObjectStrings(readPart(in, 0, std::min(size, kHeadBytes)));
    if (!info || !writtenOnce(readPart(in, std::max<std::streamoff>(0, size - kTailBytes),
                                       std::min(size, kTailBytes))))
        return false;
    auto entry = [&](const char* key) {
        const auto found = info->find(key);
        return found == info->end() ? std::string() : found->second;
    };
    return entry("Creator").starts_with("Zolvera ") && entry("Producer").starts_with("Qt ") &&
           entry("Title").starts_with("Zolvera");
}

} // namespace zolvera::library
