#include "desktop/RegValueText.h"

#include <charconv>
#include <cstdio>

namespace zolvera::desktop::regtext {

namespace {

constexpr std::uint32_t kStringType = static_cast<std::uint32_t>(ValueType::String);
constexpr std::uint32_t kBinaryType = static_cast<std::uint32_t>(ValueType::Binary);
constexpr std::uint32_t kDwordType = static_cast<std::uint32_t>(ValueType::Dword);
constexpr std::size_t kHexBytesPerLine = 25;

std::optional<std::uint32_t> parseHexNumber(std::string_view digits, std::size_t maxDigits) {
    std::uint32_t number = 0;
    if (digits.empty() || digits.size() > maxDigits)
        return std::nullopt;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), number, 16);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return number;
}

std::optional<std::string> parseHexBytes(std::string_view list) {
    std::string bytes;
    if (trimmed(list).empty())
        return bytes;
    for (;;) {
        const auto comma = list.find(',');
        const auto byte = parseHexNumber(trimmed(list.substr(0, comma)), 2);
        if (!byte)
            return std::nullopt;
        bytes.push_back(static_cast<char>(*byte));
        if (comma == std::string_view::npos)
            return bytes;
        list.remove_prefix(comma + 1);
    }
}

std::optional<RegistryValue> parseString(std::string_view data) {
    auto text = takeQuoted(data);
    if (!text || !trimmed(data).empty())
        return std::nullopt;
    text->push_back('\0');
    return RegistryValue{kStringType, std::move(*text)};
}

std::optional<RegistryValue> parseDword(std::string_view digits) {
    const auto number = parseHexNumber(trimmed(digits), 8);
    if (!number)
        return std::nullopt;
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<char>((*number >> shift) & 0xFF));
    return RegistryValue{kDwordType, bytes};
}

// hex:.. (binary) or hex(N):.. (any type code).
std::optional<RegistryValue> parseHex(std::string_view data) {
    std::uint32_t type = kBinaryType;
    if (startsWith(data, "hex(")) {
        const auto close = data.find("):");
        const auto code = close == std::string_view::npos
                              ? std::nullopt
                              : parseHexNumber(data.substr(4, close - 4), 8);
        if (!code)
            return std::nullopt;
        type = *code;
        data.remove_prefix(close + 2);
    } else if (startsWith(data, "hex:")) {
        data.remove_prefix(4);
    } else {
        return std::nullopt;
    }
    auto bytes = parseHexBytes(data);
    if (!bytes)
        return std::nullopt;
    return RegistryValue{type, std::move(*bytes)};
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"')
            out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

// A plain string whose text fits between quotes on one line; others are written as hex(1).
bool fitsQuoted(const RegistryValue& value) {
    const auto& data = value.data;
    return value.type == kStringType && !data.empty() && data.back() == '\0' &&
           isStorableName(std::string_view(data).substr(0, data.size() - 1));
}

void appendHex(std::string& out, const RegistryValue& value) {
    char number[16];
    if (value.type == kBinaryType) {
        out += "hex:";
    } else {
        std::snprintf(number, sizeof number, "hex(%x):", value.type);
        out += number;
    }
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        if (i > 0)
            out += i % kHexBytesPerLine == 0 ? ",\\\n  " : ",";
        std::snprintf(number, sizeof number, "%02x", static_cast<unsigned char>(value.data[i]));
        out += number;
    }
}

} // namespace

bool isStorableName(std::string_view name) {
    return name.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::optional<std::string> takeQuoted(std::string_view& rest) {
    std::string text;
    for (std::size_t i = 1; i < rest.size(); ++i) {
        const char c = rest[i];
        if (c == '"') {
            rest.remove_prefix(i + 1);
            return text;
        }
        if (c == '\\') {
            if (++i == rest.size() || (rest[i] != '\\' && rest[i] != '"'))
                return std::nullopt;
        }
        text.push_back(rest[i]);
    }
    return std::nullopt;
}

std::optional<RegistryValue> parseData(std::string_view data) {
    if (startsWith(data, "\""))
        return parseString(data);
    if (startsWith(data, "dword:"))
        return parseDword(data.substr(6));
    return parseHex(data);
}

void appendValueLine(std::string& out, std::string_view name, const RegistryValue& value) {
    out += name.empty() ? "@" : quoted(name);
    out += '=';
    if (fitsQuoted(value)) {
        out += quoted(std::string_view(value.data).substr(0, value.data.size() - 1));
    } else if (value.type == kDwordType && value.data.size() == 4) {
        std::uint32_t dword = 0;
        for (int i = 3; i >= 0; --i)
            dword =
                (dword << 8) | static_cast<unsigned char>(value.data[static_cast<std::size_t>(i)]);
        char number[16];
        std::snprintf(number, sizeof number, "dword:%08x", dword);
        out += number;
    } else {
        appendHex(out, value);
    }
    out += '\n';
}

} // namespace zolvera::desktop::regtext
