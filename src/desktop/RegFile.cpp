#include "desktop/RegFile.h"

#include "desktop/RegValueText.h"
#include "platform/Locale.h"

#include <algorithm>
#include <array>

namespace zolvera::desktop {

using regtext::isStorableName;
using regtext::startsWith;
using regtext::trimmed;

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

// The form names are compared in. Plain ASCII names, nearly all of them, are folded here:
// the same result as Unicode case folding, without its cost on stores of many keys.
std::string folded(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return platform::foldCase(name);
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
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

// Reads the lines of a store into a RegFile, one kind of line at a time.
class Parser {
public:
    explicit Parser(std::string_view text) : lines_(linesOf(text)) {}

    std::optional<RegFile> run() {
        bool sawHeader = false;
        for (next_ = 0; next_ < lines_.size();) {
            const std::string_view line = trimmed(lines_[next_++]);
            if (line.empty() || line.front() == ';')
                continue;
            const bool ok = !sawHeader            ? line == "REGEDIT4"
                            : line.front() == '[' ? keyHeader(line)
                                                  : valueLine(line);
            if (!ok)
                return std::nullopt;
            sawHeader = true;
        }
        return std::move(file_);
    }

private:
    // "[ROOT\path]" makes the key current.
    bool keyHeader(std::string_view line) {
        if (line.back() != ']')
            return false;
        line = line.substr(1, line.size() - 2);
        const auto separator = line.find('\\');
        const auto root = rootIndex(line.substr(0, separator));
        if (!root)
            return false;
        const auto path =
            separator == std::string_view::npos ? std::string_view() : line.substr(separator + 1);
        current_ = file_.create(kRoots[*root].code, path);
        return current_.has_value();
    }

    // "name"=data or @=data under the current key.
    bool valueLine(std::string_view line) {
        std::string name;
        if (line.front() == '"') {
            auto quotedName = regtext::takeQuoted(line);
            if (!quotedName)
                return false;
            name = std::move(*quotedName);
        } else if (line.front() == '@') {
            line.remove_prefix(1);
        } else {
            return false;
        }
        line = trimmed(line);
        if (!current_ || !startsWith(line, "="))
            return false;
        const auto value = regtext::parseData(joinedData(trimmed(line.substr(1))));
        return value && file_.setValue(*current_, name, *value);
    }

    // Hex lists go on over the following lines while a line ends in a backslash.
    std::string joinedData(std::string_view first) {
        std::string data(first);
        while (startsWith(data, "hex") && data.back() == '\\' && next_ < lines_.size()) {
            data.pop_back();
            data += trimmed(lines_[next_++]);
        }
        return data;
    }

    std::vector<std::string_view> lines_;
    std::size_t next_ = 0;
    RegFile file_;
    std::optional<RegFile::KeyId> current_;
};

} // namespace

RegFile::RegFile() {
    for (const auto& root : kRoots)
        keys_.push_back(Key{std::string(root.name), {}, {}, {}, {}});
}

std::optional<RegFile> RegFile::parse(std::string_view text) {
    if (text.size() > kMaxTextSize)
        return std::nullopt;
    return Parser(text).run();
}

// Writes a key's header when it has values or is a leaf (so empty keys are kept). A root key
// without values needs no header.
void RegFile::appendKey(std::string& out, KeyId id, std::string_view path) const {
    const Key& key = keys_[id];
    if (key.values.empty() && (id < kRoots.size() || !key.children.empty()))
        return;
    out += "\n[";
    out += path;
    out += "]\n";
    for (const auto& entry : key.values)
        regtext::appendValueLine(out, entry.name, entry.value);
}

std::string RegFile::text() const {
    std::string out = "REGEDIT4\n";
    // Depth first, each key before its subkeys, with a stack of its own instead of recursion.
    // Each entry holds the length its parent's path has in path.
    std::vector<std::pair<KeyId, std::size_t>> pending;
    for (std::size_t i = kRoots.size(); i-- > 0;)
        pending.emplace_back(i, 0);
    std::string path;
    while (!pending.empty()) {
        const auto [id, parentLength] = pending.back();
        pending.pop_back();
        path.resize(parentLength);
        if (id >= kRoots.size())
            path += '\\';
        path += keys_[id].name;
        appendKey(out, id, path);
        const auto& children = keys_[id].children;
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            pending.emplace_back(*child, path.size());
    }
    return out;
}

std::optional<RegFile::KeyId> RegFile::child(KeyId key, std::string_view name) const {
    const auto& index = keys_[key].childByName;
    const auto found = index.find(folded(name));
    if (found == index.end())
        return std::nullopt;
    return found->second;
}

std::optional<RegFile::KeyId> RegFile::find(std::uint32_t root, std::string_view path) const {
    const auto index = rootIndex(root);
    const auto parts = splitKeyPath(path);
    if (!index || !parts)
        return std::nullopt;
    std::optional<KeyId> key = *index;
    for (const auto part : *parts)
        if (!(key = child(*key, part)))
            return std::nullopt;
    return key;
}

std::optional<RegFile::KeyId> RegFile::create(std::uint32_t root, std::string_view path) {
    const auto index = rootIndex(root);
    const auto parts = splitKeyPath(path);
    if (!index || !parts)
        return std::nullopt;
    KeyId key = *index;
    for (const auto part : *parts) {
        const KeyId made = keys_.size();
        const auto [entry, added] = keys_[key].childByName.try_emplace(folded(part), made);
        if (!added) {
            key = entry->second;
            continue;
        }
        keys_[key].children.push_back(made);
        keys_.push_back(Key{std::string(part), {}, {}, {}, {}}); // entry may move: not used after
        key = made;
    }
    return key;
}

const RegistryValue* RegFile::value(KeyId key, std::string_view name) const {
    const auto& entry = keys_[key];
    const auto found = entry.valueByName.find(folded(name));
    return found == entry.valueByName.end() ? nullptr : &entry.values[found->second].value;
}

bool RegFile::setValue(KeyId key, std::string_view name, const RegistryValue& value) {
    if (!isStorableName(name))
        return false;
    auto& entry = keys_[key];
    const auto [slot, added] = entry.valueByName.try_emplace(folded(name), entry.values.size());
    if (added)
        entry.values.push_back(Value{std::string(name), value});
    else
        entry.values[slot->second].value = value;
    return true;
}

} // namespace zolvera::desktop
