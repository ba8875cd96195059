#include "platform/Profile.h"

#include "platform/Failure.h"
#include "platform/File.h"
#include "platform/FileSystem.h"

#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

// Lines end in LF or CR LF; a section line holds its name in square brackets; a key line is
// key=value. Keys before the first section line belong to no section.
namespace zolvera::platform {

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kNewLine = "\r\n";

std::string_view trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool equalsAsciiIgnoreCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

// One line of the file as offsets: its text runs from begin to textEnd, its line end (empty
// on an unterminated last line) from textEnd to end.
struct Line {
    std::size_t begin;
    std::size_t textEnd;
    std::size_t end;
};

std::vector<Line> splitLines(std::string_view content) {
    std::vector<Line> lines;
    for (std::size_t begin = 0; begin < content.size();) {
        const std::size_t newline = content.find('\n', begin);
        const std::size_t end = newline == std::string_view::npos ? content.size() : newline + 1;
        std::size_t textEnd = newline == std::string_view::npos ? end : newline;
        if (textEnd > begin && content[textEnd - 1] == '\r' && newline != std::string_view::npos)
            --textEnd;
        lines.push_back({begin, textEnd, end});
        begin = end;
    }
    return lines;
}

// Where a key of a section stands in the file, or where it would be added.
struct Location {
    std::vector<Line> lines;
    std::optional<std::size_t> section; // line index of the section line
    std::size_t sectionLastContent = 0; // its last line that is not blank
    std::optional<std::size_t> key;     // line index of the key line
    std::string_view keyName;           // the key as the file spells it
    std::string_view value;             // the value, trimmed
};

Location locate(std::string_view content, std::string_view section, std::string_view key) {
    Location at;
    at.lines = splitLines(content);
    bool inSection = false;
    bool inFirstSection = false;
    for (std::size_t i = 0; i < at.lines.size(); ++i) {
        const std::string_view text =
            trim(content.substr(at.lines[i].begin, at.lines[i].textEnd - at.lines[i].begin));
        if (text.starts_with('[')) {
            const std::string_view name = trim(text.substr(1, text.find(']') - 1));
            inSection = equalsAsciiIgnoreCase(name, section);
            inFirstSection = inSection && !at.section;
            if (inFirstSection) {
                at.section = i;
                at.sectionLastContent = i;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (inFirstSection && !text.empty())
            at.sectionLastContent = i;
        const std::size_t equals = text.find('=');
        if (!at.key && equals != std::string_view::npos &&
            equalsAsciiIgnoreCase(trim(text.substr(0, equals)), key)) {
            at.key = i;
            at.keyName = trim(text.substr(0, equals));
            at.value = trim(text.substr(equals + 1));
        }
    }
    return at;
}

std::string readContent(const std::string& path) {
    try {
        return readWholeFile(path);
    } catch (const Failure&) {
        return {};
    }
}

std::optional<std::int32_t> parseInt32(std::string_view text) {
    auto parseAll = [](std::string_view digits, auto& number, int base) {
        const char* end = digits.data() + digits.size();
        const auto [ptr, error] = std::from_chars(digits.data(), end, number, base);
        return !digits.empty() && error == std::errc() && ptr == end;
    };
    std::string_view hex;
    if (text.size() > 2 && (text.starts_with("0x") || text.starts_with("0X")))
        hex = text.substr(2);
    else if (text.starts_with('$'))
        hex = text.substr(1);
    if (hex.data() != nullptr) {
        // Hexadecimal values fill the 32 bits, so $FFFFFFFF is -1 (two's complement).
        std::uint32_t number = 0;
        if (!parseAll(hex, number, 16))
            return std::nullopt;
        return static_cast<std::int32_t>(number);
    }
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-'))
            return std::nullopt;
    }
    std::int32_t number = 0;
    if (!parseAll(text, number, 10))
        return std::nullopt;
    return number;
}

bool holdsLineBreak(std::string_view text) {
    return text.find_first_of(kNewLine) != std::string_view::npos;
}

} // namespace

std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& defaultValue) {
    const std::string content = readContent(path);
    const Location at = locate(content, section, key);
    return at.key ? std::string(at.value) : defaultValue;
}

std::int32_t readProfileInt(const std::string& path, const std::string& section,
                            const std::string& key, std::int32_t defaultValue) {
    return parseInt32(readProfileString(path, section, key, {})).value_or(defaultValue);
}

bool writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    // Names and values that could not be read back as written are refused.
    if (key.empty() || trim(key) != key || key.find('=') != std::string::npos ||
        section.find(']') != std::string::npos || holdsLineBreak(section) || holdsLineBreak(key) ||
        holdsLineBreak(value))
        return false;
    std::string content;
    if (fileExists(path)) {
        try {
            content = readWholeFile(path);
        } catch (const Failure&) {
            return false; // an unreadable file must not be replaced by a nearly empty one
        }
    }
    const Location at = locate(content, section, key);
    std::string updated;
    if (at.key) {
        const Line& line = at.lines[*at.key];
        updated = content.substr(0, line.begin) + std::string(at.keyName) + "=" + value +
                  content.substr(line.textEnd);
    } else {
        // Inserted after the section's last line, or at the end with a new section line.
        const std::size_t after = at.section ? at.lines[at.sectionLastContent].end : content.size();
        updated = content.substr(0, after);
        if (!updated.empty() && updated.back() != '\n')
            updated += kNewLine;
        if (!at.section)
            updated += "[" + section + "]" + std::string(kNewLine);
        updated += key + "=" + value + std::string(kNewLine) + content.substr(after);
    }
    if (updated == content)
        return true;
    try {
        replaceFileAtomically(path, updated);
        return true;
    } catch (const Failure&) {
        return false;
    }
}

} // namespace zolvera::platform
