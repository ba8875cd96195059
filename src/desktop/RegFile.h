#pragma once

#include "desktop/Registry.h"

#include <cstddef>
#include <map>
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
//
// The keys sit in one flat table and refer to each other by index, with sorted indexes for
// the names, so a hand-made file costs no more than n log n to read, and no depth of nesting
// deepens a recursion when the store is read, written or freed.
class RegFile {
public:
    using KeyId = std::size_t;

    // The largest text accepted as a store; the program's own store stays far below it.
    static constexpr std::size_t kMaxTextSize = 4 * 1024 * 1024;

    RegFile();

    // Nothing when the text is not a store that could be written back without losing any of
    // it (a missing REGEDIT4 line, a malformed line, deletion entries, a text over
    // kMaxTextSize, ...). Empty text is an empty store. Comments and blank lines are skipped.
    static std::optional<RegFile> parse(std::string_view text);
    std::string text() const;

    // The key at a path under a root code, or nothing when it is missing.
    std::optional<KeyId> find(std::uint32_t root, std::string_view path) const;
    // The key, created with its parents when missing; nothing for an unknown root or a path
    // that cannot name a key (an empty component, a line break).
    [[nodiscard]] std::optional<KeyId> create(std::uint32_t root, std::string_view path);

    const RegistryValue* value(KeyId key, std::string_view name) const;
    // False when the name cannot be stored (a line break in it).
    [[nodiscard]] bool setValue(KeyId key, std::string_view name, const RegistryValue& value);

private:
    struct Value {
        std::string name;
        RegistryValue value;
    };
    struct Key {
        std::string name;
        std::vector<KeyId> children;                    // in the order they were made
        std::map<std::string, KeyId> childByName;       // by case-folded name
        std::vector<Value> values;                      // in the order they were made
        std::map<std::string, std::size_t> valueByName; // by case-folded name
    };

    std::optional<KeyId> child(KeyId key, std::string_view name) const;
    void appendKey(std::string& out, KeyId key, std::string_view path) const;

    std::vector<Key> keys_; // the root keys first, in the order of their codes
};

} // namespace zolvera::desktop
