#include "desktop/RegFile.h"

#include "platform/Locale.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace zolvera::desktop {

namespace {

struct RootName {
    std::uint32_t code;
    std::string_view name;
};

constexpr std::array<RootName, 5> kRoots{{
    {kClassesRoot, "HKEY_CLASSES_ROOT"},
    {kCurrentUser, "HKEY_CURRENT_USER"},
    {kLocalMachine, "HKEY_LOCAL_MACHINE"},
    {kUsers, "HKEY_USERS"},
    {kCurrentConfig, "HKEY_CURRENT_CONFIG"},
}};

constexpr std::uint32_t kStringType = static_cast<std::uint32_t>(ValueType::String);
constexpr std::uint32_t kBinaryType = static_cast<std::uint32_t>(ValueType::Binary);
constexpr std::uint32_t kDwordType = static_cast<std::uint32_t>(ValueType::Dword);
constexpr std::size_t kHexBytesPerLine = 25;

std::optional<std::size_t> rootIndex(std::uint32_t code) {
    for (std::size_t i = 0; i < kRoots.size(); ++i)
        if (kRoots[i].code == code)
            return i;
    return std::nullopt;
}

std::optional<std::size_t> rootIndex(std::string_view name) {
    for (std::size_t i = 0; i < kRoots.size(); ++i)
        if (platform::equalsIgnoreCase(kRoots[i].name, name))
            return i;
    return std::nullopt;
}

// Names that fit on one line of the file.
bool isStorableName(std::string_view name) {
    return name.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

// The components of a key path; one trailing backslash is allowed, empty components are not.
std::optional<std::vector<std::string_view>> splitKeyPath(std::string_view path) {
    std::vector<std::string_view> parts;
    if (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    if (path.empty())
        return parts;
    for (;;) {
        const auto end = path.find('\\');
        const auto part = path.substr(0, end);
        if (part.empty() || !isStorableName(part))
            return std::nullopt;
        parts.push_back(part);
        if (end == std::string_view::npos)
            return parts;
        path.remove_prefix(end + 1);
    }
}

template <typename K> K* childNamed(K& key, std::string_view name) {
    for (auto& child : key.children)
        if (platform::equalsIgnoreCase(child.name, name))
            return &child;
    return nullptr;
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

// Reads a quoted text with the \\ and \" escapes from the front of rest.
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

std::optional<RegistryValue> parseData(std::string_view data) {
    if (startsWith(data, "\"")) {
        auto text = takeQuoted(data);
        if (!text || !trimmed(data).empty())
            return std::nullopt;
        text->push_back('\0');
        return RegistryValue{kStringType, std::move(*text)};
    }
    if (startsWith(data, "dword:")) {
        const auto number = parseHexNumber(trimmed(data.substr(6)), 8);
        if (!number)
            return std::nullopt;
        std::string bytes;
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<char>((*number >> shift) & 0xFF));
        return RegistryValue{kDwordType, bytes};
    }
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

// Splits the text into lines, dropping carriage returns and a byte order mark.
std::vector<std::string_view> linesOf(std::string_view text) {
    if (startsWith(text, "\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        auto line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
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

void appendValue(std::string& out, const RegFile::Value& entry) {
    const auto& [type, data] = entry.value;
    out += entry.name.empty() ? "@" : quoted(entry.name);
    out += '=';
    char number[16];
    if (fitsQuoted(entry.value)) {
        out += quoted(std::string_view(data).substr(0, data.size() - 1));
    } else if (type == kDwordType && data.size() == 4) {
        std::uint32_t dword = 0;
        for (int i = 3; i >= 0; --i)
            dword = (dword << 8) | static_cast<unsigned char>(data[static_cast<std::size_t>(i)]);
        std::snprintf(number, sizeof number, "dword:%08x", dword);
        out += number;
    } else {
        if (type == kBinaryType) {
            out += "hex:";
        } else {
            std::snprintf(number, sizeof number, "hex(%x):", type);
            out += number;
        }
        for (std::size_t i = 0; i < data.size(); ++i) {
            if (i > 0)
                out += i % kHexBytesPerLine == 0 ? ",\\\n  " : ",";
            std::snprintf(number, sizeof number, "%02x", static_cast<unsigned char>(data[i]));
            out += number;
        }
    }
    out += '\n';
}

// Writes a key's header when it has values or is a leaf (so empty keys are kept), then its
// subkeys. A root key without values needs no header.
void appendKey(std::string& out, const std::string& path, const RegFile::Key& key, bool isRoot) {
    if (!key.values.empty() || (!isRoot && key.children.empty())) {
        out += "\n[" + path + "]\n";
        for (const auto& entry : key.values)
            appendValue(out, entry);
    }
    for (const auto& child : key.children)
        appendKey(out, path + "\\" + child.name, child, false);
}

} // namespace

RegFile::RegFile() {
    for (std::size_t i = 0; i < kRoots.size(); ++i)
        roots_[i].name = kRoots[i].name;
}

std::optional<RegFile> RegFile::parse(std::string_view text) {
    RegFile file;
    const auto lines = linesOf(text);
    bool sawHeader = false;
    Key* current = nullptr;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = trimmed(lines[i]);
        if (line.empty() || line.front() == ';')
            continue;
        if (!sawHeader) {
            if (line != "REGEDIT4")
                return std::nullopt;
            sawHeader = true;
        } else if (line.front() == '[') {
            const auto separator = line.find('\\');
            const auto root = rootIndex(line.substr(1, std::min(separator, line.size() - 1) - 1));
            if (line.back() != ']' || !root)
                return std::nullopt;
            const auto path = separator == std::string_view::npos
                                  ? std::string_view()
                                  : line.substr(separator + 1, line.size() - separator - 2);
            current = file.create(kRoots[*root].code, path);
            if (current == nullptr)
                return std::nullopt;
        } else {
            std::string name;
            if (line.front() == '"') {
                auto quotedName = takeQuoted(line);
                if (!quotedName)
                    return std::nullopt;
                name = std::move(*quotedName);
            } else if (line.front() == '@') {
                line.remove_prefix(1);
            } else {
                return std::nullopt;
            }
            line = trimmed(line);
            if (current == nullptr || !startsWith(line, "="))
                return std::nullopt;
            std::string data(trimmed(line.substr(1)));
            // Hex lists go on over the following lines while a line ends in a backslash.
            while (startsWith(data, "hex") && !data.empty() && data.back() == '\\' &&
                   i + 1 < lines.size()) {
                data.pop_back();
                data += trimmed(lines[++i]);
            }
            const auto value = parseData(data);
            if (!value || !setValue(*current, name, *value))
                return std::nullopt;
        }
    }
    return file;
}

std::string RegFile::text() const {
    std::string out = "REGEDIT4\n";
    for (std::size_t i = 0; i < kRoots.size(); ++i)
        appendKey(out, roots_[i].name, roots_[i], true);
    return out;
}

const RegFile::Key* RegFile::find(std::uint32_t root, std::string_view path) const {
    const auto index = rootIndex(root);
    const auto parts = splitKeyPath(path);
    if (!index || !parts)
        return nullptr;
    const Key* key = &roots_[*index];
    for (const auto part : *parts) {
        key = childNamed(*key, part);
        if (key == nullptr)
            return nullptr;
    }
    return key;
}

RegFile::Key* RegFile::create(std::uint32_t root, std::string_view path) {
    const auto index = rootIndex(root);
    const auto parts = splitKeyPath(path);
    if (!index || !parts)
        return nullptr;
    Key* key = &roots_[*index];
    for (const auto part : *parts) {
        Key* child = childNamed(*key, part);
        if (child == nullptr)
            child = &key->children.emplace_back(Key{std::string(part), {}, {}});
        key = child;
    }
    return key;
}

const RegistryValue* RegFile::value(const Key& key, std::string_view name) {
    for (const auto& entry : key.values)
        if (platform::equalsIgnoreCase(entry.name, name))
            return &entry.value;
    return nullptr;
}

bool RegFile::setValue(Key& key, std::string_view name, const RegistryValue& value) {
    if (!isStorableName(name))
        return false;
    for (auto& entry : key.values) {
        if (platform::equalsIgnoreCase(entry.name, name)) {
            entry.value = value;
            return true;
        }
    }
    key.values.push_back(Value{std::string(name), value});
    return true;
}

} // namespace zolvera::desktop
