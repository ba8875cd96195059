#pragma once

#include "desktop/Registry.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zolvera::desktop {

// A registry held as REGEDIT4 text: "[HKEY_CURRENT_USER\Key\Sub]" headers followed by value
// lines ("name"="text", @=... for the default value, dword:0000002a, hex:.., hex(2):.. and
// hex(N):.. for other types, long hex lists continued with a trailing backslash).
// Key and value names are matched without regard to case and keep the case they were made
// with. Text is taken byte for byte (UTF-8 in practice).
class RegFile {
public:
    struct Value {
        std::string name;
        RegistryValue value;
    };
    struct Key {
        std::string name;
        std::vector<Value> values;
        std::vector<Key> children;
    };

    RegFile();

    // Nothing when the text is not a store that could be written back without losing any of
    // it (a missing REGEDIT4 line, a malformed line, deletion entries, ...). Empty text is an
    // empty store. Comments and blank lines are skipped.
    static std::optional<RegFile> parse(std::string_view text);
    std::string text() const;

    // The key at a path under a root code, or nullptr when it is missing.
    const Key* find(std::uint32_t root, std::string_view path) const;
    // The key, created with its parents when missing; nullptr for an unknown root or a path
    // that cannot name a key (an empty component, a line break).
    Key* create(std::uint32_t root, std::string_view path);

    static const RegistryValue* value(const Key& key, std::string_view name);
    // False when the name cannot be stored (a line break in it).
    static bool setValue(Key& key, std::string_view name, const RegistryValue& value);

private:
    std::array<Key, 5> roots_;
};

} // namespace zolvera::desktop
