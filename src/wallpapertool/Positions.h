#pragma once

#include "library/StringList.h"

#include <map>
#include <optional>
#include <random>
#include <string>

namespace zolvera::wallpaper {

// Where the command keeps what it remembers between runs: $XDG_STATE_HOME/zolvera (only an
// absolute XDG_STATE_HOME counts, as the base directory rules say), else ~/.local/state/zolvera.
std::string stateFolder();

// The picture a group showed last: its file name and the index it stood at.
struct Position {
    std::string picture;
    int index = 0;
};

// The last position of every group, kept in <state folder>/positions.json under the group's
// name as the group list holds it.
class Positions {
public:
    // The file's positions; none when it is missing or cannot be read as positions, so a
    // damaged file starts every group afresh instead of stopping the rotation.
    static Positions load(const std::string& folder);
    // Writes the file atomically, making the folder when needed. Throws
    // "Cannot create file "%s". %s" when it cannot be written.
    void save(const std::string& folder) const;

    std::optional<Position> of(const std::string& group) const;
    void set(const std::string& group, Position position) { byGroup_[group] = std::move(position); }

private:
    std::map<std::string, Position> byGroup_;
};

// The picture after the last one, wrapping at the end; the first one when the group has no
// position. When the last picture is gone, the one that now stands at its index (the one
// that followed it), or the first one.
int nextIndex(const library::StringList& pictures, const std::optional<Position>& last);

// Any picture but the last one when the group holds two or more.
int randomIndex(const library::StringList& pictures, const std::optional<Position>& last,
                std::mt19937& random);

} // namespace zolvera::wallpaper
